#pragma once
#include <string>
#include <vector>

namespace varlo {

// The items a command line names, in order, each argument one item (as a file manager's "Open
// with" of several files passes them): relative paths taken from the current folder, file URIs
// decoded to their paths, addresses kept. Where the arguments joined by blanks name an existing
// file or folder and none of them does alone, they are one item: a name with blanks typed
// without quotes.
std::vector<std::string> CommandLineItems(const std::vector<std::string>& args);

}  // namespace varlo
