#pragma once
#include <array>
#include <string>
#include <vector>

#include "common/app_settings.h"

namespace varlo {

// The values of the preferences window's controls, tab by tab. Check boxes are bools, lists
// and option groups indexes from 0, text fields their text.
struct PrefsFields {
  // Options.
  bool onTop = false, snap = false, saveWin = false;
  int startOpt = 0;
  std::string startFile;
  bool startMin = false, autoCover = false, noRMB = false, useSkinB = false, timeFmt = false;
  // Auto.
  int ooDay = 9;
  std::string ooOnTime = "00:00", ooOffTime = "00:00", ooPreset;
  std::vector<std::string> ooList;
  int ooSelected = -1;
  bool snoozeEn = false;
  int snzMd = 0;
  int snzMin = 5;  // item of kSnoozeMinuteItems
  std::string snoozeAt;
  bool autoEn = false, minOnSnz = false;
  // Paths.
  std::string cddaDir, visPLD, skinPath;
  int favSlot = 0;
  // Player.
  int startPMd = 0;
  bool useCDDB = false;
  std::string cddbCmd, email;
  bool useCDP = false, autoPlay = false, clrPl = false, scrollName = false, tagCover = false,
       friendly = false, autoCloseQF = false;
  std::string validExt;
  int mciDev = 0;
  bool contPB = false;
  std::string pbOverlap;
  int replayGain = 0;  // 0 off, 1 track, 2 album
  // Halvern.
  int exMute = 0, tuneOpt = 0;
  std::string startPreset, startFreq;
  bool fmEnable = false;
  int cardType = 0, cardPort = 0;
  // Misc.
  bool exEnable = false;
  int exDev = 0, exPort = 0;
  std::string exDevice;  // a device path typed instead of a listed port
  std::string exParm;
};

inline constexpr int kSnoozeMinuteItems[9] = {5, 10, 15, 20, 25, 30, 40, 45, 60};
// The longest overlap of continuous playback, in milliseconds.
inline constexpr int kMaxOverlapMs = 10000;

// The controls as the settings in memory set them.
PrefsFields FieldsFromSettings(const AppSettings& s);

// What "Apply" and "Okay" copy into the settings: the check boxes, lists and texts of the
// tabs, the CDDB server and e-mail, the start preset and continuous playback included. The
// overlap is clamped to 0-kMaxOverlapMs; a preset or overlap that is no number counts as 0.
// "SkinPath" is copied only when `copySkinPath`, so that a folder just chosen elsewhere is not
// overwritten by the one the window showed.
void CopyFieldsToSettings(const PrefsFields& f, AppSettings& s, bool copySkinPath);

// The two addresses of a tuner card type.
std::array<std::string, 2> CardAddresses(int cardType);

// The serial ports of the external display as the port list shows them.
inline constexpr const char* kDisplayPorts[4] = {"/dev/ttyS0 (COM1)", "/dev/ttyS1 (COM2)",
                                                 "/dev/ttyS2 (COM3)", "/dev/ttyS3 (COM4)"};

// The documents of the "Docs" tab, by option index.
inline constexpr const char* kDocumentFiles[5] = {"varlo.txt", "readme.txt", "skins.txt", "faq.txt",
                                                  "credits.txt"};

}  // namespace varlo
