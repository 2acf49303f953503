#pragma once
#include <cstddef>
#include <string>

#include "common/app_settings.h"
#include "platform/printer.h"
#include "shell/mode.h"
#include "skin/form_access.h"

namespace varlo {

// The largest note file the notepad loads.
inline constexpr std::size_t kMaxNoteBytes = 1024 * 1024;

// The notepad of the main window (edit area 2): commands 76-79 load a text file into it, save
// it, clear it and print it. The text is kept as the bytes of the file, so a note that is
// not UTF-8 is saved back as it was loaded. Lines end in LF in the note; a note loaded from
// a file that ended most of its lines in CR LF is saved with CR LF, until "Clear".
class Notepad final : public Mode {
 public:
  Notepad(FormAccess& form, AppSettings& settings, std::string programFolder, IPrinter& printer);

  void DoIt(int code) override;

  void NoteLoad();
  void NoteSave();
  void NoteClear();
  void NotePrint();

 private:
  FormAccess& form_;
  AppSettings& settings_;
  std::string programFolder_;
  IPrinter& printer_;
  bool crlf_ = false;  // the note came from a file with mostly CR LF line ends
};

}  // namespace varlo
