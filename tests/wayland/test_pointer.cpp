// A pointer for tests of the program under a headless wlroots compositor, which has no input
// devices of its own: it creates a virtual pointer and plays the steps its arguments give.
//
//   test-pointer WIDTH HEIGHT STEP...
//     move X Y     the pointer to X,Y of the WIDTH x HEIGHT output
//     press, release, right-press, right-release    the left or right button
//     wait MS      a pause, in which the compositor and the program catch up
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

#include "virtual-pointer-client-protocol.h"

namespace {

struct Globals {
  wl_seat* seat = nullptr;
  zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
  auto* g = static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && g->seat == nullptr) {
    g->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    g->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
  }
}
void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistry{OnGlobal, OnGlobalRemove};

std::uint32_t Now() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: test-pointer WIDTH HEIGHT STEP...\n", stderr);
    return 2;
  }
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    std::fputs("test-pointer: no Wayland display\n", stderr);
    return 1;
  }
  Globals g;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistry, &g);
  wl_display_roundtrip(display);
  if (g.manager == nullptr) {
    std::fputs("test-pointer: the compositor has no virtual pointers\n", stderr);
    return 77;
  }
  zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g.manager, g.seat);
  const auto width = static_cast<std::uint32_t>(std::atoi(argv[1]));
  const auto height = static_cast<std::uint32_t>(std::atoi(argv[2]));
  // The compositor gives the seat its pointer once it has seen the device.
  wl_display_roundtrip(display);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));

  for (int i = 3; i < argc; ++i) {
    const std::string_view step = argv[i];
    if (step == "move" && i + 2 < argc) {
      const auto x = static_cast<std::uint32_t>(std::atoi(argv[i + 1]));
      const auto y = static_cast<std::uint32_t>(std::atoi(argv[i + 2]));
      zwlr_virtual_pointer_v1_motion_absolute(pointer, Now(), x, y, width, height);
      i += 2;
    } else if (step == "press" || step == "release" || step == "right-press" ||
               step == "right-release") {
      const bool right = step.starts_with("right");
      const bool down = step.ends_with("press");
      zwlr_virtual_pointer_v1_button(
          pointer, Now(), right ? BTN_RIGHT : BTN_LEFT,
          down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (step == "wait" && i + 1 < argc) {
      wl_display_roundtrip(display);
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[++i])));
      continue;
    } else {
      std::fprintf(stderr, "test-pointer: unknown step '%s'\n", argv[i]);
      return 2;
    }
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}
