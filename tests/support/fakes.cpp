#include "tests/support/fakes.h"

namespace varlo::testing {

MsgResult FakeDialogs::MsgBox(const std::string& text, MsgButtons buttons,
                              const std::string& caption) {
  messages.push_back({text, buttons, caption});
  if (onMsgBox) onMsgBox();
  return buttons == MsgButtons::YesNo ? answer : MsgResult::Ok;
}

std::optional<std::string> FakeDialogs::OpenFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) return std::nullopt;
  auto next = fileAnswers.front();
  fileAnswers.erase(fileAnswers.begin());
  return next;
}

// Save dialogs answer from the same queue as open dialogs.
std::optional<std::string> FakeDialogs::SaveFile(const FileDialogRequest& request) {
  return OpenFile(request);
}

std::optional<std::string> FakeDialogs::BrowseFolder(const std::string& prompt) {
  folderPrompts.push_back(prompt);
  return folderAnswer;
}

std::vector<std::string> FakeDialogs::Texts() const {
  std::vector<std::string> out;
  for (const auto& m : messages) out.push_back(m.text);
  return out;
}

std::optional<Picture> FakePictureLoader::Load(const std::string& path) {
  loads.push_back(path);
  auto it = pictures.find(path);
  if (it == pictures.end()) return std::nullopt;
  return it->second;
}

}  // namespace varlo::testing
