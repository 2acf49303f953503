#include "tests/fault/sources/file_modes.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <initializer_list>

namespace varlo::testing {

bool ObeyFileModes() {
  if (geteuid() != 0) return true;
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
    data[cap / 32].effective &= ~(1u << (cap % 32));
  return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace varlo::testing
