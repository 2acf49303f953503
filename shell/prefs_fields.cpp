#include "shell/prefs_fields.h"

#include <algorithm>
#include <cmath>

#include "common/numtext.h"

namespace varlo {
namespace {

bool On(std::int16_t flag) {
  return flag == 1;
}
std::int16_t Flag(bool ticked) {
  return ticked ? 1 : 0;
}
std::int16_t Index(int index) {
  return static_cast<std::int16_t>(std::clamp(index, 0, 32767));
}

}  // namespace

PrefsFields FieldsFromSettings(const AppSettings& s) {
  PrefsFields f;
  f.onTop = WantsOnTop(s);
  f.snap = On(s.winSnap);
  f.saveWin = On(s.winSavePos);
  f.startOpt = std::clamp<int>(s.startMd, 0, 2);
  f.startFile = s.startFile;
  f.startMin = On(s.startMin);
  f.autoCover = On(s.autoCover);
  f.noRMB = On(s.noRMB);
  f.useSkinB = On(s.useSkinBrowser);
  f.timeFmt = On(s.timeFmt);

  f.snoozeEn = On(s.snooze);
  f.snzMd = std::clamp<int>(s.snoozeMode, 0, 1);
  f.snoozeAt = s.snoozeTime;
  f.autoEn = On(s.autoSchedule);
  f.minOnSnz = On(s.snoozeHide);

  f.visPLD = s.visPLPath;
  f.skinPath = s.skinPath;

  f.startPMd = std::clamp<int>(s.startPMd, 0, 2);
  f.useCDDB = On(s.useCDDB);
  f.cddbCmd = s.cddbCmd;
  f.email = s.emailID;
  f.useCDP = On(s.useCDP);
  f.autoPlay = On(s.autoPlay);
  f.clrPl = On(s.clearPLFirst);
  f.scrollName = On(s.scrollName);
  f.tagCover = On(s.useTagCover);
  f.friendly = On(s.friendlyNames);
  f.autoCloseQF = On(s.autoCloseQF);
  f.validExt = s.validExt;
  f.mciDev = std::clamp(static_cast<int>(LeadingNumber(s.mciDevice)), 0, 2);
  f.contPB = On(s.contPB);
  f.pbOverlap = IntToText(s.pbOverlap);
  // A value no choice stands for plays as off, and shows so.
  f.replayGain = s.replayGain >= 0 && s.replayGain <= 2 ? s.replayGain : 0;

  f.exMute = std::clamp<int>(s.exitMode, 0, 2);
  f.tuneOpt = std::clamp<int>(s.fmTuneMd, 0, 2);
  f.startPreset = IntToText(s.startPreset);
  f.startFreq = s.startFreq;
  f.fmEnable = On(s.fmEnable);
  f.cardType = std::clamp<int>(s.cardType, 0, 2);
  f.cardPort = std::clamp<int>(s.cardPort, 0, 1);

  f.exEnable = On(s.exEnable);
  f.exDev = std::clamp<int>(s.exDev, 0, 1);
  f.exPort = std::clamp<int>(s.exPort, 0, 3);
  f.exDevice = s.exDevice;
  f.exParm = s.exParm;
  return f;
}

void CopyFieldsToSettings(const PrefsFields& f, AppSettings& s, bool copySkinPath) {
  s.noRMB = Flag(f.noRMB);
  s.autoPlay = Flag(f.autoPlay);
  s.exDev = Index(f.exDev);
  s.exEnable = Flag(f.exEnable);
  s.friendlyNames = Flag(f.friendly);
  s.scrollName = Flag(f.scrollName);
  s.useTagCover = Flag(f.tagCover);
  s.useSkinBrowser = Flag(f.useSkinB);
  s.exParm = f.exParm;
  s.exPort = Index(f.exPort);
  s.exDevice = f.exDevice;
  s.autoSchedule = Flag(f.autoEn);
  s.clearPLFirst = Flag(f.clrPl);
  s.winSavePos = Flag(f.saveWin);
  const double overlap = LeadingNumber(TrimBlanks(f.pbOverlap));
  s.pbOverlap = static_cast<std::int16_t>(
      std::isfinite(overlap) ? std::clamp(overlap, 0.0, double{kMaxOverlapMs}) : 0.0);
  if (copySkinPath) s.skinPath = f.skinPath;
  s.winSnap = Flag(f.snap);
  s.snoozeTime = f.snoozeAt;
  s.startMin = Flag(f.startMin);
  s.timeFmt = Flag(f.timeFmt);
  s.startFile = f.startFile;
  s.useCDDB = Flag(f.useCDDB);
  s.useCDP = Flag(f.useCDP);
  s.winOnTop = Flag(f.onTop);
  s.snoozeHide = Flag(f.minOnSnz);
  s.mciDevice = IntToText(std::clamp(f.mciDev, 0, 2));
  s.visPLPath = f.visPLD;
  s.fmEnable = Flag(f.fmEnable);
  s.exitMode = Index(f.exMute);
  s.startFreq = f.startFreq;
  s.validExt = f.validExt;
  s.startPMd = Index(f.startPMd);
  s.autoCover = Flag(f.autoCover);
  // Shown on the tabs as well, and kept too.
  s.cddbCmd = f.cddbCmd;
  s.emailID = f.email;
  const double preset = LeadingNumber(TrimBlanks(f.startPreset));
  s.startPreset = ToInt16(std::isfinite(preset) ? std::clamp(preset, 0.0, 32767.0) : 0.0);
  s.contPB = Flag(f.contPB);
  s.replayGain = static_cast<std::int16_t>(std::clamp(f.replayGain, 0, 2));
}

std::array<std::string, 2> CardAddresses(int cardType) {
  if (cardType == 0) return {"350h (default)", "358h (alternate)"};
  return {"30Ch (default)", "20Ch (alternate)"};
}

}  // namespace varlo
