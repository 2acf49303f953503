#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "player/id3v1_tag.h"
#include "player/mp3_header.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_dir.h"

namespace varlo {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (const int v : values) out += static_cast<char>(v);
  return out;
}

std::string Random(std::size_t size, unsigned seed) {
  std::mt19937 gen(seed);
  std::string out(size, '\0');
  for (auto& c : out) c = static_cast<char>(gen() & 0xFF);
  return out;
}

// An ID3v2.3 header stating `size` bytes of frames (syncsafe), with `flags` in byte 5.
std::string Id3v2Header(std::uint32_t size, int flags = 0) {
  return "ID3" + Bytes({3, 0, flags, static_cast<int>((size >> 21) & 0x7F),
                        static_cast<int>((size >> 14) & 0x7F), static_cast<int>((size >> 7) & 0x7F),
                        static_cast<int>(size & 0x7F)});
}

const std::string kFrame128 = Bytes({0xFF, 0xFB, 0x90, 0x44});  // 128 kbit/s, 44 kHz, jstereo
const std::string kFrame192 = Bytes({0xFF, 0xFB, 0xB0, 0xC0});  // 192 kbit/s, 44 kHz, mono

TagRecord Sample() {
  return BuildTag("Caf\xC3\xA9 Song", "Artist", "Album", "1999", "Nice", "7", 18);
}

}  // namespace

TEST(Mp3Header, EachVersionAndLayerReadsWithItsOwnTables) {
  const auto info = DecodeMp3Header({0xFF, 0xFB, 0x90, 0x44});
  EXPECT_EQ(info.bitRate, "128");
  EXPECT_EQ(info.sampleRate, "44");
  EXPECT_EQ(info.mode, "jstereo");
  // MPEG-1 Layer III: index 0 is free format, 1 is 32 kbit/s, 2 is 40.
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x00, 0x00}).bitRate, "free");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x10, 0x00}).bitRate, "32");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x20, 0x00}).bitRate, "40");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0xE0, 0x00}).bitRate, "320");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0xF0, 0x00}).bitRate, "");  // "bad"
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x0C, 0xC0}).sampleRate, "??");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x08, 0xC0}).sampleRate, "32");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x04, 0x00}).sampleRate, "48");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x00, 0x00}).mode, "stereo");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x00, 0x80}).mode, "dualch");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x00, 0xC0}).mode, "mono");
  // MPEG-1 Layers I and II.
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFF, 0xC0, 0x00}).bitRate, "384");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFD, 0xE0, 0x00}).bitRate, "384");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFD, 0x20, 0x00}).bitRate, "48");
  // MPEG-2: 24 kHz at 64 kbit/s, 22.05 kHz, 16 kHz; Layer I has tables of its own.
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xF3, 0x84, 0x44}).bitRate, "64");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xF3, 0x84, 0x44}).sampleRate, "24");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xF3, 0x10, 0x44}).sampleRate, "22");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xF3, 0x10, 0x44}).bitRate, "8");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xF3, 0x18, 0x44}).sampleRate, "16");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xF7, 0x90, 0x44}).bitRate, "144");
  // MPEG-2.5: 11.025, 12 and 8 kHz.
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xE3, 0x40, 0xC0}).sampleRate, "11");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xE3, 0x44, 0xC0}).sampleRate, "12");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xE3, 0x44, 0xC0}).bitRate, "32");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xE3, 0x48, 0xC0}).sampleRate, "8");

  // Frame lengths follow the layer and version.
  const auto frame = [](Mp3HeaderBytes b) { return ParseMpegHeader(b).value().FrameBytes(); };
  EXPECT_EQ(frame({0xFF, 0xFB, 0x90, 0x44}), 417);
  EXPECT_EQ(frame({0xFF, 0xFB, 0x92, 0x44}), 418);  // padded
  EXPECT_EQ(frame({0xFF, 0xF3, 0x84, 0x44}), 192);
  EXPECT_EQ(frame({0xFF, 0xFF, 0xC4, 0x00}), 384);  // Layer I, 384 kbit/s at 48 kHz
  EXPECT_EQ(frame({0xFF, 0xFB, 0x00, 0x00}), 0);    // free format
  EXPECT_EQ(ParseMpegHeader({0xFF, 0xE3, 0x44, 0xC0})->SamplesPerFrame(), 576);

  EXPECT_TRUE(IsPlausibleMp3Header({0xFF, 0xFB, 0x90, 0x44}));
  EXPECT_FALSE(IsPlausibleMp3Header({0xFF, 0xFF, 0xFF, 0xFF}));  // bit rate 15
  EXPECT_FALSE(IsPlausibleMp3Header({0xFF, 0xF9, 0x90, 0x44}));  // layer 00
  EXPECT_FALSE(IsPlausibleMp3Header({0xFF, 0xFB, 0x9C, 0x44}));  // sampling 3
  EXPECT_FALSE(IsPlausibleMp3Header({0xFF, 0xEB, 0x90, 0x44}));  // reserved version
  EXPECT_FALSE(IsPlausibleMp3Header({0xFF, 0x1B, 0x90, 0x44}));  // no sync

  EXPECT_EQ(Id3v2TagSize(Id3v2Header(257)), 267u);
  EXPECT_EQ(Id3v2TagSize(Id3v2Header(257, 0x10)), 277u);                 // footer
  EXPECT_EQ(Id3v2TagSize("ID3" + Bytes({3, 0, 0, 0, 0, 0x82, 1})), 0u);  // not syncsafe
  EXPECT_EQ(Id3v2TagSize("ID3"), 0u);
}

TEST(Mp3Header, SkipsTheId3v2TagAndStrayBytesBeforeTheFirstFrame) {
  TempDir dir;
  // The tag's padding holds 0xFF bytes and even a whole frame header; only the stated size
  // tells them from the audio. Stray 0xFF bytes after the tag are no plausible header.
  std::string body = std::string(100, '\xFF') + kFrame128 + std::string(96, '\0');
  const std::string junk = Bytes({0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xF9, 0x90});
  const std::string audio = kFrame192 + std::string(400, '\x55');
  const auto tagged = dir.Write("a.mp3", Id3v2Header(200) + body + junk + audio);
  EXPECT_EQ(FindMp3FrameHeader(tagged), 210u + junk.size());
  const auto info = ReadMp3StreamInfo(tagged);
  EXPECT_TRUE(info.found);
  EXPECT_EQ(info.bitRate, "192");
  EXPECT_EQ(info.sampleRate, "44");
  EXPECT_EQ(info.mode, "mono");
  // With the footer flag ten more bytes belong to the tag.
  const auto footer =
      dir.Write("f.mp3", Id3v2Header(200, 0x10) + body + kFrame128 + std::string(6, '\0') + audio);
  EXPECT_EQ(ReadMp3StreamInfo(footer).bitRate, "192");

  // A header split over two read chunks is found; one past the search limit is not.
  const auto split = dir.Write("s.mp3", std::string(65534, '\0') + kFrame128 + "rest");
  EXPECT_EQ(FindMp3FrameHeader(split), 65534u);
  const auto far =
      dir.Write("far.mp3", Id3v2Header(0) + std::string(kMaxFrameSearchBytes, '\0') + kFrame128);
  EXPECT_FALSE(FindMp3FrameHeader(far));
  const auto past = dir.Write("p.mp3", Id3v2Header(100000) + std::string(500, '\0') + kFrame128);
  EXPECT_FALSE(ReadMp3StreamInfo(past).found);
}

TEST(Mp3Header, ShortMissingAndGarbageFilesShowNothing) {
  TempDir dir;
  for (const std::size_t size : {0u, 1u, 255u}) {
    const auto path = dir.Write("short.mp3", (kFrame128 + std::string(size, 'x')).substr(0, size));
    EXPECT_FALSE(ReadMp3StreamInfo(path).found) << size;
    EXPECT_EQ(ReadMp3StreamInfo(path).bitRate, "");
  }
  EXPECT_FALSE(ReadMp3StreamInfo(dir.File("missing.mp3")).found);
  EXPECT_FALSE(ReadMp3StreamInfo(dir.Path()).found);
  for (unsigned seed = 0; seed < 20; ++seed) {
    const std::string data = Random(4096, seed);
    const auto offset = FindMp3FrameHeader(dir.Write("g.mp3", data));
    if (offset) {
      ASSERT_LE(*offset + 4, data.size());
      const auto* b = reinterpret_cast<const std::uint8_t*>(data.data() + *offset);
      EXPECT_TRUE(IsPlausibleMp3Header({b[0], b[1], b[2], b[3]}));
    }
  }
}

namespace {

std::string BigEndian(std::uint32_t v) {
  return Bytes({static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF),
                static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)});
}

// A first frame of `size` bytes whose header is `header`, with `tag` written `at` bytes in.
std::string FrameWith(const std::string& header, std::size_t at, const std::string& tag,
                      std::size_t size = 417) {
  std::string frame = header + std::string(size - header.size(), '\0');
  frame.replace(at, tag.size(), tag);
  return frame;
}

}  // namespace

TEST(Mp3Header, VbrHeadersGiveTheAverageAndFreeFormatIsMeasured) {
  const MpegFrameHeader stereo = ParseMpegHeader({0xFF, 0xFB, 0x90, 0x44}).value();
  // 1000 frames of 1152 samples at 44.1 kHz last 26.12 s; 600000 bytes in that are 183.75 kbit/s.
  const std::string xing =
      FrameWith(kFrame128, 36, "Xing" + BigEndian(3) + BigEndian(1000) + BigEndian(600000));
  EXPECT_EQ(VbrAverageKbps(xing, stereo, 0), 184);
  EXPECT_EQ(DescribeMpegStream(xing, 0).bitRate, "184");
  // Without a byte count the stream's own size counts; a check word moves the header on.
  const MpegFrameHeader checked = ParseMpegHeader({0xFF, 0xFA, 0x90, 0x44}).value();
  EXPECT_EQ(VbrAverageKbps(FrameWith(Bytes({0xFF, 0xFA, 0x90, 0x44}), 38,
                                     "Xing" + BigEndian(1) + BigEndian(1000)),
                           checked, 600000),
            184);
  // An Info header's counts leave out its own frame (here 288 bytes of 32 kbit/s at 8 kHz): a
  // stream of 1000 frames at 8 kbit/s.
  const MpegFrameHeader lowRate = ParseMpegHeader({0xFF, 0xE3, 0x48, 0xC0}).value();
  EXPECT_EQ(lowRate.FrameBytes(), 288);
  EXPECT_EQ(VbrAverageKbps(
                FrameWith(Bytes({0xFF, 0xE3, 0x48, 0xC0}), 13,
                          "Info" + BigEndian(3) + BigEndian(1000) + BigEndian(288 + 72000), 288),
                lowRate, 0),
            8);
  // A mono MPEG-2 stream keeps its header 9 bytes after the frame header's 4.
  const MpegFrameHeader mono = ParseMpegHeader({0xFF, 0xF3, 0x84, 0xC4}).value();
  const std::string lsf = FrameWith(Bytes({0xFF, 0xF3, 0x84, 0xC4}), 13,
                                    "Xing" + BigEndian(3) + BigEndian(500) + BigEndian(60000), 192);
  EXPECT_EQ(VbrAverageKbps(lsf, mono, 0), 40);  // 500 x 576 samples at 24 kHz: 12 s
  // VBRI stands 32 bytes after the header: version, delay, quality, bytes, frames.
  const std::string vbri = FrameWith(
      kFrame128, 36, "VBRI" + Bytes({0, 1, 0, 0, 0, 75}) + BigEndian(600000) + BigEndian(1000));
  EXPECT_EQ(DescribeMpegStream(vbri, 0).bitRate, "184");
  // Counts no stream could have, and no header at all, leave the frame's own bit rate.
  EXPECT_EQ(
      DescribeMpegStream(
          FrameWith(kFrame128, 36, "Xing" + BigEndian(3) + BigEndian(1) + BigEndian(0xFFFFFFFF)), 0)
          .bitRate,
      "128");
  EXPECT_EQ(
      DescribeMpegStream(FrameWith(kFrame128, 36, "Xing" + BigEndian(2) + BigEndian(9)), 0).bitRate,
      "128");
  EXPECT_EQ(DescribeMpegStream(FrameWith(kFrame128, 0, ""), 0).bitRate, "128");

  // Free format: the distance to the next frame of the stream (its padding may differ) tells.
  const std::string freeHeader = Bytes({0xFF, 0xFB, 0x00, 0x44});
  std::string stream;
  for (int i = 0; i < 3; ++i)
    stream += FrameWith(i == 1 ? Bytes({0xFF, 0xFB, 0x02, 0x44}) : freeHeader, 0, "", 417);
  EXPECT_EQ(DescribeMpegStream(stream, stream.size()).bitRate, "128");
  EXPECT_EQ(DescribeMpegStream(FrameWith(freeHeader, 0, "", 417), 417).bitRate, "free");
  // A "next frame" so far off that the stream would run above 1000 kbit/s is a false sync.
  const std::string layerOne = Bytes({0xFF, 0xFF, 0x00, 0x00});
  EXPECT_EQ(DescribeMpegStream(FrameWith(layerOne, 0, "", 1424) + layerOne, 1428).bitRate, "free");
  EXPECT_FALSE(DescribeMpegStream("\xFF\xFB", 2).found);
}

// What ffprobe reports of a file: its sampling rate and bit rate, from "key=value" lines.
struct Probed {
  int sampleRate = 0;
  int bitRate = 0;
};
std::optional<Probed> Probe(const std::string& path) {
  const auto text =
      testing::RunTool("ffprobe", {"-v", "error", "-select_streams", "a:0", "-show_entries",
                                   "stream=sample_rate,bit_rate", "-of", "default=nw=1", path});
  if (!text) return std::nullopt;
  Probed p;
  for (std::size_t at = 0; at < text->size();) {
    const std::size_t end = std::min(text->find('\n', at), text->size());
    const std::string line = text->substr(at, end - at);
    if (line.rfind("sample_rate=", 0) == 0) p.sampleRate = std::atoi(line.c_str() + 12);
    if (line.rfind("bit_rate=", 0) == 0) p.bitRate = std::atoi(line.c_str() + 9);
    at = end + 1;
  }
  return p;
}

TEST(Mp3Header, FilesOfEveryVersionAndRateMatchWhatFfprobeReports) {
  TempDir dir;
  struct Case {
    const char* name;
    std::vector<std::string> options;
    bool vbr;
  };
  const std::vector<Case> cases = {
      {"cbr44.mp3", {"-ar", "44100", "-b:a", "128k"}, false},
      {"cbr44-noxing.mp3", {"-ar", "44100", "-b:a", "192k", "-write_xing", "0"}, false},
      {"mpeg2-24k.mp3", {"-ar", "24000", "-b:a", "64k"}, false},
      {"mpeg2-22k.mp3", {"-ar", "22050", "-b:a", "32k", "-ac", "1"}, false},
      {"mpeg25-11k.mp3", {"-ar", "11025", "-b:a", "8k"}, false},
      {"mpeg25-12k.mp3", {"-ar", "12000", "-b:a", "24k", "-write_xing", "0"}, false},
      {"mpeg25-8k.mp3", {"-ar", "8000", "-b:a", "16k", "-ac", "1"}, false},
      {"vbr44.mp3", {"-ar", "44100", "-q:a", "2"}, true},
      {"vbr48-mono.mp3", {"-ar", "48000", "-ac", "1", "-q:a", "0"}, true},
      {"vbr22.mp3", {"-ar", "22050", "-q:a", "4"}, true},
      {"vbr12.mp3", {"-ar", "12000", "-q:a", "6"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string out = dir.File(c.name);
    std::vector<std::string> args{"-f",  "lavfi", "-i",   "anoisesrc=d=4:c=pink:a=0.4",
                                  "-ac", "2",     "-c:a", "libmp3lame"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(out);
    if (!testing::Ffmpeg(args)) GTEST_SKIP() << "ffmpeg cannot write MP3";
    const auto probed = Probe(out);
    if (!probed) GTEST_SKIP() << "no ffprobe";
    const Mp3StreamInfo info = ReadMp3StreamInfo(out);
    ASSERT_TRUE(info.found);
    EXPECT_EQ(info.sampleRate, std::to_string(probed->sampleRate / 1000));
    const double shown = std::atof(info.bitRate.c_str());
    const double expected = probed->bitRate / 1000.0;
    // Labels show whole kbit/s: a VBR average may be rounded by half of one on top of the 2%.
    EXPECT_NEAR(shown, expected, c.vbr ? expected * 0.02 + 0.5 : 1.0) << info.bitRate;
  }
}

TEST(Id3v1Tag, FieldsAreLatin1CutOrPaddedToTheirBytes) {
  EXPECT_EQ(DecodeTagField("Caf\xE9  \0junk"), "Caf\xC3\xA9");
  EXPECT_EQ(DecodeTagField(std::string(30, ' ')), "");
  EXPECT_EQ(EncodeTagField("Caf\xC3\xA9", 6), "Caf\xE9  ");
  EXPECT_EQ(EncodeTagField("\xE2\x82\xAC \xE6\x97\xA5", 4), "? ? ");  // outside Latin-1
  EXPECT_EQ(EncodeTagField("a\xC3\xC0\xAF", 4), "a???");              // malformed
  std::string longText;
  for (int i = 0; i < 40; ++i) longText += "\xC3\xA9";
  EXPECT_EQ(EncodeTagField(longText, 30), std::string(30, '\xE9'));

  const std::string block = FormatTagBlock(Sample());
  ASSERT_EQ(block.size(), kTagBytes);
  EXPECT_EQ(block.substr(0, 33), "TAGCaf\xE9 Song" + std::string(21, ' '));
  EXPECT_EQ(block.substr(97, 28), "Nice" + std::string(24, ' '));
  EXPECT_EQ(block.substr(125), Bytes({0, 7, 17}));  // ID3v1.1 zero, track, genre
  EXPECT_EQ(ParseTagBlock(block), Sample());
  EXPECT_EQ(ParseTagBlock("tag" + block.substr(3)), TagRecord{});
  EXPECT_EQ(BuildTag(std::string(40, 'x'), "", "", "20245", "", "", 1).title, std::string(30, 'x'));
  EXPECT_EQ(BuildTag("", "", "", "20245", "", "", 1).year, "2024");
}

TEST(Id3v1Tag, WindowFieldRules) {
  EXPECT_EQ(TrackText(0), "00");
  EXPECT_EQ(TrackText(7), "07");
  EXPECT_EQ(TrackText(255), "255");
  EXPECT_EQ(TrackByteFromText("7"), 7);
  EXPECT_EQ(TrackByteFromText(" 12b"), 12);
  EXPECT_EQ(TrackByteFromText("abc"), 0);
  EXPECT_EQ(TrackByteFromText("-3"), 0);
  EXPECT_EQ(TrackByteFromText("99999999999999999999"), 255);

  ASSERT_EQ(kGenreNames.size(), 81u);
  EXPECT_EQ(kGenreNames[0], "Unknown");
  EXPECT_EQ(kGenreNames[1], "Blues");
  EXPECT_EQ(kGenreNames[34], "Intrumental");
  EXPECT_EQ(kGenreNames[68], "Psychadelic");
  EXPECT_EQ(kGenreNames[80], "Hard Rock");
  EXPECT_EQ(GenreIndexFromByte(0), 1);
  EXPECT_EQ(GenreIndexFromByte(79), 80);
  for (const int b : {80, 254, 255}) EXPECT_EQ(GenreIndexFromByte(static_cast<std::uint8_t>(b)), 0);
  EXPECT_EQ(GenreByteFromIndex(0), 254);
  EXPECT_EQ(GenreByteFromIndex(80), 79);
  EXPECT_EQ(GenreByteFromIndex(81), 254);
  EXPECT_EQ(TagRecord{}.genre, 80);

  EXPECT_EQ(TagWriteMessage(TagWriteResult::Added), "Tag Added!");
  EXPECT_EQ(TagWriteMessage(TagWriteResult::Updated), "Tag Updated!");
  EXPECT_EQ(TagWriteMessage(TagWriteResult::Failed), "Error writing tag (is file in use?)!");
  EXPECT_EQ(TagWriteMessage(TagWriteResult::Failed, WriteStatus::Failed(ENOSPC)),
            "Error writing tag (is file in use?)!\nNo space left on device");
  EXPECT_EQ(TagWriteMessage(TagWriteResult::TooShort), "");
}

TEST(Id3v1Tag, AppendThenUpdateKeepsTheAudioBytes) {
  TempDir dir;
  // "Tag" and "TAG" in the audio, even inside the last 256 bytes, are no tag.
  std::string audio = Random(300000, 1);
  audio.replace(audio.size() - 200, 3, "Tag");
  audio.replace(audio.size() - 129, 3, "TAG");
  const auto path = dir.Write("song.mp3", audio);
  ::chmod(path.c_str(), 0640);
  EXPECT_EQ(ReadTag(path), TagRecord{});

  EXPECT_EQ(WriteTag(path, Sample()), TagWriteResult::Added);
  std::string now = dir.Read("song.mp3");
  ASSERT_EQ(now.size(), audio.size() + kTagBytes);
  EXPECT_EQ(now.substr(0, audio.size()), audio);
  EXPECT_EQ(ReadTag(path), Sample());

  const TagRecord other = BuildTag("Other", "B", "C", "2001", "", "00", 0);
  EXPECT_EQ(WriteTag(path, other), TagWriteResult::Updated);
  now = dir.Read("song.mp3");
  ASSERT_EQ(now.size(), audio.size() + kTagBytes);
  EXPECT_EQ(now.substr(0, audio.size()), audio);
  EXPECT_EQ(ReadTag(path).genre, 254);
  EXPECT_EQ(GenreIndexFromByte(ReadTag(path).genre), 0);
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0640));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

  // Through a link the linked file gets the tag and the link stays.
  fs::create_symlink(path, dir.File("link.mp3"));
  EXPECT_EQ(WriteTag(dir.File("link.mp3"), Sample()), TagWriteResult::Updated);
  EXPECT_TRUE(fs::is_symlink(dir.File("link.mp3")));
  EXPECT_EQ(ReadTag(path), Sample());
}

TEST(Id3v1Tag, ShortMissingAndOddFilesAreNeverWritten) {
  TempDir dir;
  for (const std::size_t size : {0u, 1u, 200u, 255u}) {
    const std::string data = (std::string(size, 'a') + "TAG").substr(3);
    const auto path = dir.Write("short.mp3", data);
    EXPECT_EQ(ReadTag(path), TagRecord{}) << size;
    EXPECT_EQ(WriteTag(path, Sample()), TagWriteResult::TooShort) << size;
    EXPECT_EQ(dir.Read("short.mp3"), data);
  }
  const auto exact = dir.Write("256.mp3", std::string(128, 'a') + FormatTagBlock(Sample()));
  EXPECT_EQ(ReadTag(exact), Sample());
  EXPECT_EQ(WriteTag(exact, TagRecord{}), TagWriteResult::Updated);

  EXPECT_EQ(ReadTag(dir.File("missing.mp3")), TagRecord{});
  EXPECT_EQ(WriteTag(dir.File("missing.mp3"), Sample()), TagWriteResult::Failed);
  EXPECT_EQ(WriteTag(dir.File("no/such/folder.mp3"), Sample()), TagWriteResult::Failed);
  EXPECT_FALSE(fs::exists(dir.File("missing.mp3")));
  EXPECT_EQ(WriteTag(dir.Path(), Sample()), TagWriteResult::Failed);

  for (unsigned seed = 0; seed < 10; ++seed) {
    const std::string data = Random(4096, seed);
    const auto path = dir.Write("g.mp3", data);
    ReadTag(path);
    ASSERT_NE(WriteTag(path, Sample()), TagWriteResult::Failed);
    EXPECT_EQ(dir.Read("g.mp3").substr(0, 3968), data.substr(0, 3968));
    EXPECT_EQ(ReadTag(path), Sample());
  }
}

TEST(Id3v1Tag, WriteFailingMidwayKeepsTheOriginal) {
  TempDir dir;
  const std::string audio = Random(200000, 2);
  const auto path = dir.Write("song.mp3", audio);
  // A file-size limit makes the copy fail part way, for root as for anyone.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 65536;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto result = WriteTag(path, Sample());
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(result, TagWriteResult::Failed);
  EXPECT_EQ(dir.Read("song.mp3"), audio);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

// The mode bits decide, so the super-user's writes are refused too.
TEST(Id3v1Tag, ReadOnlyFileOrFolderKeepsTheOriginal) {
  TempDir dir;
  const std::string audio = Random(1000, 3);
  const auto path = dir.Write("ro/song.mp3", audio);
  ::chmod(dir.File("ro").c_str(), 0555);
  EXPECT_EQ(WriteTag(path, Sample()), TagWriteResult::Failed);
  ::chmod(dir.File("ro").c_str(), 0755);
  EXPECT_EQ(dir.Read("ro/song.mp3"), audio);

  // A read-only file in a writable folder: a rename over it would still change it.
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(WriteTag(path, Sample()), TagWriteResult::Failed);
  EXPECT_EQ(dir.Read("ro/song.mp3"), audio);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("ro")), fs::directory_iterator()), 1);
  ::chmod(path.c_str(), 0644);
}

TEST(Mp3Header, RealMp3WithId3v2TagFromFfmpeg) {
  TempDir dir;
  const std::string out = dir.File("out.mp3");
  if (!testing::Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-b:a", "192k",
                        "-id3v2_version", "3", "-metadata", "title=X", out}))
    GTEST_SKIP() << "ffmpeg cannot write MP3";

  ASSERT_EQ(dir.Read("out.mp3").substr(0, 3), "ID3");
  EXPECT_GT(FindMp3FrameHeader(out).value_or(0), 10u);
  const auto info = ReadMp3StreamInfo(out);
  EXPECT_EQ(info.bitRate, "192");
  EXPECT_EQ(info.sampleRate, "44");
  EXPECT_EQ(WriteTag(out, Sample()), TagWriteResult::Added);
  EXPECT_EQ(ReadMp3StreamInfo(out).bitRate, "192");
  EXPECT_EQ(ReadTag(out), Sample());
}

}  // namespace varlo
