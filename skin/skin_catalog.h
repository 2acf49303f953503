#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

// The kinds the skin browser can show, in the order of its "Show:" list. "All" shows every
// skin, "Favorite" the skins in a favourite slot (and those that call themselves so).
inline constexpr std::array<std::string_view, 11> kSkinKinds = {
    "All",     "Favorite",   "Player",  "Karaoke", "Browser",    "WebRadio",
    "Halvern", "Calculator", "Notepad", "Clock",   "Screensaver"};

// The first line of a skin file: its header word, the kinds after a "/" and the description.
struct SkinHeader {
  std::string kinds;  // blank-separated words, as written; empty for a legacy skin
  std::string description;
};

// How much of a skin file the browser reads to find its first line.
inline constexpr std::size_t kSkinHeadBytes = 4096;

// How far the browser reads a folder: the skins it lists at most (the first by name), and
// the entries of the folder it looks at, files of every kind counted.
struct SkinDirBounds {
  std::size_t skins = 4096;
  std::size_t entries = 65536;
};

// Reads the header of the skin text `head` (the start of the file is enough). Empty when the
// header is neither "Varlo Skin" nor "Tarnix Skin", exactly as the loader takes them; a
// "Tarnix Skin" without kinds is a player skin.
std::optional<SkinHeader> ParseSkinHeader(std::string_view head);

// Whether the kind words `kinds` include `filter` as a whole word, ignoring case.
bool HasKind(std::string_view kinds, std::string_view filter);

// One line of the browser: the file it loads and the text it shows.
struct SkinEntry {
  std::string path;  // the file as the folder holds it
  std::string name;  // the file name without its ".skin" ending
  SkinHeader header;
  // "NAME > description", the name in capitals.
  std::string Text() const;
};

// What a folder gave: its skins in order, and whether the bounds cut it short.
struct SkinDir {
  std::vector<SkinEntry> entries;
  bool moreSkins = false;    // more skins of the kind than the bound lists
  bool moreEntries = false;  // the folder has entries beyond those looked at
};

// The skins of `folder` (files ending in ".skin" in any letter case) of kind `filter` (an
// item of kSkinKinds; "All" for every skin), sorted by name without regard to case. A file
// whose header is not a skin header is left out; `favourites` are the paths the "Favorite"
// filter shows.
SkinDir ReadSkinDir(const std::string& folder, std::string_view filter,
                    const std::vector<std::string>& favourites = {}, SkinDirBounds bounds = {});

// Reads skin folders for the browser. `done` gets the result once, on the thread that asked
// (the GUI thread), and may come later; it is not called once the asker is gone.
class SkinDirReader {
 public:
  virtual ~SkinDirReader() = default;
  virtual void Read(std::string folder, std::string filter, std::vector<std::string> favourites,
                    SkinDirBounds bounds, std::function<void(SkinDir)> done) = 0;
};

// Reads at once, before Read returns (tests and headless runs).
class DirectSkinDirReader final : public SkinDirReader {
 public:
  void Read(std::string folder, std::string filter, std::vector<std::string> favourites,
            SkinDirBounds bounds, std::function<void(SkinDir)> done) override {
    done(ReadSkinDir(folder, filter, favourites, bounds));
  }
};

}  // namespace varlo
