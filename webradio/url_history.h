#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/write_status.h"

namespace varlo {

// The browser's address history, newest first, kept in "url-list.txt" in the program folder
// (one address per line, CR LF).
inline constexpr const char* kUrlListFile = "url-list.txt";
inline constexpr std::size_t kMaxUrlHistory = 100;
// Reads stop at this many bytes and bytes per address.
inline constexpr std::size_t kMaxUrlListBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxUrlBytes = 4096;

// The addresses of a history file's text: trimmed, blank lines and repeats skipped (the first,
// newest, kept), at most kMaxUrlHistory.
std::vector<std::string> ParseUrlList(std::string_view text);
std::string UrlListText(const std::vector<std::string>& addresses);

// Puts `address` at the top of `history`: a repeat moves up from where it was, and the oldest
// entries beyond kMaxUrlHistory drop off. False when nothing changed (empty, or already on top).
bool AddToHistory(std::vector<std::string>& history, std::string_view address);

std::vector<std::string> LoadUrlList(const std::string& programFolder);
// Writes the history atomically (the old file kept, and the cause told, when that fails).
WriteStatus SaveUrlList(const std::string& programFolder,
                        const std::vector<std::string>& addresses);

}  // namespace varlo
