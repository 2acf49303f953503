#pragma once
#include <memory>
#include <string>

#include "platform/byte_stream.h"

namespace varlo {

// The SoundFont MIDI files are played with: $VARLO_SOUNDFONT, else the system's General MIDI
// SoundFont (Debian's fluid-soundfont-gm); empty when there is none.
std::string SoundFontPath();

// What to install for MIDI files to play, or empty when they can.
std::string MidiMissingText();

// A MIDI file rendered by FluidSynth as a 44.1 kHz 16-bit stereo WAV stream, as long as the
// file's play time; seeking moves the synthesiser's player to the tick of that time. Null
// when the file is not MIDI or the synthesiser cannot start.
std::unique_ptr<ByteStream> OpenMidiStream(const std::string& path);

// Addresses "varlomidi://<path>" open OpenMidiStream(path).
StreamProtocol MidiProtocol();

}  // namespace varlo
