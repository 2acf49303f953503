#pragma once
#include <functional>
#include <string>
#include <vector>

namespace varlo {

// The rows of a list area and its selected row (-1 for none). The mode that owns the list
// changes rows and selection and then calls Changed or Selected once; the view listens.
struct ListBox {
  std::vector<std::string> rows;
  int selected = -1;
  // The rows changed (the view refills and scrolls to the top).
  std::function<void()> onChanged;
  // Only the selection moved.
  std::function<void()> onSelected;

  void Changed() const {
    if (onChanged) onChanged();
  }
  void Selected() const {
    if (onSelected) onSelected();
  }
};

}  // namespace varlo
