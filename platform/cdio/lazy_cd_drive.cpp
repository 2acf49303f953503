#include "platform/cdio/lazy_cd_drive.h"

#include <mutex>

#include "platform/backend_plugin.h"

namespace varlo {

struct LazyCdDrive::Plugin {
  std::string path;
  std::optional<std::string> source;
  std::once_flag once;
  CdioBackend* backend = nullptr;

  // Loads the plugin and settles the source, once, on whichever thread asks first.
  CdioBackend* Backend() {
    std::call_once(once, [this] {
      if (const auto get =
              PluginFunction<VarloCdioBackend>(path, kVarloCdioBackendName, "the CD drive"))
        backend = get();
      if (!source) source = backend ? backend->DefaultSource() : std::string();
    });
    return backend;
  }
};

LazyCdDrive::LazyCdDrive(std::optional<std::string> source, Post post, int pollMs,
                         std::string plugin)
    : plugin_(std::make_shared<Plugin>()), post_(std::move(post)), pollMs_(pollMs) {
  plugin_->path = plugin.empty() ? kVarloCdioPlugin : std::move(plugin);
  plugin_->source = std::move(source);
}

LazyCdDrive::~LazyCdDrive() {
  alive_->store(false);
}

CdDrive* LazyCdDrive::Drive() const {
  if (!tried_) {
    tried_ = true;
    if (CdioBackend* backend = plugin_->Backend())
      drive_ = backend->MakeDrive(*plugin_->source, post_, pollMs_);
  }
  return drive_.get();
}

DriveState LazyCdDrive::State() const {
  const CdDrive* drive = Drive();
  return drive ? drive->State() : DriveState::NoDisc;
}

void LazyCdDrive::ReadDisc(std::function<void(std::optional<DiscToc>)> done) {
  if (CdDrive* drive = Drive()) {
    drive->ReadDisc(std::move(done));
    return;
  }
  post_([alive = alive_, done = std::move(done)] {
    if (alive->load()) done(std::nullopt);
  });
}

void LazyCdDrive::Eject() {
  if (CdDrive* drive = Drive()) drive->Eject();
}

StreamProtocol LazyCdDrive::Protocol() const {
  return {"varlocd", [plugin = plugin_](const std::string&) -> std::unique_ptr<ByteStream> {
            CdioBackend* backend = plugin->Backend();
            return backend ? backend->OpenDiscStream(*plugin->source) : nullptr;
          }};
}

}  // namespace varlo
