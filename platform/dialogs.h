#pragma once
#include <optional>
#include <string>

namespace varlo {

// Buttons offered by a message box and the one the user chose.
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No };

// Options of a file-open dialog. `filter` uses the "Label|pattern;pattern|..." form.
struct FileDialogRequest {
  std::string title;
  std::string initialDir;
  std::string filter;
  std::string initialName;
  int filterIndex = 0;
};

// Modal dialogs. Every call blocks until the user answers; all run on the GUI thread.
class IDialogs {
 public:
  virtual ~IDialogs() = default;
  virtual MsgResult MsgBox(const std::string& text, MsgButtons buttons,
                           const std::string& caption) = 0;
  // Returns the chosen absolute path, or nullopt when cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  // The file-save dialog; returns the chosen absolute path, or nullopt when cancelled.
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
  // Returns the chosen folder, or nullopt when cancelled.
  virtual std::optional<std::string> BrowseFolder(const std::string& prompt) = 0;
};

}  // namespace varlo
