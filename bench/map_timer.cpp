// map_timer: starts a program and prints how long it took, from the exec to its first
// top-level window being mapped, in milliseconds.
//
//   map_timer [--timeout SECONDS] [--hold MS] [--cpu 1] PROGRAM [ARGS...]
//   map_timer --probe        (exits 0 when the display can be opened, 1 when not)
//
// With --cpu 1 a second number follows the time: the processor time the program had used when
// the window was mapped (its process CPU-time clock, so threads that ended before the map count
// too), in milliseconds. It does not grow when other work on the machine delays the program, so
// it compares builds on a busy machine where the wall time cannot.
//
// It listens for MapNotify on the root window (SubstructureNotify), so it needs a display
// without a window manager that reparents (Xvfb as the bench script starts it). Override-redirect
// windows (menus, tooltips, splash pop-ups) do not count. After the map the program is left
// running for --hold milliseconds (default 0), then asked to end with SIGTERM and killed if it
// has not ended 5 s later. Exit status: 0 with the time on standard output; 1 on a usage or
// display error; 2 when the program ended or the time-out passed before any window was mapped.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern char** environ;

namespace {

double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

int Usage() {
  std::fprintf(stderr,
               "usage: map_timer [--timeout SECONDS] [--hold MS] [--cpu 1] PROGRAM [ARGS...]\n");
  return 1;
}

// Waits up to `ms` for the child to end; true when it has been reaped.
bool Reap(pid_t child, double ms) {
  const double until = NowMs() + ms;
  for (;;) {
    int status = 0;
    const pid_t r = waitpid(child, &status, WNOHANG);
    if (r == child || (r < 0 && errno == ECHILD)) return true;
    if (NowMs() >= until) return false;
    usleep(5000);
  }
}

void EndChild(pid_t child) {
  kill(child, SIGTERM);
  if (Reap(child, 5000)) return;
  kill(child, SIGKILL);
  Reap(child, 5000);
}

// Processor time of the whole process `pid` so far, in milliseconds, threads that have already
// ended included (its process CPU-time clock); -1 when unknown.
double CpuMs(pid_t pid) {
  clockid_t clock = 0;
  timespec used{};
  if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &used) != 0) return -1;
  return static_cast<double>(used.tv_sec) * 1e3 + static_cast<double>(used.tv_nsec) / 1e6;
}

struct Disconnect {
  void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};

}  // namespace

int main(int argc, char** argv) {
  double timeoutMs = 30000;
  double holdMs = 0;
  bool cpu = false;
  int first = 1;
  const bool probe = argc == 2 && std::strcmp(argv[1], "--probe") == 0;
  while (!probe && first < argc && std::strncmp(argv[first], "--", 2) == 0) {
    const std::string option = argv[first];
    if (option == "--") {
      ++first;
      break;
    }
    if (first + 1 >= argc) return Usage();
    char* end = nullptr;
    const double value = std::strtod(argv[first + 1], &end);
    if (end == argv[first + 1] || *end != '\0' || value < 0) return Usage();
    if (option == "--timeout")
      timeoutMs = value * 1000.0;
    else if (option == "--hold")
      holdMs = value;
    else if (option == "--cpu")
      cpu = value != 0;
    else
      return Usage();
    first += 2;
  }
  if (first >= argc && !probe) return Usage();

  int screenNumber = 0;
  std::unique_ptr<xcb_connection_t, Disconnect> conn(xcb_connect(nullptr, &screenNumber));
  if (xcb_connection_has_error(conn.get())) {
    if (!probe) std::fprintf(stderr, "map_timer: cannot open the display\n");
    return 1;
  }
  if (probe) return 0;
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn.get()));
  for (int i = 0; i < screenNumber && it.rem > 0; ++i) xcb_screen_next(&it);
  if (it.rem == 0) return 1;
  const xcb_window_t root = it.data->root;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_generic_error_t* error = xcb_request_check(
      conn.get(), xcb_change_window_attributes_checked(conn.get(), root, XCB_CW_EVENT_MASK, &mask));
  if (error != nullptr) {
    std::free(error);
    std::fprintf(stderr, "map_timer: cannot listen on the root window\n");
    return 1;
  }

  const double start = NowMs();
  pid_t child = 0;
  if (const int e = posix_spawnp(&child, argv[first], nullptr, nullptr, argv + first, environ)) {
    std::fprintf(stderr, "map_timer: cannot start %s: %s\n", argv[first], std::strerror(e));
    return 1;
  }

  double mappedAt = -1;
  pollfd pfd{xcb_get_file_descriptor(conn.get()), POLLIN, 0};
  while (mappedAt < 0) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(conn.get())) {
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (map->event == root && !map->override_redirect && mappedAt < 0) mappedAt = NowMs();
      }
      std::free(event);
    }
    if (mappedAt >= 0) break;
    if (xcb_connection_has_error(conn.get())) {
      std::fprintf(stderr, "map_timer: lost the display\n");
      EndChild(child);
      return 1;
    }
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "map_timer: %s ended before mapping a window\n", argv[first]);
      return 2;
    }
    const double left = start + timeoutMs - NowMs();
    if (left <= 0) {
      std::fprintf(stderr, "map_timer: no window mapped within the time-out\n");
      EndChild(child);
      return 2;
    }
    // Short polls, so a child that dies without a window is noticed quickly.
    poll(&pfd, 1, static_cast<int>(left < 20 ? left + 1 : 20));
  }
  if (cpu)
    std::printf("%.1f %.1f\n", mappedAt - start, CpuMs(child));
  else
    std::printf("%.1f\n", mappedAt - start);
  std::fflush(stdout);
  if (holdMs > 0) usleep(static_cast<useconds_t>(holdMs * 1000.0));
  EndChild(child);
  return 0;
}
