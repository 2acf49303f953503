#include "common/system_identity.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace varlo {

std::string SystemEmailId() {
  std::string user;
  if (const passwd* account = ::getpwuid(::geteuid()); account != nullptr && account->pw_name)
    user = account->pw_name;
  if (user.empty()) {
    if (const char* name = std::getenv("USER"); name != nullptr) user = name;
  }
  if (user.empty()) user = "varlo-user";

  char host[256] = {};
  std::string hostName;
  if (::gethostname(host, sizeof host - 1) == 0) hostName = host;
  if (hostName.empty()) hostName = "localhost";
  return user + "@" + hostName;
}

}  // namespace varlo
