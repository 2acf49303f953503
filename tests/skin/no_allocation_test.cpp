// Drawing runs on every timer tick, so it must not touch the heap: this test counts the calls
// of the global allocator while digit displays and animations are redrawn.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "skin/animation.h"
#include "skin/digit_display.h"
#include "tests/support/fakes.h"

namespace {
thread_local long allocations = 0;
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace varlo {
namespace {

TEST(Drawing, RedrawingDisplaysAndAnimationsAllocatesNothing) {
  auto form = std::make_unique<SkinForm>();
  testing::FakeClock clock;
  int notes = 0;
  form->onChange = [&](unsigned) { ++notes; };
  const int styles[] = {0, 16, 1, 2, 3, -4, 5};
  for (int n = 1; n <= 7; ++n) {
    form->dig[static_cast<std::size_t>(n)].visible = true;
    DigitRecord& rec = form->tables.digits[static_cast<std::size_t>(n)];
    rec.w = 8, rec.h = 10, rec.gap = 3, rec.d1 = n == 2 ? 1 : 0;
    rec.style = styles[n - 1];
  }
  form->anim[2].visible = true;
  AnimRecord& a = form->tables.anims[2];
  a.w = a.h = 10, a.a1 = 2, a.a2 = 3, a.a3 = 1, a.running = true;
  const std::string name = "A song name far longer than any small-string buffer - 2024";

  {
    const long start = allocations;
    const std::string probe(100, 'x');
    ASSERT_EQ(allocations, start + 1) << "the counting allocator is not the one in use";
  }
  const long before = allocations;
  for (int second = 0; second < 50; ++second) {
    clock.now.second = second;
    clock.now.hour = second % 24;
    const std::string_view scrolled =
        std::string_view(name).substr(static_cast<std::size_t>(second % 20));
    SetDD(*form, 1, second * 61, {clock});
    SetDD(*form, 2, scrolled, {clock});
    SetDD(*form, 3, 0, {clock, true});
    SetDD(*form, 4, 0, {clock, false});
    SetDD(*form, 5, second + 0.5, {clock});
    SetDD(*form, 6, "12345", {clock});
    SetDD(*form, 7, 3725, {clock});
    AnimStep(*form, 2);
  }
  EXPECT_EQ(allocations - before, 0);
  EXPECT_GT(notes, 100);
}

}  // namespace
}  // namespace varlo
