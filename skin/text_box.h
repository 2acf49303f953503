#pragma once
#include <functional>
#include <string>

namespace varlo {

// The text of an edit area whose widget the user types into. The program's copy is `text`;
// while a view edits it, `current` gives the view's text and Set hands a new one over.
struct TextBox {
  std::string text;
  // The program replaced the text: the view shows the new one.
  std::function<void()> onChanged;
  // What the view shows now (typing changes it without telling the program).
  std::function<std::string()> current;

  const std::string& Text() {
    if (current) text = current();
    return text;
  }
  void Set(std::string value) {
    text = std::move(value);
    if (onChanged) onChanged();
  }
};

}  // namespace varlo
