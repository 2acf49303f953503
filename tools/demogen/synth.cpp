#include "tools/demogen/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace demogen {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

struct Envelope {
  double attack;   // seconds to full level
  double decay;    // time constant of the fall towards the sustain level
  double sustain;  // level held while the note lasts
  double release;  // time constant of the fade after the note ends
};

Envelope EnvelopeOf(Voice v) {
  switch (v) {
    case Voice::Melody:
      return {0.012, 0.6, 0.35, 0.08};
    case Voice::Pad:
      return {0.6, 2.0, 0.8, 0.3};
    case Voice::Bass:
      return {0.02, 1.0, 0.6, 0.12};
    case Voice::Sparkle:
      return {0.004, 0.15, 0.0, 0.1};
  }
  return {0.01, 1, 1, 0.1};
}

double Level(const Envelope& e, double t, double held) {
  auto shaped = [&e](double u) {
    if (u < e.attack) return u / e.attack;
    return e.sustain + (1 - e.sustain) * std::exp(-(u - e.attack) / e.decay);
  };
  if (t < held) return shaped(t);
  return shaped(held) * std::exp(-(t - held) / e.release);
}

double Gain(Voice v) {
  switch (v) {
    case Voice::Melody:
      return 0.22;
    case Voice::Pad:
      return 0.05;
    case Voice::Bass:
      return 0.12;
    case Voice::Sparkle:
      return 0.045;
  }
  return 0.1;
}

// Odd harmonics falling with their square: a triangle without the aliasing of a sharp one.
double Triangle(double phase) {
  double v = 0;
  for (int k = 1; k <= 7; k += 2) {
    const double sign = (k / 2) % 2 == 0 ? 1.0 : -1.0;
    v += sign * std::sin(k * phase) / (k * k);
  }
  return v * 8 / (std::numbers::pi * std::numbers::pi);
}

// Adds one note into the buffers. Pad tones are two slightly detuned sines, one on each
// side, so the chord sounds wide; the other voices sit near the middle.
void AddNote(const Note& n, int rate, std::vector<float>& left, std::vector<float>& right) {
  const Envelope env = EnvelopeOf(n.voice);
  const double hz = NoteHz(n.midi);
  const double held = n.lengthMs / 1000.0;
  const auto first = static_cast<std::size_t>(static_cast<std::int64_t>(n.startMs) * rate / 1000);
  const auto count = static_cast<std::size_t>(
      static_cast<std::int64_t>(n.lengthMs + ReleaseMs(n.voice)) * rate / 1000);
  const double amp = Gain(n.voice) * n.gain;
  for (std::size_t i = 0; i < count && first + i < left.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double level = amp * Level(env, t, held);
    double l = 0;
    double r = 0;
    switch (n.voice) {
      case Voice::Melody: {
        // Vibrato creeps in once the note has settled.
        const double depth = 0.003 * std::min(1.0, std::max(0.0, (t - 0.3) / 0.4));
        const double phase = kTwoPi * hz * t - depth * hz / 5.0 * std::cos(kTwoPi * 5.0 * t);
        const double v = 0.7 * Triangle(phase) + 0.3 * std::sin(phase);
        l = 0.95 * v;
        r = v;
        break;
      }
      case Voice::Pad:
        l = std::sin(kTwoPi * hz * 0.9985 * t) + 0.15 * std::sin(kTwoPi * 2 * hz * t);
        r = std::sin(kTwoPi * hz * 1.0015 * t) + 0.15 * std::sin(kTwoPi * 2 * hz * t);
        break;
      case Voice::Bass: {
        const double v = std::sin(kTwoPi * hz * t) + 0.25 * std::sin(kTwoPi * 2 * hz * t);
        l = r = v;
        break;
      }
      case Voice::Sparkle: {
        const double v = std::sin(kTwoPi * hz * t) + 0.2 * std::sin(kTwoPi * 3 * hz * t);
        l = 0.8 * v;
        r = v;
        break;
      }
    }
    left[first + i] += static_cast<float>(level * l);
    right[first + i] += static_cast<float>(level * r);
  }
}

void PutLe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

}  // namespace

double NoteHz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

int ReleaseMs(Voice voice) {
  // Long enough for the fade to reach about -60 dB.
  return static_cast<int>(std::lround(EnvelopeOf(voice).release * 7 * 1000));
}

int LengthMs(const std::vector<Note>& notes) {
  int end = 0;
  for (const Note& n : notes) end = std::max(end, n.startMs + n.lengthMs + ReleaseMs(n.voice));
  return end;
}

Stereo Render(const std::vector<Note>& notes, int sampleRate, double peak) {
  const auto frames =
      static_cast<std::size_t>(static_cast<std::int64_t>(LengthMs(notes)) * sampleRate / 1000);
  Stereo dry{std::vector<float>(frames), std::vector<float>(frames)};
  Stereo lead{std::vector<float>(frames), std::vector<float>(frames)};
  for (const Note& n : notes) {
    Stereo& into = n.voice == Voice::Melody ? lead : dry;
    AddNote(n, sampleRate, into.left, into.right);
  }

  // The melody echoes back and forth between the sides, half a beat apart.
  const auto delay = static_cast<std::size_t>(sampleRate * kBeatMs / 2000);
  std::vector<float> echoL(frames);
  std::vector<float> echoR(frames);
  for (std::size_t i = delay; i < frames; ++i) {
    echoL[i] = 0.45f * lead.right[i - delay] + 0.35f * echoR[i - delay];
    echoR[i] = 0.45f * lead.left[i - delay] + 0.35f * echoL[i - delay];
  }
  for (std::size_t i = 0; i < frames; ++i) {
    dry.left[i] += lead.left[i] + 0.5f * echoL[i];
    dry.right[i] += lead.right[i] + 0.5f * echoR[i];
  }

  float loudest = 0;
  for (std::size_t i = 0; i < frames; ++i)
    loudest = std::max({loudest, std::abs(dry.left[i]), std::abs(dry.right[i])});
  const double scale = loudest > 0 ? peak / static_cast<double>(loudest) : 1.0;
  const double fadeIn = 0.02 * sampleRate;
  const double fadeOut = 1.0 * sampleRate;
  for (std::size_t i = 0; i < frames; ++i) {
    const double fromEnd = static_cast<double>(frames - i);
    const double fade = std::min({1.0, static_cast<double>(i) / fadeIn, fromEnd / fadeOut});
    dry.left[i] = static_cast<float>(static_cast<double>(dry.left[i]) * scale * fade);
    dry.right[i] = static_cast<float>(static_cast<double>(dry.right[i]) * scale * fade);
  }
  return dry;
}

std::string WavBytes(const Stereo& sound, int sampleRate) {
  const std::size_t frames = std::min(sound.left.size(), sound.right.size());
  const auto dataBytes = static_cast<std::uint32_t>(frames * 4);
  const auto rate = static_cast<std::uint32_t>(sampleRate);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  PutLe(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLe(out, 16, 4);        // format chunk size
  PutLe(out, 1, 2);         // PCM
  PutLe(out, 2, 2);         // channels
  PutLe(out, rate, 4);      // frames a second
  PutLe(out, rate * 4, 4);  // bytes a second
  PutLe(out, 4, 2);         // bytes a frame
  PutLe(out, 16, 2);        // bits a sample
  out += "data";
  PutLe(out, dataBytes, 4);
  auto sample = [&out](float v) {
    const double clipped = std::clamp(static_cast<double>(v), -1.0, 1.0);
    const auto s = static_cast<std::int16_t>(std::lround(clipped * 32767));
    PutLe(out, static_cast<std::uint16_t>(s), 2);
  };
  for (std::size_t i = 0; i < frames; ++i) {
    sample(sound.left[i]);
    sample(sound.right[i]);
  }
  return out;
}

}  // namespace demogen
