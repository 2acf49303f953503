// What the playback engine reaches in the main window: labels, digit displays, sliders, the
// play animation, the lights and the subsystems around the player.
#include <cstdlib>

#include "common/find_program.h"
#include "common/paths.h"
#include "shell/frm_tarnix.h"
#include "skin/slider_place.h"

namespace varlo {

PlaybackHooks FrmTarnix::MakePlaybackHooks() {
  PlaybackHooks h;
  h.setLabel = [this](int n, const std::string& caption) { SetCaption(n, caption); };
  h.setPositionDigits = [this](std::int32_t seconds) { SetDD(1, seconds); };
  h.setTrackDigits = [this](int track) { SetDD(2, track); };
  h.setNameDigits = [this](const std::string& name) { SetDD(6, name); };
  h.showLights = [this] { ShowLights(); };
  h.selectionChanged = [this] {
    if (playlist_.onSelected) playlist_.onSelected();
  };
  h.repaint = [this] { form_.Notify(kChangeWidgets); };
  h.setPlayAnimation = [this](bool running) {
    form_.tables.anims[2].running = running;
    form_.Notify(kChangeAnimation);
  };
  h.sliderUsable = [this](int n) {
    const SkinWidget& knob = form_.slider[static_cast<std::size_t>(n)];
    return knob.width > 0 && knob.height > 0;
  };
  h.sliderVisible = [this](int n) { return form_.slider[static_cast<std::size_t>(n)].visible; };
  h.setSliderVisible = [this](int n, bool visible) {
    PictureWidget& knob = form_.slider[static_cast<std::size_t>(n)];
    if (knob.visible == visible) return;
    knob.visible = visible;
    form_.Notify(kChangeWidgets);
  };
  h.placeSlider = [this](int n, double fraction) { PlaceSlider(form_, n, fraction); };
  h.positionSliderDragged = [this] { return sliderDrag_.n == 1; };
  h.getMp3Info = [this](const std::string& path) { GetMP3Info(path); };
  h.tagTitle = [this] { return tag_.title; };
  h.tagArtist = [this] { return tag_.artist; };
  h.clearTagTitle = [this] { tag_.title.clear(); };
  h.clearTag = [this] { tag_ = TagRecord{}; };
  h.loadTagCover = [this] { LoadTagCover(GetPath(player_.songPath), tag_.artist, tag_.album); };
  h.loadCover = [this](const std::string& path) { LoadCover(path); };
  h.loadLyrics = [this](const std::string& path) { LoadLyrics(path); };
  h.lyricsSynchronised = [this] { return lyricFollower_.Sheet().synced; };
  h.playLyrics = [this] { PlayLyrics(); };
  h.exDevOut = [this](const std::string& text) { ExDevOut(text); };
  h.showMixer = [this] { StartMixer(); };
  h.repeatBButtonVisible = [this] { return form_.btn[31].visible; };
  h.fmMode = [this] { return form_.fmPreset.visible; };
  h.fmJump = [this](double number) { FMJump(number); };
  return h;
}

void FrmTarnix::StartMixer() {
  const char* path = std::getenv("PATH");
  const std::string searchPath = path ? path : "/usr/local/bin:/usr/bin:/bin";
  // The PulseAudio/PipeWire mixer first, then those of the common desktops.
  static const char* const kMixers[] = {"pavucontrol", "pavucontrol-qt", "mate-volume-control",
                                        "xfce4-mixer", "kmix"};
  for (const char* mixer : kMixers) {
    const std::string program = FindOnPath(mixer, searchPath);
    if (!program.empty() && services_.launcher.StartDetached(program, {})) return;
  }
  services_.dialogs.MsgBox("No volume mixer found (install pavucontrol).", MsgButtons::Ok, "Varlo");
}

}  // namespace varlo
