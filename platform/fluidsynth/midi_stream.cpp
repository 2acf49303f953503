#include "platform/fluidsynth/midi_stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>

#include "common/wave_header.h"
#include "platform/fluidsynth/fluid_library.h"
#include "player/midi_media_device.h"
#include "player/midi_timing.h"

namespace varlo {
namespace {

constexpr int kRate = 44100;
constexpr std::int64_t kFrameBytes = 4;

bool IsFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A synthesiser with the SoundFont loaded. Loading takes a good part of a second, so the one
// a finished stream leaves is kept for the next.
struct Synth {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  std::string soundFont;
};

std::mutex parkedMutex;
std::optional<Synth> parked;

void Destroy(const FluidLibrary& f, Synth& s) {
  if (s.synth != nullptr) f.deleteSynth(s.synth);
  if (s.settings != nullptr) f.deleteSettings(s.settings);
  s = {};
}

std::optional<Synth> MakeSynth(const FluidLibrary& f, const std::string& soundFont) {
  {
    std::lock_guard lock(parkedMutex);
    if (parked && parked->soundFont == soundFont) {
      Synth s = *parked;
      parked.reset();
      return s;
    }
  }
  Synth s;
  s.soundFont = soundFont;
  s.settings = f.newSettings();
  if (s.settings == nullptr) return std::nullopt;
  f.setNum(s.settings, "synth.sample-rate", kRate);
  f.setNum(s.settings, "synth.gain", 0.6);
  // The player follows the samples rendered, not the wall clock: rendering runs ahead of
  // playback in the engine's buffer.
  f.setStr(s.settings, "player.timing-source", "sample");
  f.setInt(s.settings, "synth.dynamic-sample-loading", 1);
  f.setInt(s.settings, "synth.lock-memory", 0);
  s.synth = f.newSynth(s.settings);
  if (s.synth == nullptr || f.sfload(s.synth, soundFont.c_str(), 1) == FLUID_FAILED) {
    Destroy(f, s);
    return std::nullopt;
  }
  return s;
}

void Park(const FluidLibrary& f, Synth s) {
  f.systemReset(s.synth);
  std::lock_guard lock(parkedMutex);
  if (parked) Destroy(f, *parked);
  parked = s;
}

class MidiStream final : public ByteStream {
 public:
  MidiStream(const FluidLibrary& f, std::string smf, const MidiTiming& timing)
      : f_(f), smf_(std::move(smf)), timing_(timing) {
    frames_ = timing.LengthMs() * kRate / 1000;
    header_ = WaveHeader(static_cast<std::uint32_t>(frames_ * kFrameBytes));
  }
  ~MidiStream() override {
    if (player_ != nullptr) {
      f_.stop(player_);
      f_.deletePlayer(player_);
    }
    if (synth_.synth != nullptr) Park(f_, synth_);
  }

  bool Start(const std::string& soundFont) {
    std::optional<Synth> synth = MakeSynth(f_, soundFont);
    if (!synth) return false;
    synth_ = *synth;
    player_ = f_.newPlayer(synth_.synth);
    if (player_ == nullptr || f_.addMem(player_, smf_.data(), smf_.size()) != FLUID_OK)
      return false;
    return f_.play(player_) == FLUID_OK;
  }

  std::int64_t Read(char* buffer, std::uint64_t size) override {
    if (cancelled_) return -1;
    std::int64_t copied = 0;
    const auto want = static_cast<std::int64_t>(std::min<std::uint64_t>(size, 1 << 16));
    if (offset_ < kWaveHeaderBytes) {
      copied = std::min(want, kWaveHeaderBytes - offset_);
      std::memcpy(buffer, &header_[static_cast<std::size_t>(offset_)],
                  static_cast<std::size_t>(copied));
      offset_ += copied;
      return copied;
    }
    // Whole frames are rendered; a read that starts or ends inside one goes through `frame_`.
    while (copied < want && offset_ < Size()) {
      const std::int64_t data = offset_ - kWaveHeaderBytes;
      const std::int64_t inFrame = data % kFrameBytes;
      if (inFrame == 0 && want - copied >= kFrameBytes) {
        const std::int64_t frames = std::min(
            {(want - copied) / kFrameBytes, frames_ - data / kFrameBytes, std::int64_t{4096}});
        Render(buffer + copied, frames);
        copied += frames * kFrameBytes;
        offset_ += frames * kFrameBytes;
      } else {
        if (inFrame == 0) Render(frame_.data(), 1);
        const std::int64_t n = std::min(want - copied, kFrameBytes - inFrame);
        std::memcpy(buffer + copied, frame_.data() + inFrame, static_cast<std::size_t>(n));
        copied += n;
        offset_ += n;
      }
    }
    return copied;
  }

  std::int64_t Seek(std::int64_t offset) override {
    if (cancelled_ || offset < 0 || offset > Size()) return -1;
    const std::int64_t frame = std::max<std::int64_t>(0, offset - kWaveHeaderBytes) / kFrameBytes;
    if (offset != offset_) {
      const std::int64_t tick = timing_.TickAtMs(frame * 1000 / kRate);
      f_.seek(player_, static_cast<int>(std::min<std::int64_t>(tick, 0x7FFFFFFF)));
      f_.allSoundsOff(synth_.synth, -1);
    }
    offset_ = offset;
    return offset_;
  }

  std::int64_t Size() const override { return kWaveHeaderBytes + frames_ * kFrameBytes; }
  void Cancel() override { cancelled_ = true; }

 private:
  void Render(char* out, std::int64_t frames) {
    f_.writeS16(synth_.synth, static_cast<int>(frames), out, 0, 2, out, 1, 2);
  }

  const FluidLibrary& f_;
  std::string smf_;
  MidiTiming timing_;
  std::int64_t frames_ = 0;
  std::array<std::uint8_t, kWaveHeaderBytes> header_{};
  std::int64_t offset_ = 0;
  std::array<char, kFrameBytes> frame_{};
  Synth synth_;
  fluid_player_t* player_ = nullptr;
  std::atomic<bool> cancelled_{false};
};

}  // namespace

std::string SoundFontPath() {
  const char* env = std::getenv("VARLO_SOUNDFONT");
  if (env && *env) return IsFile(env) ? env : std::string();
  for (const char* path :
       {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}) {
    if (IsFile(path)) return path;
  }
  return {};
}

std::string MidiMissingText() {
  if (LoadFluidLibrary() == nullptr)
    return "MIDI files play through FluidSynth: install the package libfluidsynth3.";
  if (SoundFontPath().empty())
    return "MIDI files need a General MIDI SoundFont: install the package fluid-soundfont-gm "
           "(or name a .sf2 file in VARLO_SOUNDFONT).";
  return {};
}

std::unique_ptr<ByteStream> OpenMidiStream(const std::string& path) {
  const FluidLibrary* f = LoadFluidLibrary();
  const std::string soundFont = SoundFontPath();
  if (f == nullptr || soundFont.empty()) return nullptr;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::string bytes;
  bytes.resize(MidiTiming::kMaxBytes + 1);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  const std::optional<MidiTiming> timing = MidiTiming::Read(bytes);
  if (!timing || timing->LengthMs() <= 0) return nullptr;
  auto stream = std::make_unique<MidiStream>(*f, std::string(MidiTiming::SmfOf(bytes)), *timing);
  if (!stream->Start(soundFont)) return nullptr;
  return stream;
}

StreamProtocol MidiProtocol() {
  return {"varlomidi", [](const std::string& address) -> std::unique_ptr<ByteStream> {
            if (address.rfind(kMidiScheme, 0) != 0) return nullptr;
            return OpenMidiStream(address.substr(kMidiScheme.size()));
          }};
}

}  // namespace varlo
