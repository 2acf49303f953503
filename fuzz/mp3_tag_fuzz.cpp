// MPEG files from outside: any bytes must give a plausible frame header or none, read the
// tag only from the last 128 bytes, and take a new tag without losing a byte of the audio.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_folder.h"
#include "player/id3v1_tag.h"
#include "player/mp3_header.h"

using varlo::fuzz::Check;

namespace {

// One file in the fuzz folder, reused by every run.
const std::string& FuzzFile() {
  static const std::string path = varlo::fuzz::FuzzFolder("mp3") + "/input.mp3";
  return path;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string& path = FuzzFile();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << input;

  if (const auto offset = varlo::FindMp3FrameHeader(path)) {
    Check(*offset + 4 <= size);
    const auto* b = data + *offset;
    Check(varlo::IsPlausibleMp3Header({b[0], b[1], b[2], b[3]}));
  }
  const auto info = varlo::ReadMp3StreamInfo(path);
  Check(info.found || (info.bitRate.empty() && info.sampleRate.empty() && info.mode.empty()));
  Check(!info.found || size >= varlo::kMinMpegFileSize);
  // The input as the bytes from a first frame on: a frame header always gives a bit rate, a
  // measured or averaged one no stream could exceed.
  const auto stream = varlo::DescribeMpegStream(input, size);
  if (stream.found) {
    Check(!stream.bitRate.empty() && !stream.sampleRate.empty() && !stream.mode.empty());
    const int kbps = std::atoi(stream.bitRate.c_str());
    Check(stream.bitRate == "free" || (kbps > 0 && kbps <= 1000));
  }

  const varlo::TagRecord read = varlo::ReadTag(path);
  const std::string_view last = size >= varlo::kMinMpegFileSize
                                    ? std::string_view(input).substr(size - varlo::kTagBytes)
                                    : std::string_view();
  const bool hasTag = last.substr(0, 3) == "TAG";
  Check(read == (hasTag ? varlo::ParseTagBlock(last) : varlo::TagRecord{}));

  // Field texts from the input itself, so any bytes reach the encoder.
  const auto part = [&](std::size_t at, std::size_t n) {
    return std::string_view(input).substr(std::min(at, size), n);
  };
  const varlo::TagRecord tag =
      varlo::BuildTag(part(0, 40), part(40, 40), part(80, 40), part(120, 6), part(126, 40),
                      part(166, 5), size > 0 ? data[0] % 90 : 0);
  Check(varlo::FormatTagBlock(tag).size() == varlo::kTagBytes);
  Check(varlo::ParseTagBlock(varlo::FormatTagBlock(tag)) == tag);

  const auto result = varlo::WriteTag(path, tag);
  const std::string after = ReadAll(path);
  if (size < varlo::kMinMpegFileSize) {
    Check(result == varlo::TagWriteResult::TooShort && after == input);
  } else {
    Check(result == (hasTag ? varlo::TagWriteResult::Updated : varlo::TagWriteResult::Added));
    const std::size_t audio = hasTag ? size - varlo::kTagBytes : size;
    Check(after.size() == audio + varlo::kTagBytes);
    Check(std::memcmp(after.data(), input.data(), audio) == 0);
    Check(varlo::ReadTag(path) == tag);
  }
  return 0;
}
