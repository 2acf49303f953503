#include "player/quick_find.h"

#include <algorithm>

#include "common/numtext.h"

namespace varlo {

void QuickFind::Open(const Playlist& list) {
  names_ = list.names;
  upper_.clear();
  upper_.reserve(names_.size());
  for (const std::string& name : names_) upper_.push_back(UpperCase(name));
  revision_ = list.revision;
  Search();
}

void QuickFind::SetMode(FindMode mode) {
  mode_ = mode;
  Search();
}

void QuickFind::SetText(std::string_view text) {
  text_ = std::string(text);
  Search();
}

void QuickFind::Search() {
  const std::string wanted = UpperCase(text_);
  matches_.clear();
  selectedRow_ = -1;
  if (mode_ == FindMode::StartsWith) {
    // The first name that does start with the text; an empty text selects the first name.
    for (std::size_t i = 0; i < upper_.size(); ++i) {
      if (upper_[i].starts_with(wanted)) {
        selectedRow_ = static_cast<int>(i);
        break;
      }
    }
    return;
  }
  for (std::size_t i = 0; i < upper_.size(); ++i)
    if (upper_[i].find(wanted) != std::string::npos) matches_.push_back(static_cast<int>(i));
  if (!matches_.empty()) selectedRow_ = 0;
}

int QuickFind::ShownCount() const {
  return static_cast<int>(mode_ == FindMode::StartsWith ? names_.size() : matches_.size());
}

void QuickFind::Step(int delta) {
  const int count = ShownCount();
  if (count == 0) return;
  if (selectedRow_ < 0) {
    selectedRow_ = 0;
    return;
  }
  selectedRow_ = std::clamp(selectedRow_ + delta, 0, count - 1);
}

void QuickFind::SelectRow(int row) {
  if (row >= 0 && row < ShownCount()) selectedRow_ = row;
}

std::optional<int> QuickFind::SelectedName() const {
  if (selectedRow_ < 0 || selectedRow_ >= ShownCount()) return std::nullopt;
  return mode_ == FindMode::StartsWith ? selectedRow_
                                       : matches_[static_cast<std::size_t>(selectedRow_)];
}

std::optional<int> QuickFind::EntryToPlay(const Playlist& list) const {
  const std::optional<int> chosen = SelectedName();
  if (!chosen) return std::nullopt;
  const auto index = static_cast<std::size_t>(*chosen);
  const std::string& name = names_[index];
  if (list.revision == revision_ && index < list.names.size()) return *chosen;
  if (index < list.names.size() && list.names[index] == name) return *chosen;
  const auto found = std::find(list.names.begin(), list.names.end(), name);
  if (found == list.names.end()) return std::nullopt;
  return static_cast<int>(found - list.names.begin());
}

}  // namespace varlo
