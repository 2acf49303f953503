#pragma once

#include <cstdint>

#include "tuner/port_io.h"

// Card type 2, "Aims Labs RadioTrack II". Tuned by a preamble, ten zero bits and a 15-bit word
// sent most significant bit first on bits 2 (data) and 1 (clock). Port byte 0x00 unmutes the
// audio and 0x01 mutes it; there are no volume steps.
namespace halvern::radiotrack2 {

inline constexpr int kLeadingZeros = 10;
inline constexpr int kWordBits = 15;
// The word counts 12.5 kHz steps; 856 of them are the 10.7 MHz intermediate frequency.
inline constexpr std::int32_t kIntermediateSteps = 856;
inline constexpr std::int32_t kStepHz = 12'500;

std::uint16_t TuningWord(std::int32_t hz);

void Tune(CardBus& bus, std::int32_t hz);
void Unmute(CardBus& bus);
void Mute(CardBus& bus);
// Stereo and signal share one active-low line.
bool Signal(CardBus& bus);

}  // namespace halvern::radiotrack2
