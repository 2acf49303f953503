#include "common/app_settings.h"

#include <utility>
#include <variant>

#include "common/numtext.h"

namespace varlo {

const std::array<std::string_view, 10> kFavouriteSlotNames = {
    "Favorite Skin", "Player",      "Calculator", "Notepad", "Clock",
    "Halvern",       "Web Browser", "Web Radio",  "Other 1", "Other 2"};

namespace {

using NumField = std::int16_t AppSettings::*;
using TextField = std::string AppSettings::*;

// How a key is stored in memory.
struct NumKey {
  NumField field;
};
struct TextKey {
  TextField field;
};
struct NumAsTextKey {  // read as a number, kept as its decimal text
  TextField field;
};

struct KeyDef {
  std::string_view readName;
  std::string_view writeName;
  std::string_view fallback;
  bool writtenAtExit;
  std::variant<NumKey, TextKey, NumAsTextKey> target;
};

// The table of keys in the order the program reads them.
const KeyDef kKeys[] = {
    {"MCIDevice", "MCIDevice", "0", true, NumAsTextKey{&AppSettings::mciDevice}},
    {"ContPB", "ContPB", "0", true, NumKey{&AppSettings::contPB}},
    {"Path", "Path", "", false, TextKey{&AppSettings::path}},
    {"WinOnTop", "WinOnTop", "0", true, NumKey{&AppSettings::winOnTop}},
    {"WinSnap", "WinSnap", "0", true, NumKey{&AppSettings::winSnap}},
    {"WinSavePos", "WinSavePos", "0", true, NumKey{&AppSettings::winSavePos}},
    {"Auto", "Auto", "0", true, NumKey{&AppSettings::autoSchedule}},
    {"Snooze", "Snooze", "0", true, NumKey{&AppSettings::snooze}},
    {"SnoozeMode", "SnoozeMode", "0", true, NumKey{&AppSettings::snoozeMode}},
    {"SnoozeTime", "SnoozeTime", "23:59", true, TextKey{&AppSettings::snoozeTime}},
    {"SnoozeHide", "SnoozeHide", "0", true, NumKey{&AppSettings::snoozeHide}},
    {"ExitMode", "ExitMode", "0", true, NumKey{&AppSettings::exitMode}},
    {"StartMd", "StartMd", "0", true, NumKey{&AppSettings::startMd}},
    {"StartMin", "StartMin", "0", true, NumKey{&AppSettings::startMin}},
    {"StartMute", "StartMute", "0", true, NumKey{&AppSettings::startMute}},
    {"StartFile", "StartFile", "", true, TextKey{&AppSettings::startFile}},
    {"Skin", "Skin", "", true, TextKey{&AppSettings::skin}},
    {"SkinPath", "SkinPath", "", true, TextKey{&AppSettings::skinPath}},
    {"SkinImport", "SkinImport", "", true, TextKey{&AppSettings::skinImport}},
    {"TimeFmt", "TimeFmt", "", true, NumKey{&AppSettings::timeFmt}},
    {"VisPLPath", "VisPLPath", "", true, TextKey{&AppSettings::visPLPath}},
    {"ClearPLFirst", "ClearPlFirst", "", true, NumKey{&AppSettings::clearPLFirst}},
    {"AutoPlay", "AutoPlay", "", true, NumKey{&AppSettings::autoPlay}},
    {"ValidExt", "ValidExt", kDefaultValidExt, true, TextKey{&AppSettings::validExt}},
    {"PBOverlap", "PBOverlap", "0", true, NumKey{&AppSettings::pbOverlap}},
    {"ReplayGain", "ReplayGain", "0", true, NumKey{&AppSettings::replayGain}},
    {"ScrollName", "ScrollName", "0", true, NumKey{&AppSettings::scrollName}},
    {"UseTagCover", "UseTagCover", "0", true, NumKey{&AppSettings::useTagCover}},
    {"FriendlyNames", "FriendlyNames", "1", true, NumKey{&AppSettings::friendlyNames}},
    {"UseSkinBrowser", "UseSkinBrowser", "1", true, NumKey{&AppSettings::useSkinBrowser}},
    {"NoRMB", "NoRMB", "0", true, NumKey{&AppSettings::noRMB}},
    {"AutoCloseQF", "AutoCloseQF", "0", true, NumKey{&AppSettings::autoCloseQF}},
    {"AutoCover", "AutoCover", "0", true, NumKey{&AppSettings::autoCover}},
    {"UseCDP", "UseCDP", "1", true, NumKey{&AppSettings::useCDP}},
    {"UseCDDB", "UseCDDB", "1", true, NumKey{&AppSettings::useCDDB}},
    {"CDDBcmd", "CDDBcmd", kDefaultCddbCmd, true, TextKey{&AppSettings::cddbCmd}},
    {"EmailID", "EmailID", kDefaultEmailID, true, TextKey{&AppSettings::emailID}},
    {"StartPMd", "StartPMd", "0", true, NumKey{&AppSettings::startPMd}},
    {"LastPMd", "LastPMd", "0", true, NumKey{&AppSettings::lastPMd}},
    {"ExEnable", "ExEnable", "0", true, NumKey{&AppSettings::exEnable}},
    {"ExDev", "ExDev", "0", true, NumKey{&AppSettings::exDev}},
    {"ExPort", "ExPort", "0", true, NumKey{&AppSettings::exPort}},
    {"ExParm", "ExParm", "0", true, TextKey{&AppSettings::exParm}},
    {"ExDevice", "ExDevice", "", true, TextKey{&AppSettings::exDevice}},
    {"CvtFile", "CvtFile", "everyday.ccf", true, TextKey{&AppSettings::cvtFile}},
    {"FMEnable", "FMEnable", "0", true, NumKey{&AppSettings::fmEnable}},
    {"CardType", "CardType", "0", true, NumKey{&AppSettings::cardType}},
    {"CardPort", "CardPort", "0", true, NumKey{&AppSettings::cardPort}},
    {"FMTuneMd", "FMTuneMd", "0", true, NumKey{&AppSettings::fmTuneMd}},
    {"StartPreset", "StartPreset", "0", true, NumKey{&AppSettings::startPreset}},
    {"StartFreq", "StartFreq", "87.0", true, TextKey{&AppSettings::startFreq}},
    {"FMFreq", "FMFreq", "870", true, TextKey{&AppSettings::fmFreqText}},
};

}  // namespace

std::string DigitKey(std::string_view stem, int digit) {
  std::string key(stem);
  key += static_cast<char>('0' + digit);
  return key;
}

AppSettings ReadAppSettings(const SettingsStore& store) {
  AppSettings s;
  for (const KeyDef& k : kKeys) {
    if (auto* num = std::get_if<NumKey>(&k.target)) {
      s.*(num->field) = ReadSettingNum(store, k.readName, k.fallback);
    } else if (auto* text = std::get_if<TextKey>(&k.target)) {
      s.*(text->field) = ReadSetting(store, k.readName, k.fallback);
    } else if (auto* numText = std::get_if<NumAsTextKey>(&k.target)) {
      s.*(numText->field) = IntToText(ReadSettingNum(store, k.readName, k.fallback));
    }
  }
  for (int i = 0; i < 10; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    s.favSkin[slot] = ReadSetting(store, DigitKey("FavSkin", i), "");
    s.url[slot] = ReadSetting(store, DigitKey("URL", i), "");
    s.radioURL[slot] = ReadSetting(store, DigitKey("RadioURL", i), "");
  }
  s.lastTrack = ReadSettingNum(store, "LastTrack", "0");
  s.lastCover = ReadSetting(store, "LastCover", "");
  return s;
}

void WriteAppSettings(SettingsStore& store, const AppSettings& s) {
  // A key the file lacked, still at its default, must not replace what the screen saver
  // stored meanwhile: it is written as a default only.
  for (const KeyDef& k : kKeys) {
    if (!k.writtenAtExit) continue;
    const std::string numDefault = IntToText(ToInt16(LeadingNumber(k.fallback)));
    if (auto* num = std::get_if<NumKey>(&k.target)) {
      WriteSettingOrDefault(store, k.writeName, IntToText(s.*(num->field)), numDefault);
    } else if (auto* text = std::get_if<TextKey>(&k.target)) {
      WriteSettingOrDefault(store, k.writeName, s.*(text->field), k.fallback);
    } else if (auto* numText = std::get_if<NumAsTextKey>(&k.target)) {
      WriteSettingOrDefault(store, k.writeName, s.*(numText->field), numDefault);
    }
  }
  const std::pair<std::string_view, const std::array<std::string, 10>*> digitKeys[] = {
      {"FavSkin", &s.favSkin}, {"URL", &s.url}, {"RadioURL", &s.radioURL}};
  for (const auto& [stem, values] : digitKeys)
    for (int i = 0; i < 10; ++i)
      WriteSettingOrDefault(store, DigitKey(stem, i), (*values)[static_cast<std::size_t>(i)], "");
}

}  // namespace varlo
