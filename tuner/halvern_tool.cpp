// halvern-tool: drives a tuner card from the command line through libhalvern.so, loaded and
// bound by name exactly as the main program does. Commands run in the order given, e.g.
//   halvern-tool card 0 port 0x350 tune 101.1 on detect

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "tuner/halvern.h"
#include "tuner/library_loader.h"

namespace {

constexpr const char* kUsage =
    "usage: halvern-tool COMMAND...\n"
    "  card N      select the card: 0 Aztech/PB/CompExpress, 1 Aims Labs RadioTrack,\n"
    "              2 Aims Labs RadioTrack II, 3 V4L2 radio ($HALVERN_V4L2 or /dev/radio0)\n"
    "  port P      set the card's base port, e.g. 0x350\n"
    "  tune MHZ    tune to MHZ megahertz, e.g. 101.1 (follow with 'on' to hear it)\n"
    "  on, off     switch the audio on or off\n"
    "  up, down    one volume step louder or softer\n"
    "  volume N    set the volume byte (0, 1, 4, 5 on the Aztech card)\n"
    "  detect      print the stereo and signal lines\n"
    "  read        print one raw byte read from the port\n"
    "  rds         print the RDS station name and radio text (card 3)\n"
    "  capture     print the sound capture device the radio's audio arrives on (card 3)\n"
    "  version     print the library's version\n"
    "Before any 'card' or 'port' the library drives card 0 at port 0x30C.\n"
    "HALVERN_PORT=sim uses an emulated card with the stations in HALVERN_SIM_STATIONS.\n";

enum class Op {
  kCard,
  kPort,
  kTune,
  kOn,
  kOff,
  kUp,
  kDown,
  kVolume,
  kDetect,
  kRead,
  kRds,
  kCapture,
  kVersion
};

struct Command {
  Op op;
  long value = 0;
};

// A decimal number, or a hexadecimal one after "0x" (port numbers are written that way).
bool ParseInteger(std::string_view text, long max, long* out) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > max)
    return false;
  *out = value;
  return true;
}

// Read with from_chars, so that a "." is the decimal point whatever the locale says.
bool ParseMegahertz(std::string_view text, long* hz) {
  double mhz = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), mhz);
  if (ec != std::errc() || end != text.data() + text.size() || !(mhz > 0.0 && mhz < 2000.0))
    return false;
  *hz = std::lround(mhz * 1e6);
  return true;
}

// Returns false, after saying why, on an unknown command or a bad argument.
bool Parse(int argc, char** argv, std::vector<Command>* commands) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    const char* arg = i + 1 < argc ? argv[i + 1] : nullptr;
    Command command{Op::kOn};
    bool ok = true;
    if (word == "card") {
      command.op = Op::kCard;
      ok = arg && ParseInteger(arg, 0xFFFF, &command.value);
      ++i;
    } else if (word == "port") {
      command.op = Op::kPort;
      ok = arg && ParseInteger(arg, 0xFFFF, &command.value);
      ++i;
    } else if (word == "tune") {
      command.op = Op::kTune;
      ok = arg && ParseMegahertz(arg, &command.value);
      ++i;
    } else if (word == "volume") {
      command.op = Op::kVolume;
      ok = arg && ParseInteger(arg, 0xFF, &command.value);
      ++i;
    } else if (word == "on") {
      command.op = Op::kOn;
    } else if (word == "off") {
      command.op = Op::kOff;
    } else if (word == "up") {
      command.op = Op::kUp;
    } else if (word == "down") {
      command.op = Op::kDown;
    } else if (word == "detect") {
      command.op = Op::kDetect;
    } else if (word == "read") {
      command.op = Op::kRead;
    } else if (word == "rds") {
      command.op = Op::kRds;
    } else if (word == "capture") {
      command.op = Op::kCapture;
    } else if (word == "version") {
      command.op = Op::kVersion;
    } else {
      std::fprintf(stderr, "halvern-tool: unknown command '%s'\n", argv[i]);
      return false;
    }
    if (!ok) {
      std::fprintf(stderr, "halvern-tool: '%s' needs a valid value\n", std::string(word).c_str());
      return false;
    }
    commands->push_back(command);
  }
  return !commands->empty();
}

// Binds one export; reports and returns null when the library lacks it.
template <class Fn>
Fn Need(const halvern::Library& library, const char* name) {
  const Fn fn = library.Bind<Fn>(name);
  if (!fn) std::fprintf(stderr, "halvern-tool: %s has no '%s'\n", library.path().c_str(), name);
  return fn;
}

// Prints what one of the text exports copies out, after `label`.
bool PrintText(const halvern::Library& lib, const char* name, const char* label) {
  const auto fn = Need<halvern::RdsTextFn>(lib, name);
  if (!fn) return false;
  char text[128] = {};
  fn(text, sizeof text);
  std::printf("%s%s%s\n", label, text[0] ? " " : "", text);
  return true;
}

bool Run(const halvern::Library& lib, const Command& c) {
  using namespace halvern;
  switch (c.op) {
    case Op::kCard: {
      const auto fn = Need<SetCardTypeFn>(lib, "set_card_type");
      if (fn) fn(static_cast<std::uint16_t>(c.value));
      return fn != nullptr;
    }
    case Op::kPort: {
      const auto fn = Need<SetPortFn>(lib, "set_port");
      if (fn) fn(static_cast<std::uint16_t>(c.value));
      return fn != nullptr;
    }
    case Op::kTune: {
      const auto fn = Need<SetFrequencyFn>(lib, "set_frequency");
      if (fn) fn(static_cast<std::int32_t>(c.value));
      return fn != nullptr;
    }
    case Op::kVolume: {
      const auto fn = Need<SetVolumeFn>(lib, "set_volume");
      if (fn) fn(static_cast<std::uint8_t>(c.value));
      return fn != nullptr;
    }
    case Op::kOn:
    case Op::kOff:
    case Op::kUp:
    case Op::kDown: {
      const char* name = c.op == Op::kOn    ? "radio_on"
                         : c.op == Op::kOff ? "radio_off"
                         : c.op == Op::kUp  ? "volumeup"
                                            : "volumedown";
      const auto fn = Need<RadioOnFn>(lib, name);
      if (fn) fn();
      return fn != nullptr;
    }
    case Op::kDetect: {
      const auto stereo = Need<StereoDetectFn>(lib, "stereo_detect");
      const auto signal = Need<SignalDetectFn>(lib, "signal_detect");
      if (!stereo || !signal) return false;
      std::printf("stereo %d\nsignal %d\n", static_cast<int>(stereo()), static_cast<int>(signal()));
      return true;
    }
    case Op::kRead: {
      const auto fn = Need<ReadCardFn>(lib, "read_card");
      if (fn) std::printf("read 0x%02X\n", static_cast<unsigned>(fn()));
      return fn != nullptr;
    }
    case Op::kRds:
      return PrintText(lib, "rds_station_name", "name") && PrintText(lib, "rds_radio_text", "text");
    case Op::kCapture:
      return PrintText(lib, "radio_capture_device", "capture");
    case Op::kVersion: {
      const auto fn = Need<DllVerFn>(lib, "dll_ver");
      if (fn) std::printf("version %d\n", static_cast<int>(fn()));
      return fn != nullptr;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Command> commands;
  if (!Parse(argc, argv, &commands)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string error;
  const auto library = halvern::Library::Open(&error);
  if (!library) {
    std::fprintf(stderr, "halvern-tool: cannot load %s: %s\n", halvern::kLibraryName,
                 error.c_str());
    return 1;
  }
  for (const Command& command : commands) {
    if (!Run(*library, command)) return 1;
  }
  // Shows where the volume byte ended up after any volume command.
  if (const auto get = library->Bind<halvern::GetVolumeFn>("get_volume")) {
    std::printf("volume %d\n", static_cast<int>(get()));
  }
  return 0;
}
