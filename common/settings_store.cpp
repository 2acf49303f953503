#include "common/settings_store.h"

#include <cstdlib>

#include "common/atomic_file.h"
#include "common/numtext.h"

namespace varlo {
namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr std::size_t kMaxEntries = 10000;

// Values may hold any text; line breaks and backslashes are escaped so that one entry
// stays on one line.
std::string Escape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\0':
        out += "\\0";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Unescape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    switch (next) {
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case '0':
        out += '\0';
        break;
      default:
        out += next;
    }
  }
  return out;
}

}  // namespace

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {
  // A file that is not text (or too large to be ours) is ignored whole; Save replaces it.
  if (auto text = ReadFileBounded(path_, kMaxFileBytes);
      text && text->find('\0') == std::string::npos)
    Parse(*text);
}

void SettingsStore::Parse(std::string_view text) {
  std::string current = std::string(kSettingsSection);
  std::size_t count = 0;
  while (!text.empty() && count < kMaxEntries) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') continue;
    if (trimmed.front() == '[') {
      const auto close = trimmed.find(']');
      if (close != std::string_view::npos)
        current = std::string(TrimBlanks(trimmed.substr(1, close - 1)));
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;  // garbage lines are dropped
    const std::string_view key = TrimBlanks(line.substr(0, eq));
    if (key.empty()) continue;
    Set(current, key, Unescape(line.substr(eq + 1)));
    ++count;
  }
}

const SettingsStore::Section* SettingsStore::FindSection(std::string_view name) const {
  for (const auto& s : sections_)
    if (EqualsNoCase(s.name, name)) return &s;
  return nullptr;
}

SettingsStore::Section& SettingsStore::SectionFor(std::string_view name) {
  for (auto& s : sections_)
    if (EqualsNoCase(s.name, name)) return s;
  sections_.push_back({std::string(name), {}});
  return sections_.back();
}

std::string SettingsStore::Get(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  if (const Section* s = FindSection(section))
    for (const auto& e : s->entries)
      if (EqualsNoCase(e.key, key)) return e.value;
  return std::string(fallback);
}

bool SettingsStore::Has(std::string_view section, std::string_view key) const {
  if (const Section* s = FindSection(section))
    for (const auto& e : s->entries)
      if (EqualsNoCase(e.key, key)) return true;
  return false;
}

void SettingsStore::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section& s = SectionFor(section);
  for (auto& e : s.entries)
    if (EqualsNoCase(e.key, key)) {
      e.value = std::string(value);
      return;
    }
  s.entries.push_back({std::string(key), std::string(value)});
}

std::string SettingsStore::Serialise() const {
  std::string out;
  for (const auto& s : sections_) {
    out += "[" + s.name + "]\n";
    for (const auto& e : s.entries) out += e.key + "=" + Escape(e.value) + "\n";
    out += "\n";
  }
  return out;
}

bool SettingsStore::Save() const {
  return WriteFileAtomic(path_, Serialise());
}

std::string ReadSetting(const SettingsStore& store, std::string_view key,
                        std::string_view fallback) {
  return store.Get(kSettingsSection, key, fallback);
}

std::int16_t ReadSettingNum(const SettingsStore& store, std::string_view key,
                            std::string_view fallback) {
  return ToInt16(LeadingNumber(ReadSetting(store, key, fallback)));
}

void WriteSetting(SettingsStore& store, std::string_view key, std::string_view value) {
  store.Set(kSettingsSection, key, value);
}

std::string DefaultSettingsPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && *xdg) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : "/tmp") + "/.config";
  }
  return base + "/varlo/varlo.ini";
}

}  // namespace varlo
