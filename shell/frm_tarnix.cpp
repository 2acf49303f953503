#include "shell/frm_tarnix.h"

#include "common/numtext.h"
#include "common/paths.h"
#include "player/auto_list.h"
#include "player/display_name.h"
#include "shell/lights.h"

namespace varlo {

FrmTarnix::FrmTarnix(ShellServices services, SettingsStore& store, std::string programFolder)
    : services_(services), store_(store), programFolder_(std::move(programFolder)) {
  skinLoader_ = std::make_unique<SkinLoader>(
      form_, settings_, programFolder_,
      SkinLoaderServices{services_.screen, services_.dialogs, services_.pictures, services_.events},
      *this);
  playlistActions_ =
      std::make_unique<PlaylistActions>(playlist_, player_, settings_, services_.dialogs,
                                        services_.events, programFolder_, MakePlaylistHooks());
  engine_ = std::make_unique<PlaybackEngine>(player_, playlist_, settings_, services_.unit0,
                                             services_.unit1, services_.dialogs, services_.clock,
                                             MakePlaybackHooks());
  trackInfo_ = std::make_unique<TrackInfoForm>(tag_, player_, settings_, services_.dialogs);
}

PlaylistHooks FrmTarnix::MakePlaylistHooks() {
  PlaylistHooks hooks;
  hooks.setName = [this](const std::string& name) {
    form_.lbl[14].caption = name;
    form_.Notify(kChangeWidgets);
  };
  hooks.setCount = [this](const std::string& count) {
    form_.lbl[16].caption = count;
    form_.Notify(kChangeWidgets);
  };
  hooks.loadCover = [this](const std::string& path) { LoadCover(path); };
  hooks.playIt = [this] { PlayIt(); };
  hooks.setDigits = [this](int n) { SetDD(2, n); };
  hooks.storePath = [this](const std::string& folder) {
    WriteSetting(store_, "Path", folder);  // written the moment a dialog is confirmed
    store_.Save();
  };
  hooks.saveFile = [this](const FileDialogRequest& r) { return services_.dialogs.SaveFile(r); };
  hooks.folderProgress = [this](std::size_t taken) {
    form_.lbl[16].caption = IntToText(static_cast<long long>(taken));
    form_.Notify(kChangeWidgets);
  };
  return hooks;
}

void FrmTarnix::AddToPlaylist(const std::string& name, const std::string& path,
                              const std::string& title) {
  playlistActions_->Add() = {name, path, title};
  playlistActions_->AddToPlaylist();
}

FrmTarnix::~FrmTarnix() = default;

void FrmTarnix::SetCaption(int n, const std::string& caption) {
  LabelWidget& label = form_.lbl[static_cast<std::size_t>(n)];
  if (label.caption == caption) return;
  label.caption = caption;
  form_.Notify(kChangeCaptions);
}

void FrmTarnix::PrepareWidgets() {
  // Element 0 of each array is never used by skins: transparent and without caption.
  form_.btn[0].visible = false;
  form_.dig[0].visible = false;
  form_.lbl[0].visible = false;
  form_.lbl[0].caption.clear();
  // The position and title labels read better right-aligned.
  form_.lbl[1].rightAligned = true;
  form_.lbl[18].rightAligned = true;
}

void FrmTarnix::ChooseStartMode() {
  switch (settings_.startPMd) {
    case 0:
      player_.cdMode = settings_.lastPMd != 0;
      break;
    case 2:
      player_.cdMode = true;
      break;
    default:
      player_.cdMode = false;
      break;
  }
  if (player_.cdMode) player_.playUnit = PlayUnit::CD;
}

void FrmTarnix::Form_Load(const std::string& commandLine) {
  // 1-3.
  twipX_ = services_.screen.TwipsPerPixelX();
  twipY_ = services_.screen.TwipsPerPixelY();
  ClearInf();
  form_.mediaPlayer.left = -1000;
  PrepareWidgets();

  // 4-5. Every key, in table order.
  settings_ = ReadAppSettings(store_);
  fmFreq_ = ToInt32(LeadingNumber(settings_.fmFreqText));

  // 6.
  if (settings_.exEnable == 1) ExDevOut("Welcome to Varlo!");

  // 7. Favourites, web links and radio addresses.
  for (std::size_t i = 0; i < 10; ++i) {
    form_.lbl[50 + i].caption = settings_.url[i];
    radioURL_[i] = settings_.radioURL[i];
  }

  // 8. Window position; an absent key keeps where the window system put the window. Twips
  // pass 32767 on screens wider than 2184 pixels, so the position is read in 32 bits.
  form_.window.left =
      ToInt32(LeadingNumber(ReadSetting(store_, "X", IntToText(form_.window.left))));
  form_.window.top = ToInt32(LeadingNumber(ReadSetting(store_, "Y", IntToText(form_.window.top))));
  form_.Notify(kChangeGeometry);

  // 9. Playback state and mode.
  player_.tNum = 1;
  player_.playing = player_.paused = player_.repeat = player_.intro = false;
  ChooseStartMode();

  // 10.
  form_.lbl[23].caption = "0";

  // 11. The skin.
  if (!settings_.skin.empty() && !FileExists(settings_.skin)) {
    services_.dialogs.MsgBox(
        "Previously selected skin not found (" + settings_.skin + ")! Using default",
        MsgButtons::Ok, "Varlo");
    settings_.skin.clear();
  }
  if (settings_.skin.empty()) settings_.skin = AddSlash(programFolder_) + "default.skin";

  // 12.
  InitVolumeAndBalance();
  const LocalTime now = services_.clock.Now();
  random_.seed(static_cast<unsigned>(now.hour * 3600000 + now.minute * 60000 + now.second * 1000 +
                                     now.millisecond));

  // 13.
  ClearInf();
  skinLoader_->LoadSkin(settings_.skin, true);

  // 14-17.
  ReadAutoList(programFolder_, autoList_);
  LoadStationList();
  LoadWebRadioList();
  SetTunerCard(settings_.cardType, settings_.cardPort);
  if (settings_.fmEnable == 1) {
    radio_on();
    FMFindStation();
  }
  if (!settings_.cvtFile.empty()) LoadConversionFile(settings_.cvtFile);
  MakeDayStr();
  TimerFn(0);

  // 18-19.
  if (settings_.startMin == 1) {
    form_.window.minimised = true;
    form_.Notify(kChangeWindowState);
  }
  LoadTrayIcon();

  // 20. What the playlist starts with.
  if (!commandLine.empty()) {
    AddToPlaylist("Commandline", commandLine, DisplayName(commandLine, settings_.friendlyNames));
    player_.tNum = 1;
  } else if (settings_.startMd == 1) {
    RestoreLastState();
  } else if (settings_.startMd == 2) {
    AddToPlaylist(settings_.startFile, settings_.startFile, "");
  }

  // 21-22.
  form_.window.timer1Enabled = true;
  form_.window.timer2Enabled = true;
  form_.Notify(kChangeWindowState);
  if (settings_.autoPlay == 1) PlayIt();
}

void FrmTarnix::RestoreLastState() {
  const std::string path = AddSlash(programFolder_) + "playlist.m3u";
  if (FileExists(path)) {
    playlistActions_->PlClear();
    playlistActions_->PlRead(path);
    player_.tNum = ReadSettingNum(store_, "LastTrack", "0");
  }
  const std::string cover = ReadSetting(store_, "LastCover", "");
  if (!cover.empty()) {
    LoadCover(cover);
    player_.coverPath = cover;
  }
}

void FrmTarnix::SaveLastState() {
  WriteSetting(store_, "LastCover", player_.coverPath);
  WriteSetting(store_, "LastTrack", IntToText(player_.tNum));
  playlistActions_->WritePL(AddSlash(programFolder_) + "playlist.m3u");
}

void FrmTarnix::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;

  // 1-6. Stop and release.
  if (!player_.cdMode) StopIt();
  ExDevOut("");
  form_.window.onTop = false;
  form_.Notify(kChangeWindowState);
  // The window's shape is owned by the view and released with the window.
  CloseMediaDevices();
  if (SerialIsOpen()) SerialClose();

  // 7-8. The settings.
  settings_.lastPMd = player_.cdMode ? -1 : 0;
  settings_.fmFreqText = IntToText(fmFreq_);
  for (std::size_t i = 0; i < 10; ++i) {
    settings_.url[i] = form_.lbl[50 + i].caption;
    settings_.radioURL[i] = radioURL_[i];
  }
  WriteAppSettings(store_, settings_);
  WriteSetting(store_, "FMVolume", IntToText(get_volume()));
  SaveVolume();
  if (settings_.winSavePos == 1) {
    WriteSetting(store_, "X", IntToText(form_.window.left));
    WriteSetting(store_, "Y", IntToText(form_.window.top));
  }

  // 9-10. Lists and the playlist.
  WriteURLList();
  WriteAutoList(programFolder_, autoList_);
  SaveLastState();
  store_.Save();

  // 11-12.
  UnloadTrayIcon();
  if (settings_.fmEnable == 1) {
    if (settings_.exitMode == 1) {
      radio_off();
    } else if (settings_.exitMode == 2 &&
               services_.dialogs.MsgBox("Mute FM Tuner Audio?", MsgButtons::YesNo, "Varlo") ==
                   MsgResult::Yes) {
      radio_off();
    }
  }
  // 13. The view ends the process once the window has closed.
}

void FrmTarnix::Quit() {
  services_.window.Close();
}

void FrmTarnix::ShowLights() {
  varlo::ShowLights(form_, player_);
}

void FrmTarnix::ResetWindowSizeState() {
  small_ = 0;
  hFlag_ = 0;
}

void FrmTarnix::SetDD(int n, const DigitValue& value) {
  varlo::SetDD(form_, n, value, DigitClock{services_.clock, settings_.timeFmt != 1});
}

void FrmTarnix::FormPaint() {
  SetDD(1, player_.elapsedMs / 1000);
  SetDD(2, player_.tNum);
  SetDD(3, 0);
  SetDD(4, form_.lbl[10].caption);
  SetDD(5, form_.lbl[11].caption);
  SetDD(9, fmFreq_ / 10.0);
  SetDD(11, services_.clock.Now().second);
  PaintModeDisplays();
  form_.Notify(kChangeWidgets);
}

}  // namespace varlo
