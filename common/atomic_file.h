#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varlo {

// Writes `content` to `path` through a temporary file in the same folder that is flushed
// and renamed over the target, so a failed write leaves the previous file untouched.
// Creates missing parent folders. Returns false on any failure.
bool WriteFileAtomic(const std::string& path, std::string_view content);

// Reads a whole file of at most `maxBytes`; nullopt when missing, unreadable or larger.
std::optional<std::string> ReadFileBounded(const std::string& path, std::size_t maxBytes);

}  // namespace varlo
