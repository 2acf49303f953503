#pragma once

// The C interface of libhalvern.so. Callers load the library at run time and bind each function
// by name, so they use the pointer types below and never link against it. All arguments are
// plain integers passed by value; frequencies are whole hertz.

#include <cstdint>

extern "C" {
void set_card_type(std::uint16_t type);
void set_port(std::uint16_t port);
void set_frequency(std::int32_t hz);
void radio_on();
void radio_off();
void volumeup();
void volumedown();
std::int32_t stereo_detect();
std::int32_t signal_detect();
void set_volume(std::uint8_t volume);
std::uint8_t get_volume();
std::int16_t dll_ver();
std::int32_t read_card();
std::int32_t init_NT();
// The RDS station name and radio text of a V4L2 radio (card type 3), as NUL-terminated
// UTF-8 in `buffer` of `size` bytes; the returned length is 0 while none is known.
std::int32_t rds_station_name(char* buffer, std::int32_t size);
std::int32_t rds_radio_text(char* buffer, std::int32_t size);
// The ALSA capture device ("plughw:1,0") a V4L2 radio's sound arrives on, the same way; 0 when
// the selected card has none and its audio leaves through a line out.
std::int32_t radio_capture_device(char* buffer, std::int32_t size);
}

namespace halvern {

inline constexpr const char* kLibraryName = "libhalvern.so";
inline constexpr std::int16_t kVersion = 1207;

using SetCardTypeFn = decltype(&set_card_type);
using SetPortFn = decltype(&set_port);
using SetFrequencyFn = decltype(&set_frequency);
using RadioOnFn = decltype(&radio_on);
using RadioOffFn = decltype(&radio_off);
using VolumeUpFn = decltype(&volumeup);
using VolumeDownFn = decltype(&volumedown);
using StereoDetectFn = decltype(&stereo_detect);
using SignalDetectFn = decltype(&signal_detect);
using SetVolumeFn = decltype(&set_volume);
using GetVolumeFn = decltype(&get_volume);
using DllVerFn = decltype(&dll_ver);
using ReadCardFn = decltype(&read_card);
using InitNtFn = decltype(&init_NT);
// The three text exports (the RDS texts and the capture device) share one type.
using RdsTextFn = decltype(&rds_station_name);

}  // namespace halvern
