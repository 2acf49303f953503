#include "tuner/radio_device.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>

namespace halvern {
namespace {

class NodeDevice final : public RadioDevice {
 public:
  ~NodeDevice() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Open() override {
    if (fd_ >= 0) return true;
    if (tried_) return false;
    tried_ = true;
    const char* env = std::getenv("HALVERN_V4L2");
    if (env && *env) {
      OpenNode(env);
    } else {
      for (int n = 0; n < 10 && fd_ < 0; ++n) OpenNode("/dev/radio" + std::to_string(n));
    }
    return fd_ >= 0;
  }
  int Ioctl(unsigned long request, void* argument) override {
    return fd_ < 0 ? -1 : ::ioctl(fd_, request, argument);
  }
  long Read(void* buffer, std::size_t size) override {
    return fd_ < 0 ? -1 : ::read(fd_, buffer, size);
  }
  std::string Path() const override { return fd_ < 0 ? std::string() : path_; }

 private:
  void OpenNode(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ >= 0) path_ = path;
  }

  int fd_ = -1;
  bool tried_ = false;
  std::string path_;
};

}  // namespace

std::unique_ptr<RadioDevice> SystemRadioDevice() {
  return std::make_unique<NodeDevice>();
}

}  // namespace halvern
