#pragma once
#include <optional>
#include <string>
#include <vector>

namespace varlo::testing {

// Runs the program `name` found on $PATH with `args`, standard input from /dev/null and
// standard error dropped; its standard output, or nullopt when the program is missing or does
// not end with status 0. Tests that need a tool skip when this fails.
std::optional<std::string> RunTool(const std::string& name, const std::vector<std::string>& args);

// ffmpeg quietly overwriting its output: true when it made the file.
bool Ffmpeg(const std::vector<std::string>& args);

}  // namespace varlo::testing
