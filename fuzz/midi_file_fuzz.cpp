// A MIDI file from outside: any bytes must read without fault or hang, and the timing they
// give must be consistent: times grow with ticks and the tick of a time never passes the end.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "player/midi_timing.h"

using varlo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto timing = varlo::MidiTiming::Read(bytes);
  Check(varlo::MidiTiming::SmfOf(bytes).size() <= size);
  if (!timing) return 0;
  const std::int64_t length = timing->LengthMs();
  Check(length >= 0);
  Check(timing->TickAtMs(length + 1000) <= timing->EndTick());
  Check(timing->MsAtTick(timing->EndTick() / 2) <= length);
  Check(timing->TickAtMs(length / 2) <= timing->EndTick());
  return 0;
}
