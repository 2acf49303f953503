#pragma once

#include <cstdint>

#include "tuner/port_io.h"

// Card type 0, "Aztech/PB/CompExpress". Tuned by a 48-bit serial word (two 24-bit words that
// each carry the PLL divider) clocked out on bits 7 (data) and 6 (clock) of the port byte. The
// same port byte carries the volume level in bits 0 and 2.
namespace halvern::aztech {

inline constexpr int kWordBits = 48;
inline constexpr int kDividerBits = 14;
// Sending positions of the two divider copies inside the 48-bit word.
inline constexpr int kFirstDividerAt = 2;
inline constexpr int kSecondDividerAt = 26;

// PLL divider: (frequency + 10.7 MHz intermediate frequency) in 100 kHz steps.
std::int32_t Divider(std::int32_t hz);

// The 48 bits to send; bit k of the result is the k-th bit sent.
std::uint64_t TuningWord(std::int32_t divider);

// The fixed template, with both divider fields zero, for decoders to check against.
std::uint64_t TemplateWithoutDivider();

void Tune(CardBus& bus, std::int32_t hz);
void On(CardBus& bus, std::uint8_t volume);
void Off(CardBus& bus);

// Volume levels run 0, 1, 4, 5. Both steps leave the limits and the in-between values 2 and 3
// alone; the step functions write only when the level is not already at its end.
std::uint8_t LevelUp(std::uint8_t volume);
std::uint8_t LevelDown(std::uint8_t volume);
void VolumeUp(CardBus& bus, std::uint8_t& volume);
void VolumeDown(CardBus& bus, std::uint8_t& volume);

// Both status lines are active low.
bool Stereo(CardBus& bus);
bool Signal(CardBus& bus);

}  // namespace halvern::aztech
