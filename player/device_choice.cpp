#include "player/device_choice.h"

#include <array>

#include "common/numtext.h"

namespace varlo {
namespace {

template <std::size_t N>
bool OneOf(const std::string& ext, const std::array<std::string_view, N>& list) {
  for (std::string_view item : list) {
    if (ext == item) return true;
  }
  return false;
}

constexpr std::array<std::string_view, 3> kMpeg{"MP2", "MP3", "MPA"};
constexpr std::array<std::string_view, 10> kModules{"MOD", "MTM", "FAR", "669", "OKT",
                                                    "STM", "S3M", "NST", "WOW", "XM"};
constexpr std::array<std::string_view, 3> kPictures{"BMP", "GIF", "JPG"};
constexpr std::array<std::string_view, 6> kNotPlayable{"TXT", "DOC", "BAT", "COM", "EXE", "LNK"};

}  // namespace

DeviceChoice ChooseDevice(std::string_view extension) {
  const std::string ext = UpperCase(extension);
  if (OneOf(ext, kMpeg)) return {EntryKind::Mpeg, ""};
  if (OneOf(ext, kModules)) return {EntryKind::Device, "M4W_MCI"};
  if (ext == "FLI" || ext == "FLC") return {EntryKind::Device, "Animation"};
  if (ext == "AWA" || ext == "AWM") return {EntryKind::Device, "Animation1"};
  if (ext == "MMM") return {EntryKind::Device, "MMMovie"};
  if (ext == "CDA") return {EntryKind::CdTrack, "cdaudio"};
  if (OneOf(ext, kPictures)) return {EntryKind::Picture, ""};
  if (OneOf(ext, kNotPlayable)) return {EntryKind::NotPlayable, ""};
  return {EntryKind::Default, ""};
}

std::string DefaultDevice(std::string_view mciDevice) {
  if (mciDevice == "0") return "MPEGVideo";
  if (mciDevice == "1") return "MPEGVideo2";
  return "ActiveMovie";
}

}  // namespace varlo
