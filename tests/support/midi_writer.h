#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace varlo::testing {

// Builds Standard MIDI Files for tests, track by track.
class MidiWriter {
 public:
  explicit MidiWriter(int division = 480) : division_(division) {}

  // Starts a new track; the events below go to it.
  MidiWriter& Track() {
    tracks_.emplace_back();
    return *this;
  }
  MidiWriter& Tempo(std::uint32_t delta, std::uint32_t microsPerQuarter) {
    return Event(delta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microsPerQuarter >> 16),
                         static_cast<std::uint8_t>(microsPerQuarter >> 8),
                         static_cast<std::uint8_t>(microsPerQuarter)});
  }
  // A note of `ticks` on channel 0; with `running` the note-off leaves out its status byte.
  MidiWriter& Note(std::uint32_t delta, std::uint32_t ticks, std::uint8_t key = 60,
                   bool running = false) {
    Event(delta, {0x90, key, 100});
    if (running) return Event(ticks, {key, 0});
    return Event(ticks, {0x80, key, 0});
  }
  MidiWriter& Program(std::uint32_t delta, std::uint8_t program) {
    return Event(delta, {0xC0, program});
  }
  MidiWriter& End(std::uint32_t delta = 0) { return Event(delta, {0xFF, 0x2F, 0x00}); }
  MidiWriter& Event(std::uint32_t delta, std::vector<std::uint8_t> bytes) {
    std::string& t = tracks_.back();
    VarLen(t, delta);
    t.append(bytes.begin(), bytes.end());
    return *this;
  }

  std::string Smf() const {
    std::string out = "MThd";
    Be(out, 6, 4);
    Be(out, tracks_.size() > 1 ? 1 : 0, 2);
    Be(out, static_cast<std::uint32_t>(tracks_.size()), 2);
    Be(out, static_cast<std::uint32_t>(division_), 2);
    for (const std::string& t : tracks_) {
      out += "MTrk";
      Be(out, static_cast<std::uint32_t>(t.size()), 4);
      out += t;
    }
    return out;
  }
  // The same wrapped as a RIFF "RMID" file.
  std::string Rmi() const {
    const std::string smf = Smf();
    std::string out = "RIFF";
    Le(out, static_cast<std::uint32_t>(4 + 8 + smf.size() + (smf.size() & 1)));
    out += "RMIDdata";
    Le(out, static_cast<std::uint32_t>(smf.size()));
    out += smf;
    if (smf.size() & 1) out += '\0';
    return out;
  }

 private:
  static void VarLen(std::string& out, std::uint32_t v) {
    char bytes[5];
    int n = 0;
    bytes[n++] = static_cast<char>(v & 0x7F);
    while ((v >>= 7) != 0) bytes[n++] = static_cast<char>(0x80 | (v & 0x7F));
    while (n > 0) out += bytes[--n];
  }
  static void Be(std::string& out, std::uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  }
  static void Le(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  }

  int division_;
  std::vector<std::string> tracks_;
};

}  // namespace varlo::testing
