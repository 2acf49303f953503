// Feeds arbitrary bytes to the screen saver's skin reader and checks that whatever it accepts
// can be drawn: every shown element has a positive size and stays within its range, and the
// scene of a window of any size, with the animations run on, has only copies of positive height.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "screensaver/saver_clock.h"
#include "screensaver/saver_scene.h"
#include "screensaver/saver_skin.h"

namespace {

struct FixedClock final : varlo::IClock {
  varlo::LocalTime Now() const override { return {}; }
  std::int64_t SteadyMs() const override { return 0; }
  std::int64_t UtcSeconds() const override { return 0; }
};

}  // namespace

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > varlo::kMaxSaverSkinBytes) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto skin = varlo::ParseSaverSkin(text, "/skins/");
  if (!skin) return 0;
  for (const auto& d : skin->digits) {
    if (!d.shown) continue;
    Check(d.rec.w >= 1 && d.rec.h >= 1 && d.width >= 1 && d.rec.gap >= 0);
    const std::string cells =
        varlo::SaverDigitText(d.rec.style, std::string(text.substr(0, 20)), {}, true);
    Check(cells.size() < 200);
  }
  for (const auto& l : skin->labels) Check(!l.shown || (l.w >= 1 && l.h >= 1 && l.font.size >= 1));
  for (const auto& a : skin->anims)
    Check(!a.shown ||
          (a.rec.w >= 1 && a.rec.h >= 1 && a.rec.a1 >= 1 && a.rec.a2 >= 1 && a.rec.a3 >= 1));
  Check(!skin->cover.shown || (skin->cover.w >= 1 && skin->cover.h >= 1));

  const FixedClock time;
  varlo::SaverClock clock(time, static_cast<int>(size % 2));
  clock.Start();
  varlo::SaverAnimations animations;
  for (std::size_t i = 0; i < size % 40; ++i) animations.Tick(*skin);
  const int width = static_cast<int>(size % 4000), height = static_cast<int>(size % 3000);
  const varlo::SaverScene scene =
      varlo::BuildSaverScene(*skin, width, height, width / 3, height / 2, clock, animations);
  for (const varlo::Blit& b : scene.blits) Check(b.w >= 0 && b.h >= 1);  // a colon may be 0 wide
  Check(scene.blits.size() <= 2 + 2 * varlo::DigitBlits::kCapacity);
  return 0;
}
