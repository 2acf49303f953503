#include "tests/support/fake_media_device.h"

#include <algorithm>
#include <cctype>

namespace varlo::testing {
namespace {

// The error numbers a real device gives for these cases (see player/media_errors.h).
constexpr int kInvalidDeviceId = 257;
constexpr int kUnrecognizedCommand = 261;

bool Is(std::string_view word, std::string_view name) {
  return std::equal(word.begin(), word.end(), name.begin(), name.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

}  // namespace

std::vector<std::string> FakeMediaDevice::Words() const {
  std::vector<std::string> words;
  for (const Call& call : calls) words.push_back(call.word);
  return words;
}

void FakeMediaDevice::Advance(std::int32_t ms) {
  if (open && playing) position_ = std::min(position_ + ms, length_);
}

void FakeMediaDevice::Finish(MediaEnd reason) {
  position_ = length_;
  playing = false;
  if (endCallback_) endCallback_(reason);
}

void FakeMediaDevice::Command(std::string_view word) {
  calls.push_back({std::string(word), fileName_, from_});
  const std::optional<std::int32_t> from = from_;
  from_.reset();
  error_ = 0;
  errorMessage_.clear();
  if (Is(word, "open")) {
    open = false;
    playing = false;
    position_ = 0;
    if (auto it = openErrors.find(fileName_); it != openErrors.end()) {
      error_ = it->second.number;
      errorMessage_ = it->second.message;
      return;
    }
    auto it = lengths.find(fileName_);
    length_ = it != lengths.end() ? it->second : defaultLength;
    open = true;
    return;
  }
  if (Is(word, "close")) {
    open = false;
    playing = false;
    position_ = 0;
    return;
  }
  const bool known = Is(word, "play") || Is(word, "stop") || Is(word, "pause") || Is(word, "seek");
  if (!known) {
    error_ = kUnrecognizedCommand;
    errorMessage_ = "unknown command";
    return;
  }
  if (!open) {
    error_ = kInvalidDeviceId;
    errorMessage_ = "not open";
    return;
  }
  if (Is(word, "seek")) position_ = std::clamp(from.value_or(0), 0, length_);
  if (Is(word, "play")) {
    if (from) position_ = std::clamp(*from, 0, length_);
    playing = true;
  } else {
    playing = false;
  }
}

}  // namespace varlo::testing
