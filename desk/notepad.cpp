#include "desk/notepad.h"

#include <utility>

#include "common/atomic_file.h"
#include "common/file_select.h"
#include "common/pending_writes.h"

namespace varlo {
namespace {

constexpr int kTextFilter = 3;
constexpr const char* kCaption = "Varlo";

// The text with CR LF pairs as LF; true in `crlf` when most of its line ends were CR LF.
std::string WithoutCr(const std::string& data, bool& crlf) {
  std::string out;
  out.reserve(data.size());
  std::size_t pairs = 0, feeds = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') {
      ++pairs;
      continue;
    }
    if (data[i] == '\n') ++feeds;
    out.push_back(data[i]);
  }
  feeds -= pairs;  // each pair's LF was counted as it was copied
  crlf = pairs > feeds;
  return out;
}

std::string WithCr(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

}  // namespace

Notepad::Notepad(FormAccess& form, AppSettings& settings, std::string programFolder,
                 IPrinter& printer)
    : form_(form),
      settings_(settings),
      programFolder_(std::move(programFolder)),
      printer_(printer) {}

void Notepad::DoIt(int code) {
  switch (code) {
    case 76:
      return NoteLoad();
    case 77:
      return NoteSave();
    case 78:
      return NoteClear();
    case 79:
      return NotePrint();
    default:
      return;
  }
}

void Notepad::NoteLoad() {
  const std::string path =
      SelectFile(form_.Dialogs(), kTextFilter, "Open Note File", programFolder_, programFolder_);
  if (path.empty()) return;
  const FileRead read = ReadRegularFile(path, kMaxNoteBytes);
  if (read.status == ReadStatus::kTooLarge) {
    form_.Dialogs().MsgBox("The file is too large for the notepad (more than 1 MiB).",
                           MsgButtons::Ok, kCaption);
    return;
  }
  if (read.status != ReadStatus::kOk) return;
  form_.SetNoteText(WithoutCr(read.data, crlf_));
}

void Notepad::NoteSave() {
  FileDialogRequest request;
  request.title = "Save Note file";
  request.filter = "Text Files|*.TXT|All Files|*.*";
  request.initialDir = settings_.path;
  const std::optional<std::string> path = form_.Dialogs().SaveFile(request);
  if (!path || path->empty()) return;
  std::string text = form_.NoteText();
  // One line break ends the file; a note that has it already gets no second one.
  if (text.empty() || text.back() != '\n') text.push_back('\n');
  WriteStatus saved;
  {
    const PendingWrite pending(programFolder_, *path);
    saved = WriteFileAtomic(*path, crlf_ ? WithCr(text) : text);
  }
  if (!saved)
    form_.Dialogs().MsgBox(WithReason("The note could not be saved.", saved), MsgButtons::Ok,
                           kCaption);
}

void Notepad::NoteClear() {
  form_.SetNoteText("");
  crlf_ = false;  // a new note is the program's own, with LF
}

void Notepad::NotePrint() {
  const std::string text = form_.NoteText();
  if (text.empty()) {
    form_.Dialogs().MsgBox("Notepad is empty!", MsgButtons::Ok, kCaption);
    return;
  }
  if (printer_.PrintText(text, "Varlo note") == PrintResult::kFailed)
    form_.Dialogs().MsgBox("The note could not be printed.", MsgButtons::Ok, kCaption);
}

}  // namespace varlo
