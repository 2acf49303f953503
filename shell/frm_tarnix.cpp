#include "shell/frm_tarnix.h"

#include <algorithm>

#include "common/numtext.h"
#include "common/paths.h"
#include "player/auto_list.h"
#include "player/player_lights.h"

namespace varlo {

FrmTarnix::FrmTarnix(ShellServices services, SettingsStore& store, std::string programFolder,
                     PlaylistPrefetch* prefetch)
    : services_(services),
      store_(store),
      programFolder_(std::move(programFolder)),
      prefetch_(prefetch),
      access_(form_, services_.dialogs, services_.clock, settings_, sliderDrag_),
      titles_(services_.serial, settings_),
      tray_(services_.tray, *this, settings_),
      cdUnit_(services_.unit1, services_.drive) {
  skinLoader_ = std::make_unique<SkinLoader>(
      form_, settings_, programFolder_,
      SkinLoaderServices{services_.screen, services_.dialogs, services_.pictures, services_.events},
      *this);
  player_ = std::make_unique<PlayerMode>(
      access_, settings_, store_, programFolder_,
      PlayerServices{services_.unit0, cdUnit_, services_.clock, services_.events,
                     services_.pictures, services_.launcher, services_.embedded},
      PlayerModeLinks{titles_, tray_, discTracks_, services_.sideWindows}, prefetch_);

  cd_ = std::make_unique<CdPlayer>(access_, settings_, programFolder_, player_->State(),
                                   player_->List(), player_->Engine(), services_.drive,
                                   services_.http);
  discTracks_.Attach(*cd_);

  stationCover_ = std::make_unique<StationCover>(player_->Media());
  fm_ = std::make_unique<FmMode>(access_, settings_, store_, programFolder_, services_.tuner,
                                 *stationCover_);
  // The radio's skin shows the station's radio text where the player shows the song name.
  player_->YieldNameDisplayWhile([this] { return fm_->Shown(); });
  calculator_ = std::make_unique<Calculator>(access_, settings_, programFolder_);
  notepad_ = std::make_unique<Notepad>(access_, settings_, programFolder_, services_.printer);
  presence_ = std::make_unique<FormPresence>(form_);
  radioSwitch_ = std::make_unique<FmRadioSwitch>(*fm_);
  playerSwitch_ = std::make_unique<PlaylistSwitch>(*player_);
  webRadio_ = std::make_unique<WebRadioMode>(access_, settings_, programFolder_, services_.stream);
  streamSwitch_ = std::make_unique<WebRadioSwitch>(*webRadio_);
  clock_ = std::make_unique<ClockMode>(
      access_, settings_, services_.clock, autoList_,
      ClockLinks{*presence_, *radioSwitch_, *playerSwitch_, *streamSwitch_});

  browser_ = std::make_unique<BrowserMode>(access_, programFolder_, services_.web, services_.links,
                                           form_.tables.links);

  // Every slot holds a mode; those of subsystems still to come hold the null mode.
  modes_.fill(&absent_);
  Plug(ModeSlot::Player, *player_);
  Plug(ModeSlot::Cd, *cd_);
  Plug(ModeSlot::Fm, *fm_);
  Plug(ModeSlot::Tray, tray_);
  Plug(ModeSlot::Calculator, *calculator_);
  Plug(ModeSlot::Notepad, *notepad_);
  Plug(ModeSlot::Clock, *clock_);
  Plug(ModeSlot::WebRadio, *webRadio_);
  Plug(ModeSlot::Browser, *browser_);
}

void FrmTarnix::Plug(ModeSlot slot, Mode& mode) {
  if (slot == ModeSlot::Window || slot == ModeSlot::None) return;
  modes_[static_cast<std::size_t>(slot)] = &mode;
  // Each mode gets the start-up, shut-down and timer steps once, in slot order.
  distinctModes_.clear();
  for (Mode* m : modes_)
    if (m != &absent_ &&
        std::find(distinctModes_.begin(), distinctModes_.end(), m) == distinctModes_.end())
      distinctModes_.push_back(m);
}

FrmTarnix::~FrmTarnix() = default;

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

void FrmTarnix::Form_Load(const std::vector<std::string>& items) {
  gate_.RunIfIdle([&] {
    // 1-3.
    twipX_ = services_.screen.TwipsPerPixelX();
    twipY_ = services_.screen.TwipsPerPixelY();
    player_->Media().ClearInf();
    form_.mediaPlayer.left = -1000;
    PrepareWidgets();

    // 4-5. Every key, in table order.
    settings_ = ReadAppSettings(store_);
    PresetFavourites();

    // 6.
    if (settings_.exEnable == 1) titles_.ExDevOut("Welcome to Varlo!");

    // 7. Favourites and web links.
    for (std::size_t i = 0; i < 10; ++i) form_.lbl[50 + i].caption = settings_.url[i];

    // 8. Window position. Without stored keys the window system places the window. Twips
    // pass 32767 on screens wider than 2184 pixels, so the position is read in 32 bits.
    if (store_.Has(kSettingsSection, "X") && store_.Has(kSettingsSection, "Y")) {
      form_.window.left = ToInt32(LeadingNumber(ReadSetting(store_, "X", "0")));
      form_.window.top = ToInt32(LeadingNumber(ReadSetting(store_, "Y", "0")));
      form_.window.placed = true;
    }
    form_.Notify(kChangeGeometry);

    // 9. Playback state and mode.
    player_->ChooseStartMode();

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
    player_->InitVolumeAndBalance();
    const LocalTime now = services_.clock.Now();
    random_.seed(static_cast<unsigned>(now.hour * 3600000 + now.minute * 60000 + now.second * 1000 +
                                       now.millisecond));

    // 13.
    player_->Media().ClearInf();
    LoadSkin(settings_.skin, true);

    // 14-17. The schedule, then each mode's own start (stations, tuner, conversion file,
    // timers).
    ReadAutoList(programFolder_, autoList_);
    ForEachMode([](Mode& mode) { mode.Load(); });

    // 18-19. Minimised once; restoring the window afterwards sticks.
    if (settings_.startMin == 1) {
      form_.window.minimised = true;
      form_.Notify(kChangeWindowState);
    }

    // 20. What the playlist starts with.
    std::vector<std::string> absolute;
    for (const std::string& item : items)
      if (!item.empty()) absolute.push_back(AbsoluteItem(item));
    player_->StartWith(absolute);
    // A read begun early for another start than this one is not kept for later reads.
    if (prefetch_) prefetch_->Drop();

    // 21-22.
    form_.window.timer1Enabled = true;
    form_.window.timer2Enabled = true;
    form_.Notify(kChangeWindowState);
    // 22 waits for the window to show (Form_Shown).
    autoPlayDue_ = true;
  });
}

void FrmTarnix::Form_Shown() {
  if (!autoPlayDue_) return;
  autoPlayDue_ = false;
  UserInput([this] { player_->AutoPlay(); });
}

void FrmTarnix::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;

  // 1-6. Stop and release.
  ForEachMode([](Mode& mode) { mode.Release(); });
  titles_.ExDevOut("");
  titles_.SerialClose();
  form_.window.onTop = false;
  form_.Notify(kChangeWindowState);
  // The window's shape is owned by the view and released with the window.

  // 7-10. The settings, each mode's state and files, then the store once.
  for (std::size_t i = 0; i < 10; ++i) settings_.url[i] = form_.lbl[50 + i].caption;
  ForEachMode([](Mode& mode) { mode.SaveState(); });
  WriteAppSettings(store_, settings_);
  if (settings_.winSavePos == 1) {
    WriteSetting(store_, "X", IntToText(form_.window.left));
    WriteSetting(store_, "Y", IntToText(form_.window.top));
  }
  // A failed write at exit is said once, with its cause; the box holds up nothing else.
  if (const WriteStatus saved = WriteAutoList(programFolder_, autoList_); !saved)
    services_.dialogs.MsgBox(
        WithReason("Unable to write the schedule " + AddSlash(programFolder_) + kAutoListFile + "!",
                   saved),
        MsgButtons::Ok, "Varlo");
  if (const WriteStatus saved = store_.Save(); !saved)
    services_.dialogs.MsgBox(
        WithReason("Unable to write the settings file " + store_.Path() + "!", saved),
        MsgButtons::Ok, "Varlo");

  // 11-12. What the modes release or ask about last.
  ForEachMode([](Mode& mode) { mode.Unload(); });
  // 13. The view ends the process once the window has closed.
}

void FrmTarnix::PresetFavourites() {
  // The bundled skins of each kind are the favourites until the user picks others.
  const std::pair<std::size_t, const char*> bundled[] = {
      {1, "default.skin"}, {2, "calculator.skin"}, {3, "notepad.skin"}, {4, "clock.skin"},
      {5, "fm.skin"},      {6, "browser.skin"},    {7, "webradio.skin"}};
  for (const auto& [slot, file] : bundled) {
    const std::string path = AddSlash(programFolder_) + file;
    if (settings_.favSkin[slot].empty() && FileExists(path)) settings_.favSkin[slot] = path;
  }
}

bool FrmTarnix::CommandAvailable(int code) {
  if (code >= kFavouriteSkinItem && code < kFavouriteSkinItem + 10) {
    const std::string& path =
        settings_.favSkin[static_cast<std::size_t>(code - kFavouriteSkinItem)];
    return !path.empty() && FileExists(path);
  }
  const ModeSlot slot = RouteOfCommand(code, fm_->Shown());
  if (slot == ModeSlot::None) return false;
  if (slot == ModeSlot::Preferences || slot == ModeSlot::SkinBrowser) return true;
  return slot == ModeSlot::Window || ModeOf(slot).Handles(code);
}

void FrmTarnix::LoadFavouriteSkin(int slot) {
  UserInput([this, slot] {
    if (slot < 0 || slot > 9) return;
    const std::string path = settings_.favSkin[static_cast<std::size_t>(slot)];
    if (!path.empty() && FileExists(path)) LoadSkin(path, false);
  });
}

void FrmTarnix::OpenHandedItems(const std::vector<std::string>& items) {
  UserInput([this, items] { player_->OpenHandedItems(items); });
  Raise();
}

void FrmTarnix::Raise() {
  UserInput([this] { ShowRestored(); });
}

void FrmTarnix::RestoreWindow() {
  UserInput([this] {
    // A window in view stays as it is.
    if (form_.window.shown && !form_.window.minimised) return;
    ShowRestored();
  });
}

void FrmTarnix::ShowRestored() {
  form_.window.shown = true;
  form_.window.minimised = false;
  ++form_.window.restoreRequests;
  form_.window.onTop = WantsOnTop(settings_);
  form_.Notify(kChangeWindowState);
}

void FrmTarnix::ApplyOnTop() {
  form_.window.onTop = WantsOnTop(settings_);
  form_.Notify(kChangeWindowState);
}

void FrmTarnix::ApplyReplayGain() {
  player_->Engine().ApplyReplayGain();
}

void FrmTarnix::ScreenPoint(int& x, int& y) {
  x += form_.window.left / std::max(1, twipX_);
  y += form_.window.top / std::max(1, twipY_);
}

void FrmTarnix::ButtonCorner(int code, int& x, int& y) {
  x = y = 0;
  // Skins fill the button slots in file order, and a slot the skin leaves unused keeps an
  // older skin's place: the button is found by its command, among those shown.
  for (std::size_t i = 1; i < form_.btn.size(); ++i) {
    const ButtonWidget& b = form_.btn[i];
    if (b.visible && b.code == code) {
      x = b.left;
      y = b.top;
      return;
    }
  }
}

void FrmTarnix::Quit() {
  services_.window.Close();
}

void FrmTarnix::ShowLights() {
  varlo::ShowLights(access_, player_->State());
}

void FrmTarnix::ResetWindowSizeState() {
  small_ = 0;
  hFlag_ = 0;
}

void FrmTarnix::FormPaint() {
  ForEachMode([](Mode& mode) { mode.Paint(); });
  access_.SetDD(11, services_.clock.Now().second);
  form_.Notify(kChangeWidgets);
}

}  // namespace varlo
