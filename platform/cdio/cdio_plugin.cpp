// The CD plugin: the libcdio drive, its default source and its disc streams for the program to
// load.
#include <type_traits>

#include "platform/backend_plugin.h"
#include "platform/cdio/cdio_disc.h"
#include "platform/cdio/cdio_drive.h"
#include "platform/cdio/lazy_cd_drive.h"

namespace varlo {
namespace {

class Backend final : public CdioBackend {
 public:
  std::string DefaultSource() override { return DefaultCdSource(); }
  std::unique_ptr<CdDrive> MakeDrive(const std::string& source, Post post, int pollMs) override {
    return std::make_unique<CdioDrive>(source, std::move(post), pollMs);
  }
  std::unique_ptr<ByteStream> OpenDiscStream(const std::string& source) override {
    return varlo::OpenDiscStream(source);
  }
};

}  // namespace
}  // namespace varlo

VARLO_PLUGIN_EXPORT varlo::CdioBackend* varlo_cdio_backend() {
  static varlo::Backend backend;
  return &backend;
}
static_assert(std::is_same_v<decltype(&varlo_cdio_backend), VarloCdioBackend>);
