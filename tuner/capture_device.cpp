#include "tuner/capture_device.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace halvern {
namespace {

namespace fs = std::filesystem;

// Bounds on what a broken or hostile sysfs tree can make us walk.
constexpr int kMaxDepth = 32;
constexpr int kMaxEntries = 4096;

// The whole number that `text` holds after `prefix`, up to `end` (or to its end when `end`
// is empty); nothing when it holds anything else.
std::optional<int> NumberAfter(std::string_view text, std::string_view prefix,
                               std::string_view end = {}) {
  if (text.substr(0, prefix.size()) != prefix) return std::nullopt;
  text.remove_prefix(prefix.size());
  if (!end.empty()) {
    const auto at = text.find(end);
    if (at == std::string_view::npos) return std::nullopt;
    text = text.substr(0, at);
  }
  if (text.empty() || text.size() > 4) return std::nullopt;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

// The physical device a class device belongs to: for USB the device itself (whose
// interfaces the radio and its sound card bind to separately), else the bus device.
std::optional<fs::path> OwnerOf(const fs::path& classDevice, const fs::path& devices) {
  std::error_code ec;
  fs::path device = fs::canonical(classDevice / "device", ec);
  if (ec) return std::nullopt;
  fs::path dir = device;
  for (int depth = 0; depth < kMaxDepth && dir.has_relative_path(); ++depth) {
    if (dir == devices) break;
    if (fs::exists(dir / "idVendor", ec)) return dir;
    dir = dir.parent_path();
  }
  return device;
}

// The lowest capture device of sound card `card`, if it has one.
std::optional<int> CaptureOf(int card, const fs::path& soundClass) {
  std::optional<int> lowest;
  std::error_code ec;
  int seen = 0;
  const std::string prefix = "pcmC" + std::to_string(card) + "D";
  for (fs::directory_iterator it(soundClass, ec), end; !ec && it != end; it.increment(ec)) {
    if (++seen > kMaxEntries) break;
    const std::string name = it->path().filename().string();
    if (name.empty() || name.back() != 'c') continue;
    const auto device = NumberAfter(name, prefix, "c");
    if (device && (!lowest || *device < *lowest)) lowest = device;
  }
  return lowest;
}

}  // namespace

std::string CaptureDeviceOf(const std::string& radioNode, const std::string& sysRoot) {
  std::error_code ec;
  const fs::path node = fs::canonical(radioNode, ec);
  if (ec) return {};
  const fs::path root(sysRoot);
  const fs::path devices = fs::canonical(root / "devices", ec);
  const auto radio = OwnerOf(root / "class" / "video4linux" / node.filename(), devices);
  if (!radio) return {};

  // The lowest-numbered sound card on the radio's device that can capture.
  const fs::path soundClass = root / "class" / "sound";
  std::optional<int> bestCard, bestDevice;
  int seen = 0;
  for (fs::directory_iterator it(soundClass, ec), end; !ec && it != end; it.increment(ec)) {
    if (++seen > kMaxEntries) break;
    const auto card = NumberAfter(it->path().filename().string(), "card");
    if (!card || (bestCard && *bestCard < *card)) continue;
    if (OwnerOf(it->path(), devices) != radio) continue;
    if (const auto device = CaptureOf(*card, soundClass)) {
      bestCard = card;
      bestDevice = device;
    }
  }
  if (!bestCard) return {};
  return "plughw:" + std::to_string(*bestCard) + "," + std::to_string(*bestDevice);
}

}  // namespace halvern
