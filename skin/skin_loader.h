#pragma once
#include <array>
#include <string>
#include <vector>

#include "common/app_settings.h"
#include "common/picture.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/pictures.h"
#include "platform/screen.h"
#include "skin/skin_form.h"

namespace varlo {

// What the loader needs from the main window beyond the form itself.
class ISkinHost {
 public:
  virtual ~ISkinHost() = default;
  virtual int TwipX() const = 0;
  virtual int TwipY() const = 0;
  // Returns the window to its normal size selection (clears the small and alternate sizes).
  virtual void ResetWindowSizeState() = 0;
  virtual void FormPaint() = 0;
  virtual void ShowLights() = 0;
};

// The services the loader uses.
struct SkinLoaderServices {
  IScreen& screen;
  IDialogs& dialogs;
  IPictureLoader& pictures;
  IEvents& events;
};

// What survives from one skin load to the next.
struct SkinLoadState {
  std::string infoText;
  std::string skinFolder;      // folder of the skin being loaded (bitmaps are relative to it)
  std::string lastSkinFolder;  // folder of the skin loaded last
  std::string lastSkin;        // path of the skin loaded before the current one
  std::string mainBitmapPath;  // bitmaps loaded last, so an unchanged path is not reloaded
  std::string resBitmapPath;
  std::vector<std::string> refused;  // refused tokens of the last load, in file order
};

// Reads skin files and lays out the main window from them.
class SkinLoader {
 public:
  SkinLoader(SkinForm& form, AppSettings& settings, std::string programFolder,
             SkinLoaderServices services, ISkinHost& host);

  // Loads the skin `name` (a file name relative to the skin folder, or a full path; a
  // trailing "*" becomes the screen width plus ".skin"). `reuseImport` makes an import skin
  // use the saved import folder instead of asking. Failures are reported by message boxes;
  // a skin that cannot be found or has a bad header changes nothing.
  void LoadSkin(const std::string& name, bool reuseImport);

  const SkinLoadState& State() const { return state_; }

  // Skin files larger than this are not read.
  static constexpr std::size_t kMaxSkinBytes = 4u << 20;

 private:
  friend class SkinElementReader;
  std::string ResolveName(const std::string& name) const;
  void ResetWidgets();
  void PlaceWindow(int placement);
  // Loads the bitmap `name` of the skin folder (its case need not match) into `target`,
  // unless it is the file loaded there last.
  void LoadBitmap(const std::string& name, std::string& lastPath, Picture& target,
                  const char* missingMessage);

  SkinForm& form_;
  AppSettings& settings_;
  std::string programFolder_;
  SkinLoaderServices services_;
  ISkinHost& host_;
  SkinLoadState state_;
};

}  // namespace varlo
