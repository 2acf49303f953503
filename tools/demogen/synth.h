// A small additive synthesiser for the demo piece, and the WAV file it is handed to the
// MP3 encoder in.
#pragma once

#include <string>
#include <vector>

#include "tools/demogen/score.h"

namespace demogen {

inline constexpr int kSampleRate = 44100;

struct Stereo {
  std::vector<float> left;
  std::vector<float> right;
};

// Frequency in hertz of a MIDI note number.
double NoteHz(int midi);

// How long a voice keeps sounding after its note ends.
int ReleaseMs(Voice voice);

// Where the last note has died away, in milliseconds.
int LengthMs(const std::vector<Note>& notes);

// Renders the notes, with the melody's echo, to a buffer of LengthMs of the notes and
// scales the mix so its loudest sample is at `peak`. The first and last moments are faded
// so the file starts and ends without a click.
Stereo Render(const std::vector<Note>& notes, int sampleRate = kSampleRate, double peak = 0.89);

// The samples as a 16-bit PCM WAV file; samples beyond full scale are clipped.
std::string WavBytes(const Stereo& sound, int sampleRate = kSampleRate);

}  // namespace demogen
