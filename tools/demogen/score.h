// "First Light", the bundled demo piece, as a list of notes. The lyric file shipped with
// it is timed to the sung phrases listed here.
#pragma once

#include <string>
#include <vector>

namespace demogen {

// What plays a note; the synthesiser gives each its own tone and envelope.
enum class Voice {
  Melody,   // soft triangle lead with a touch of vibrato and an echo
  Pad,      // slow detuned chord tones, spread left and right
  Bass,     // round sine under each chord
  Sparkle,  // short high arpeggio notes
};

struct Note {
  int startMs = 0;
  int lengthMs = 0;  // until the release starts
  int midi = 69;     // 69 is A above middle C, 440 Hz
  double gain = 1.0;
  Voice voice = Voice::Melody;
};

inline constexpr int kBeatMs = 750;  // 80 beats a minute
inline constexpr int kBarMs = 4 * kBeatMs;

inline constexpr const char* kTitle = "First Light";
inline constexpr const char* kArtist = "Varlo";
inline constexpr const char* kAlbum = "Varlo Demo";

// Every note of the piece, in no particular order.
std::vector<Note> FirstLight();

// When each sung phrase starts, in milliseconds, in order: one lyric line each.
std::vector<int> PhraseStartsMs();

}  // namespace demogen
