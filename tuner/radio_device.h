#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace halvern {

// A V4L2 radio device node as the card code reaches it: ioctls and reads of RDS blocks. The
// real one opens the node non-blocking on first use; tests use a fake.
class RadioDevice {
 public:
  virtual ~RadioDevice() = default;
  // Opens the device if it is not open yet; false when there is none or it cannot be opened.
  virtual bool Open() = 0;
  // The ioctl's result: 0 on success, -1 on failure.
  virtual int Ioctl(unsigned long request, void* argument) = 0;
  // Reads waiting RDS data without waiting; the byte count, 0 or -1 when none is waiting.
  virtual long Read(void* buffer, std::size_t size) = 0;
  // The node the device was opened from; empty while it is not open.
  virtual std::string Path() const = 0;
};

// The device $HALVERN_V4L2 names, else the first of /dev/radio0 to /dev/radio9 there is.
std::unique_ptr<RadioDevice> SystemRadioDevice();

}  // namespace halvern
