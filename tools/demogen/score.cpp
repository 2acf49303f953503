#include "tools/demogen/score.h"

#include <array>
#include <cmath>

namespace demogen {

namespace {

struct Chord {
  int bass;
  std::array<int, 3> tones;  // close voicing around middle C, so the pad moves smoothly
};

constexpr Chord kC{36, {55, 60, 64}};
constexpr Chord kAm{45, {57, 60, 64}};
constexpr Chord kF{41, {57, 60, 65}};
constexpr Chord kG{43, {55, 59, 62}};
constexpr Chord kEm{40, {55, 59, 64}};

// One chord a bar; the last one rings on.
constexpr std::array<Chord, 13> kBars{kC, kC, kAm, kF, kG, kC, kEm, kF, kG, kAm, kF, kG, kC};

// The sung bars: one lyric line each, from the second bar on.
constexpr int kFirstSungBar = 1;
constexpr int kSungBars = 10;

struct Step {
  double beat;
  double beats;
  int midi;
};

// The tune, bar by bar, in beats from the bar's start.
const std::vector<std::vector<Step>>& Tune() {
  static const std::vector<std::vector<Step>> tune{
      {},
      {{0, 1, 64}, {1, 1, 67}, {2, 1.5, 72}, {3.5, 0.5, 74}},
      {{0, 1.5, 76}, {1.5, 0.5, 74}, {2, 1, 72}, {3, 1, 69}},
      {{0, 1, 69}, {1, 0.5, 72}, {1.5, 0.5, 74}, {2, 2, 72}},
      {{0, 1, 71}, {1, 1, 74}, {2, 2, 67}},
      {{0, 1, 72}, {1, 1, 76}, {2, 1, 74}, {3, 1, 72}},
      {{0, 1.5, 71}, {1.5, 0.5, 67}, {2, 2, 64}},
      {{0, 1, 65}, {1, 1, 69}, {2, 1, 72}, {3, 1, 69}},
      {{0, 1, 67}, {1, 1, 71}, {2, 2, 74}},
      {{0, 1, 76}, {1, 1, 72}, {2, 1.5, 69}, {3.5, 0.5, 71}},
      {{0, 1, 72}, {1, 1, 69}, {2, 2, 65}},
      // An answer without words, then the home note held.
      {{0, 0.5, 74}, {0.5, 0.5, 71}, {1, 1, 67}, {2, 1, 71}, {3, 1, 74}},
      {{0, 4, 72}},
  };
  return tune;
}

int Ms(double beats) {
  return static_cast<int>(std::lround(beats * kBeatMs));
}

}  // namespace

std::vector<Note> FirstLight() {
  std::vector<Note> notes;
  const auto& tune = Tune();
  const int last = static_cast<int>(kBars.size()) - 1;
  for (int bar = 0; bar <= last; ++bar) {
    const Chord& chord = kBars[static_cast<std::size_t>(bar)];
    const int start = bar * kBarMs;
    // The last chord is held half a bar longer and then fades.
    const int length = bar == last ? kBarMs * 3 / 2 : kBarMs;
    notes.push_back({start, length, chord.bass, 1.0, Voice::Bass});
    for (int tone : chord.tones) notes.push_back({start, length, tone, 1.0, Voice::Pad});

    // A quiet arpeggio an octave up carries the second half along.
    if (bar >= 5 && bar < last) {
      static constexpr std::array<std::size_t, 8> kPattern{0, 1, 2, 1, 0, 1, 2, 1};
      for (std::size_t i = 0; i < kPattern.size(); ++i)
        notes.push_back({start + Ms(0.5 * static_cast<double>(i)), 120,
                         chord.tones[kPattern[i]] + 12, i % 4 == 0 ? 1.0 : 0.7, Voice::Sparkle});
    }

    const double gain = bar == 11 ? 0.7 : 1.0;  // the wordless answer is softer
    for (const Step& s : tune[static_cast<std::size_t>(bar)]) {
      // A short breath between notes keeps them apart.
      notes.push_back(
          {start + Ms(s.beat), Ms(s.beats) - (bar == last ? 0 : 40), s.midi, gain, Voice::Melody});
    }
  }
  return notes;
}

std::vector<int> PhraseStartsMs() {
  std::vector<int> starts;
  for (int bar = kFirstSungBar; bar < kFirstSungBar + kSungBars; ++bar)
    starts.push_back(bar * kBarMs);
  return starts;
}

}  // namespace demogen
