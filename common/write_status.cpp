#include "common/write_status.h"

#include <cerrno>
#include <system_error>

namespace varlo {

WriteStatus WriteStatus::Failed(int error) {
  WriteStatus status;
  status.error_ = error != 0 ? error : EIO;
  return status;
}

std::string WriteStatus::Reason() const {
  // The generic category gives the C library's thread-safe strerror text.
  return error_ == 0 ? std::string() : std::generic_category().message(error_);
}

std::string WithReason(std::string_view message, const WriteStatus& status) {
  std::string text(message);
  if (!status.Ok()) text += "\n" + status.Reason();
  return text;
}

bool WriteFailureNotice::ShouldTell(const WriteStatus& status) {
  if (status.Ok()) {
    told_ = 0;
    return false;
  }
  if (status.Error() == told_) return false;
  told_ = status.Error();
  return true;
}

}  // namespace varlo
