#pragma once
#include <string>

namespace varlo {

// "user@host" of the account and machine the program runs on: the login name of the
// effective user and the host name. A part the system does not give is taken from the
// placeholder "varlo-user@localhost".
std::string SystemEmailId();

}  // namespace varlo
