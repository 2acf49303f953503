#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/write_status.h"

namespace varlo {

// The per-user settings store: an INI file whose sections and keys compare without regard
// to case and whose values are text. Read once when opened. The screen saver shares the
// file, so Save writes only what this store changed, merged into the file as it is on disk
// at that moment: keys another program wrote meanwhile survive.
class SettingsStore {
 public:
  // Opens the store at `path`. A missing, unreadable or oversized file gives an empty store;
  // such a file is kept aside by the first Save (see there).
  explicit SettingsStore(std::string path);

  const std::string& Path() const { return path_; }

  // The stored text, or `fallback` when the key is absent.
  std::string Get(std::string_view section, std::string_view key, std::string_view fallback) const;
  bool Has(std::string_view section, std::string_view key) const;
  // Changes the value held here; a key whose value really changes is written by Save.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Gives a key that is absent here its default: Save writes it only while the file still
  // lacks it, so a value another program stored meanwhile is not overwritten by a default.
  // A key present here is left as it is.
  void SetDefault(std::string_view section, std::string_view key, std::string_view value);

  // Re-reads the file, applies every key changed since the last successful Save and writes
  // the result atomically; a failure (the old file then stays) tells its cause, and the
  // changes stay for the next Save. A regular file that cannot be read as settings (too
  // large, not text, unreadable) is first renamed to "<name>.bad" beside it, with one line
  // on standard error, and the values held here are written in its place; a folder in the
  // file's place is left alone and the save fails. Two stores saving at once take turns (a
  // lock on the folder); a save that finds the file replaced between its read and its rename
  // merges again. Both waits together last 80 ms at most; a save still crossed by another's
  // then fails with EAGAIN rather than throw the other's keys away.
  WriteStatus Save();

  // The values held here, in the form Save writes.
  std::string Serialise() const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  // A key to write at the next Save, in the order the keys were set. A default is written
  // only where the file lacks the key.
  struct Changed {
    std::string section;
    std::string key;
    bool onlyIfAbsent = false;
  };
  using Sections = std::vector<Section>;

  static void Parse(std::string_view text, Sections& into);
  static const std::string* Find(const Sections& sections, std::string_view section,
                                 std::string_view key);
  // Sets a value; true when it was absent or different.
  static bool Put(Sections& sections, std::string_view section, std::string_view key,
                  std::string_view value);
  static std::string Serialise(const Sections& sections);
  // Puts what this store changed, and its defaults for keys absent there, into `disk`.
  void ApplyChanges(Sections& disk) const;

  std::string path_;
  Sections sections_;
  std::vector<Changed> changed_;
};

// The application and section that hold all of the main program's keys.
inline constexpr std::string_view kSettingsSection = "config";

// Reads `key` of section "config": the stored text, or `fallback` when absent.
std::string ReadSetting(const SettingsStore& store, std::string_view key,
                        std::string_view fallback);
// As ReadSetting, then the value of the text's leading number (0 when none), rounded to a
// whole number and clamped into the 16-bit range (a stored number out of range would
// otherwise stop start-up).
std::int16_t ReadSettingNum(const SettingsStore& store, std::string_view key,
                            std::string_view fallback);
void WriteSetting(SettingsStore& store, std::string_view key, std::string_view value);
// As WriteSetting, except that a key absent from the store written with its default value
// (the program had none and changed nothing) does not replace a value another program stored
// in the file meanwhile.
void WriteSettingOrDefault(SettingsStore& store, std::string_view key, std::string_view value,
                           std::string_view fallback);

// The settings file: $XDG_CONFIG_HOME/varlo/varlo.ini, else ~/.config/varlo/varlo.ini.
std::string DefaultSettingsPath();

}  // namespace varlo
