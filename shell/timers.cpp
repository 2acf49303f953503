// The main window's two periodic timers.
#include "shell/frm_tarnix.h"
#include "skin/animation.h"
#include "skin/slider_place.h"

namespace varlo {

void FrmTarnix::Timer1_Timer() {
  FMStatusUpdate();
  services_.events.DoEvents();  // a command may run here; the tick goes on with its state
  if (player_.cdMode) CDPositionUpdate();
  if (InWebRadioMode()) WRUpdate();
  // The position, lyrics and the end-of-entry rules.
  if (player_.playing && player_.songLenMs != 0) UpdatePosition();
}

void FrmTarnix::Timer2_Timer() {
  if (settings_.scrollName == 1) ScrollNameStep();

  const int second = services_.clock.Now().second;
  if (second != lastSecond_) {  // once a second
    lastSecond_ = second;
    if (second == 0) MinuteWork();
    SetDD(11, second);
    ShowTimerDisplay();
    if (pressedCounter_ > 0 && ++pressedCounter_ >= 4) {
      HidePressedImage(form_);
      pressedCounter_ = 0;
    }
  }

  PlaceSlider(form_, 2, WaveVolume());
  for (int n = 1; n <= 4; ++n) AnimStep(form_, n);
}

}  // namespace varlo
