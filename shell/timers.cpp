// The main window's two periodic timers, stepping each mode in turn.
#include "shell/frm_tarnix.h"
#include "skin/animation.h"

namespace varlo {

void FrmTarnix::Timer1_Timer() {
  // A tick inside another tick is skipped, as is one that arrives while a skin load holds
  // the timer off.
  if (unloaded_ || !form_.window.timer1Enabled) return;
  gate_.RunTick([this] { Timer1Work(); });
}

void FrmTarnix::Timer1Work() {
  ModeOf(ModeSlot::Fm).Timer1Step();
  services_.events.DoEvents();  // input arriving here waits until the tick ends
  ModeOf(ModeSlot::Cd).Timer1Step();
  ModeOf(ModeSlot::WebRadio).Timer1Step();
  ModeOf(ModeSlot::Player).Timer1Step();
}

void FrmTarnix::Timer2_Timer() {
  // The skin's tables are rebuilt during a load: the displays wait for it to end.
  if (unloaded_ || skinLoading_) return;
  gate_.RunTick([this] { Timer2Work(); });
}

void FrmTarnix::Timer2Work() {
  ForEachMode([](Mode& mode) { mode.Timer2Step(); });

  const int second = services_.clock.Now().second;
  if (second != lastSecond_) {  // once a second
    lastSecond_ = second;
    if (second == 0) ForEachMode([](Mode& mode) { mode.MinuteStep(); });
    access_.SetDD(11, second);
    ForEachMode([](Mode& mode) { mode.SecondStep(); });
    if (pressedCounter_ > 0 && ++pressedCounter_ >= 4) {
      HidePressedImage(form_);
      pressedCounter_ = 0;
    }
  }

  for (int n = 1; n <= 4; ++n) AnimStep(form_, n);
}

}  // namespace varlo
