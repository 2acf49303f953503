#include "common/file_select.h"

#include "common/paths.h"

namespace varlo {

std::string FileFilter(int kind) {
  switch (kind) {
    case 1:
      return "MPEG Audio Files|*.MP?|ActiveMovie "
             "Files|*.MP?;*.MPEG;*.DAT;*.WAV;*.AU;*.MID;*.RMI;*.AIF?;*.MOV;*.QT;*.AVI;*.M1V;*.RA;"
             "*.RAM;*.RM;*.RMM|Music "
             "Modules|*.MOD;*.MTM;*FAR;*.669;*.OKT;*.STM;*.S3M;*.NST;*.WOW;*.XM|Bitmaps|*.BMP;*."
             "GIF;*.JPG|Playlists|*.M3U;*.M3U8;*.PLS|All Files|*.*";
    case 2:
      return "Bitmap Files|*.gif;*.bmp;*.jpg;*.jpeg";
    case 3:
      return "Text Files|*.txt";
    case 4:
      return "Skin Files|*.skin";
    case 5:
      return "CalcCvt Files|*.ccf";
    case 6:
      // The UTF-8 form of M3U that today's players write is listed with the M3U files.
      return "MP3 Playlists (*.M3U)|*.M3U;*.M3U8|Playlists (*.PLS)|*.PLS";
    default:
      return "All Files|*.*";
  }
}

std::string SelectFile(IDialogs& dialogs, int kind, const std::string& title,
                       const std::string& initialDir, const std::string& programFolder) {
  FileDialogRequest request;
  request.title = title.empty() ? "Open File" : title;
  request.initialDir = initialDir.empty() ? AddSlash(programFolder) : initialDir;
  request.filter = FileFilter(kind);
  request.filterIndex = 0;
  return dialogs.OpenFile(request).value_or(std::string());
}

std::string BrowseFolder(IDialogs& dialogs, const std::string& prompt) {
  return dialogs.BrowseFolder(prompt).value_or(std::string());
}

}  // namespace varlo
