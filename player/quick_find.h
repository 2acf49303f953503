#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "player/playlist.h"

namespace varlo {

// How quick find matches the typed text: anywhere in a name, or at its start.
enum class FindMode { Anywhere, StartsWith };

// The logic of the "Quick Find/Play" window: a copy of the playlist's names taken when the
// window opens, the typed text, the matches and the selected one. Names compare without
// regard to ASCII case. Each keystroke is one pass over the names.
class QuickFind {
 public:
  // Takes the names of `list` as they are now.
  void Open(const Playlist& list);

  void SetMode(FindMode mode);
  void SetText(std::string_view text);
  FindMode Mode() const { return mode_; }

  // Every name ("Starts with" shows these), and the indices of the names that contain the
  // text ("Anywhere" shows these).
  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<int>& Matches() const { return matches_; }
  // The selected row of the list the mode shows, -1 for none.
  int SelectedRow() const { return selectedRow_; }
  // Moves the selection one row up (-1) or down (+1) within the shown list.
  void Step(int delta);
  // Selects row `row` of the shown list (a click).
  void SelectRow(int row);

  // The playlist entry (0-based) of the selected name in `list` as it is now: the very entry
  // chosen while the playlist is unchanged or still holds that name at that place, else the
  // first entry of that name; none when nothing is selected or the name is gone.
  std::optional<int> EntryToPlay(const Playlist& list) const;

 private:
  int ShownCount() const;
  std::optional<int> SelectedName() const;
  void Search();

  std::vector<std::string> names_;
  std::vector<std::string> upper_;  // the names in upper case, for the comparisons
  std::uint64_t revision_ = 0;
  FindMode mode_ = FindMode::StartsWith;
  std::string text_;
  std::vector<int> matches_;
  int selectedRow_ = -1;
};

}  // namespace varlo
