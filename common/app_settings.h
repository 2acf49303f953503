#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/settings_store.h"

namespace varlo {

// The extensions a folder adds when the settings name none: the old media kinds and those the
// engine plays today. A value stored in the settings file stays as it is.
inline constexpr std::string_view kDefaultValidExt =
    "mp2 mp3 mpa wma asf wav mid rmi avi mov qt flac ogg oga opus m4a m4b aac wv ape mpc aiff "
    "mka mp4 mkv webm";

// The main program's settings as held in memory while it runs. Read once at start-up,
// changed by the preferences, written back at exit. Flags compare with 1.
struct AppSettings {
  std::string mciDevice = "0";  // the device number, kept as its decimal text
  std::int16_t contPB = 0;
  std::string path;  // last folder of the file dialogs, written when a dialog is confirmed
  std::int16_t winOnTop = 0;
  std::int16_t winSnap = 0;
  std::int16_t winSavePos = 0;
  std::int16_t autoSchedule = 0;  // "Auto"
  std::int16_t snooze = 0;
  std::int16_t snoozeMode = 0;
  std::string snoozeTime = "23:59";
  std::int16_t snoozeHide = 0;
  std::int16_t exitMode = 0;
  std::int16_t startMd = 0;
  std::int16_t startMin = 0;
  std::int16_t startMute = 0;
  std::string startFile;
  std::string skin;
  std::string skinPath;
  std::string skinImport;
  std::int16_t timeFmt = 0;
  std::string visPLPath;
  std::int16_t clearPLFirst = 0;
  std::int16_t autoPlay = 0;
  std::string validExt{kDefaultValidExt};
  std::int16_t pbOverlap = 0;
  std::int16_t replayGain = 0;  // loudness from the files' tags: 0 off, 1 track, 2 album
  std::int16_t scrollName = 0;
  std::int16_t useTagCover = 0;
  std::int16_t friendlyNames = 1;
  std::int16_t useSkinBrowser = 1;
  std::int16_t noRMB = 0;
  std::int16_t autoCloseQF = 0;
  std::int16_t autoCover = 0;
  std::int16_t useCDP = 1;
  std::int16_t useCDDB = 1;
  std::string cddbCmd;
  std::string emailID;
  std::int16_t startPMd = 0;
  std::int16_t lastPMd = 0;
  std::int16_t exEnable = 0;
  std::int16_t exDev = 0;
  std::int16_t exPort = 0;
  std::string exParm = "0";
  std::string exDevice;  // a device path for the external display instead of "ExPort"
  std::string cvtFile;
  std::int16_t fmEnable = 0;
  std::int16_t cardType = 0;
  std::int16_t cardPort = 0;
  std::int16_t fmTuneMd = 0;
  std::int16_t startPreset = 0;
  std::string startFreq = "87.0";
  std::string fmFreqText = "870";  // as stored; the running frequency is held by its owner
  std::int16_t lastTrack = 0;
  std::string lastCover;

  std::array<std::string, 10> favSkin;
  std::array<std::string, 10> radioURL;
  std::array<std::string, 10> url;  // the web-link captions as read; labels 50-59 own them after
};

// The default query prefix and e-mail placeholder of the disc look-up. The placeholder names
// nobody: the look-up goes to a third party, which learns an address only if the user gives it.
inline constexpr std::string_view kDefaultCddbCmd = "http://gnudb.gnudb.org/~cddb/cddb.cgi?cmd=";
inline constexpr std::string_view kDefaultEmailID = "anonymous@localhost";

// Whether "WinOnTop" asks for a topmost window: any value but 0 (a -1 written by older
// versions means yes). The tray menu and the preferences both read it so.
inline bool WantsOnTop(const AppSettings& settings) {
  return settings.winOnTop != 0;
}

// Names of the favourite-skin slots 0-9.
extern const std::array<std::string_view, 10> kFavouriteSlotNames;

// A key built from a stem and one digit 0-9 ("FavSkin3").
std::string DigitKey(std::string_view stem, int digit);

// Reads every key of the table, in table order, with its default.
AppSettings ReadAppSettings(const SettingsStore& store);

// Writes every key that is stored at exit, in table order, from `s`. Leaves out "Path"
// (written when a dialog is confirmed), "X"/"Y", "FMVolume", "LastTrack" and "LastCover",
// which their owners write. "ClearPLFirst" is written as "ClearPlFirst".
void WriteAppSettings(SettingsStore& store, const AppSettings& s);

}  // namespace varlo
