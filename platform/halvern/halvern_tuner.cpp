#include "platform/halvern/halvern_tuner.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace varlo {
namespace {

std::vector<std::string> CandidatesFromProgram() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return halvern::LibraryCandidates(ec ? std::filesystem::path{} : program.parent_path());
}

}  // namespace

HalvernTuner::HalvernTuner() : searchFromProgram_(true) {}

HalvernTuner::HalvernTuner(std::vector<std::string> candidates)
    : candidates_(std::move(candidates)) {}

HalvernTuner::~HalvernTuner() = default;

const halvern::Library* HalvernTuner::Library() {
  if (!opened_) {
    opened_ = true;
    if (searchFromProgram_) candidates_ = CandidatesFromProgram();
    std::string error;
    library_ = halvern::Library::OpenFirst(candidates_, &error);
    if (!library_) {
      std::string tried;
      for (const std::string& c : candidates_) tried += (tried.empty() ? "" : ", ") + c;
      std::fprintf(stderr, "varlo: no tuner library, FM radio is off (tried %s: %s)\n",
                   tried.c_str(), error.c_str());
    }
  }
  return library_.get();
}

template <typename Fn>
Fn HalvernTuner::Get(Bound<Fn>& bound) {
  if (!bound.tried) {
    bound.tried = true;
    if (const halvern::Library* library = Library()) bound.fn = library->Bind<Fn>(bound.name);
  }
  return bound.fn;
}

bool HalvernTuner::Loaded() {
  return Library() != nullptr;
}

std::string HalvernTuner::Path() {
  return Library() ? library_->path() : std::string();
}

void HalvernTuner::SetCardType(std::uint16_t type) {
  if (auto fn = Get(setCardType_)) fn(type);
}
void HalvernTuner::SetPort(std::uint16_t port) {
  if (auto fn = Get(setPort_)) fn(port);
}
void HalvernTuner::SetFrequency(std::int32_t hz) {
  if (auto fn = Get(setFrequency_)) fn(hz);
}
void HalvernTuner::RadioOn() {
  if (auto fn = Get(radioOn_)) fn();
}
void HalvernTuner::RadioOff() {
  if (auto fn = Get(radioOff_)) fn();
}
void HalvernTuner::VolumeUp() {
  if (auto fn = Get(volumeUp_)) fn();
}
void HalvernTuner::VolumeDown() {
  if (auto fn = Get(volumeDown_)) fn();
}
bool HalvernTuner::StereoDetect() {
  const auto fn = Get(stereoDetect_);
  return fn && fn() == 1;
}
bool HalvernTuner::SignalDetect() {
  const auto fn = Get(signalDetect_);
  return fn && fn() == 1;
}
void HalvernTuner::SetVolume(std::uint8_t volume) {
  if (auto fn = Get(setVolume_)) fn(volume);
}
std::uint8_t HalvernTuner::GetVolume() {
  const auto fn = Get(getVolume_);
  return fn ? fn() : 0;
}
namespace {

// A text one of the library's optional exports copies out.
std::string TextOf(halvern::RdsTextFn fn) {
  if (!fn) return {};
  char text[128] = {};
  const std::int32_t length = fn(text, sizeof text);
  return length > 0 ? std::string(text, static_cast<std::size_t>(std::min(length, 127))) : "";
}

}  // namespace

std::string HalvernTuner::RdsStationName() {
  return TextOf(Get(rdsStationName_));
}
std::string HalvernTuner::RdsRadioText() {
  return TextOf(Get(rdsRadioText_));
}
std::string HalvernTuner::CaptureDevice() {
  return TextOf(Get(captureDevice_));
}

}  // namespace varlo
