// The per-tick drawing decisions: a digit display redrawn and an animation stepped.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/clock.h"
#include "skin/animation.h"
#include "skin/digit_display.h"

namespace {

struct StillClock : varlo::IClock {
  varlo::LocalTime Now() const override { return {}; }
  std::int64_t SteadyMs() const override { return 0; }
  std::int64_t UtcSeconds() const override { return 0; }
};

std::unique_ptr<varlo::SkinForm> DisplayForm(int style, int d1) {
  auto form = std::make_unique<varlo::SkinForm>();
  form->onChange = [](unsigned) {};
  form->dig[1].Place(10, 10, 100, 12);
  form->dig[1].visible = true;
  varlo::DigitRecord& rec = form->tables.digits[1];
  rec.w = 8, rec.h = 12, rec.gap = 3, rec.d1 = d1, rec.d2 = 1, rec.style = style;
  return form;
}

// The playing position: a new second on every call, so the cells always change.
void BM_SetDDPosition(benchmark::State& state) {
  auto form = DisplayForm(0, 0);
  const StillClock clock;
  int seconds = 0;
  for (auto _ : state) varlo::SetDD(*form, 1, ++seconds % 6000, {clock});
}
BENCHMARK(BM_SetDDPosition);

// The scrolling song name on a 16-cell alphanumeric display, one step along per call.
void BM_SetDDScrollingName(benchmark::State& state) {
  auto form = DisplayForm(16, 1);
  const StillClock clock;
  const std::string name = "Some Artist - A Rather Long Song Title (Live)    ";
  std::size_t start = 0;
  for (auto _ : state) {
    start = (start + 1) % (name.size() - 16);
    varlo::SetDD(*form, 1, std::string_view(name).substr(start), {clock});
  }
}
BENCHMARK(BM_SetDDScrollingName);

void BM_AnimStep(benchmark::State& state) {
  varlo::SkinForm form;
  form.onChange = [](unsigned) {};
  form.anim[2].visible = true;
  varlo::AnimRecord& a = form.tables.anims[2];
  a.w = a.h = 16, a.a1 = 4, a.a2 = 8, a.a3 = 1, a.running = true;
  for (auto _ : state) varlo::AnimStep(form, 2);
}
BENCHMARK(BM_AnimStep);

}  // namespace
