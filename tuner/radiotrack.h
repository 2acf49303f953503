#pragma once

#include <cstdint>

#include "tuner/port_io.h"

// Card type 1, "Aims Labs RadioTrack". Tuned by a 24-bit word sent least significant bit first
// on bits 2 (data) and 1 (clock). The card keeps its own volume, stepped by pulses, and has no
// status lines the library reads.
namespace halvern::radiotrack {

inline constexpr int kWordBits = 24;
inline constexpr int kFieldBits = 14;
// Bits 21 and 23 of every tuning word.
inline constexpr std::uint32_t kFixedBits = 0xA00000;
// The 10.7 MHz intermediate frequency in the word's 25 kHz units.
inline constexpr std::int32_t kIntermediateSteps = 428;
inline constexpr std::int32_t kStepHz = 25'000;

std::uint32_t TuningWord(std::int32_t hz);

void Tune(CardBus& bus, std::int32_t hz);
void Off(CardBus& bus);
void VolumeUp(CardBus& bus);
void VolumeDown(CardBus& bus);

}  // namespace halvern::radiotrack
