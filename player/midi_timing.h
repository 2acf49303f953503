#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace varlo {

// The timing of a Standard MIDI File (".mid", or the same wrapped in a RIFF "RMID" file,
// ".rmi"): its tick rate, its tempo changes and its last event, which give its play time and
// the tick at any time. Reading is bounded: at most 16 MiB and 65535 tracks, and a track that
// breaks off ends where it broke.
class MidiTiming {
 public:
  // Nullopt when `bytes` is not a MIDI file.
  static std::optional<MidiTiming> Read(std::string_view bytes);

  // The play time from the first tick to the last event.
  std::int64_t LengthMs() const { return MsAtTick(endTick_); }
  std::int64_t MsAtTick(std::int64_t tick) const;
  // The tick playing at `ms` (the last tick for times past the end).
  std::int64_t TickAtMs(std::int64_t ms) const;
  std::int64_t EndTick() const { return endTick_; }

  // The Standard MIDI File inside an RMI file; `bytes` itself otherwise.
  static std::string_view SmfOf(std::string_view bytes);

  static constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;

 private:
  struct Tempo {
    std::int64_t tick;
    std::int64_t microsPerQuarter;
  };
  // Microseconds per tick times the ticks-per-quarter (or 1 for time-code division).
  std::int64_t ticksPerQuarter_ = 96;
  std::int64_t microsPerTick_ = 0;  // set for time-code division, where tempo does not count
  std::vector<Tempo> tempos_;       // sorted by tick, the first at tick 0
  std::int64_t endTick_ = 0;
};

}  // namespace varlo
