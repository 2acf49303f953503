#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varlo {

// The per-user settings store: an INI file whose sections and keys compare without regard
// to case and whose values are text. Read once when opened; written whole, atomically, by
// Save. Unknown sections and keys are kept, so the screen saver's own keys survive.
class SettingsStore {
 public:
  // Opens the store at `path`. A missing, unreadable or oversized file gives an empty store.
  explicit SettingsStore(std::string path);

  const std::string& Path() const { return path_; }

  // The stored text, or `fallback` when the key is absent.
  std::string Get(std::string_view section, std::string_view key, std::string_view fallback) const;
  bool Has(std::string_view section, std::string_view key) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Writes the whole store; false when the write failed (the old file then stays).
  bool Save() const;

  // Serialised form, as Save writes it.
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

  void Parse(std::string_view text);
  const Section* FindSection(std::string_view name) const;
  Section& SectionFor(std::string_view name);

  std::string path_;
  std::vector<Section> sections_;
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

// The settings file: $XDG_CONFIG_HOME/varlo/varlo.ini, else ~/.config/varlo/varlo.ini.
std::string DefaultSettingsPath();

}  // namespace varlo
