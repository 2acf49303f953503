#include "player/midi_timing.h"

#include <algorithm>

namespace varlo {
namespace {

constexpr std::int64_t kDefaultTempo = 500000;  // 120 beats a minute
constexpr std::size_t kMaxTracks = 65535;
// Ticks saturate here (days of music at any rate), so no product of ticks and a tempo can
// overflow.
constexpr std::int64_t kMaxTick = std::int64_t{1} << 32;

std::uint32_t Be(std::string_view b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i)
    v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

std::uint32_t Le32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

// A reader over one track's bytes that never reads past them.
struct TrackReader {
  std::string_view data;
  std::size_t at = 0;
  bool ok = true;

  bool More() const { return ok && at < data.size(); }
  std::uint8_t Byte() {
    if (at >= data.size()) {
      ok = false;
      return 0;
    }
    return static_cast<std::uint8_t>(data[at++]);
  }
  // A variable-length number of at most four bytes.
  std::uint32_t VarLen() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t b = Byte();
      v = v << 7 | (b & 0x7Fu);
      if ((b & 0x80) == 0) return v;
    }
    ok = false;
    return 0;
  }
  void Skip(std::uint32_t n) {
    if (n > data.size() - at) {
      ok = false;
      at = data.size();
    } else {
      at += n;
    }
  }
};

// The SMF inside a RIFF "RMID" file; the bytes themselves otherwise.
std::string_view Unwrapped(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "RMID")
    return bytes;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::uint32_t size = Le32(bytes, at + 4);
    if (bytes.substr(at, 4) == "data")
      return bytes.substr(at + 8, std::min<std::size_t>(size, bytes.size() - at - 8));
    if (size > bytes.size() - at - 8) break;
    at += 8 + size + (size & 1);
  }
  return {};
}

}  // namespace

std::string_view MidiTiming::SmfOf(std::string_view bytes) {
  return Unwrapped(bytes);
}

std::optional<MidiTiming> MidiTiming::Read(std::string_view bytes) {
  if (bytes.size() > kMaxBytes) return std::nullopt;
  const std::string_view smf = Unwrapped(bytes);
  if (smf.size() < 14 || smf.substr(0, 4) != "MThd" || Be(smf, 4, 4) < 6) return std::nullopt;
  MidiTiming timing;
  const std::uint32_t division = Be(smf, 12, 2);
  if ((division & 0x8000) != 0) {
    // Time-code division: frames a second (as a negative byte) times ticks a frame.
    const int fps = 256 - static_cast<int>(division >> 8);
    const int perFrame = static_cast<int>(division & 0xFF);
    if (fps <= 0 || perFrame <= 0) return std::nullopt;
    timing.microsPerTick_ = std::max<std::int64_t>(1, 1000000 / (fps * perFrame));
  } else {
    if (division == 0) return std::nullopt;
    timing.ticksPerQuarter_ = division;
  }

  std::size_t at = 8 + Be(smf, 4, 4);
  std::size_t tracks = 0;
  while (at + 8 <= smf.size() && tracks < kMaxTracks) {
    const std::uint32_t size = Be(smf, at + 4, 4);
    const std::size_t start = at + 8;
    const std::size_t length = std::min<std::size_t>(size, smf.size() - start);
    if (smf.substr(at, 4) == "MTrk") {
      ++tracks;
      TrackReader track{smf.substr(start, length)};
      std::int64_t tick = 0;
      std::uint8_t running = 0;
      while (track.More()) {
        tick = std::min<std::int64_t>(tick + track.VarLen(), kMaxTick);
        if (!track.ok) break;
        std::uint8_t status = track.Byte();
        if (status < 0x80) {
          if (running == 0) break;  // data without a status: the track is broken
          --track.at;
          status = running;
        }
        if (status == 0xFF) {
          const std::uint8_t type = track.Byte();
          const std::uint32_t n = track.VarLen();
          if (!track.ok) break;
          if (type == 0x51 && n == 3 && track.at + 3 <= track.data.size()) {
            const auto tempo = static_cast<std::int64_t>(Be(track.data, track.at, 3));
            if (tempo > 0) timing.tempos_.push_back({tick, tempo});
          }
          track.Skip(n);
          if (!track.ok) break;
          timing.endTick_ = std::max(timing.endTick_, tick);
          if (type == 0x2F) break;
          continue;
        }
        if (status == 0xF0 || status == 0xF7) {
          track.Skip(track.VarLen());
        } else if (status >= 0xF0) {
          break;  // no other system message belongs in a file
        } else {
          running = status;
          track.Skip((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2);
        }
        if (!track.ok) break;
        timing.endTick_ = std::max(timing.endTick_, tick);
      }
    }
    if (size > smf.size() - start) break;
    at = start + size;
  }
  if (tracks == 0) return std::nullopt;
  std::stable_sort(timing.tempos_.begin(), timing.tempos_.end(),
                   [](const Tempo& a, const Tempo& b) { return a.tick < b.tick; });
  if (timing.tempos_.empty() || timing.tempos_.front().tick != 0)
    timing.tempos_.insert(timing.tempos_.begin(), Tempo{0, kDefaultTempo});
  return timing;
}

std::int64_t MidiTiming::MsAtTick(std::int64_t tick) const {
  tick = std::clamp<std::int64_t>(tick, 0, endTick_);
  if (microsPerTick_ > 0) return tick * microsPerTick_ / 1000;
  // Microseconds times ticks-per-quarter, summed segment by segment, divided once at the end.
  std::int64_t scaled = 0;
  for (std::size_t i = 0; i < tempos_.size() && tempos_[i].tick < tick; ++i) {
    const std::int64_t until = i + 1 < tempos_.size() ? std::min(tempos_[i + 1].tick, tick) : tick;
    scaled += (until - tempos_[i].tick) * tempos_[i].microsPerQuarter;
  }
  return scaled / ticksPerQuarter_ / 1000;
}

std::int64_t MidiTiming::TickAtMs(std::int64_t ms) const {
  if (ms <= 0) return 0;
  if (microsPerTick_ > 0) return std::min(ms * 1000 / microsPerTick_, endTick_);
  std::int64_t left = ms * 1000 * ticksPerQuarter_;  // in the scaled unit of MsAtTick
  for (std::size_t i = 0; i < tempos_.size(); ++i) {
    const std::int64_t end = i + 1 < tempos_.size() ? tempos_[i + 1].tick : endTick_;
    const std::int64_t span = (end - tempos_[i].tick) * tempos_[i].microsPerQuarter;
    if (left < span || i + 1 == tempos_.size())
      return std::min(tempos_[i].tick + left / tempos_[i].microsPerQuarter, endTick_);
    left -= span;
  }
  return endTick_;
}

}  // namespace varlo
