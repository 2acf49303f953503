#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "common/find_program.h"
#include "player/id3v1_tag.h"
#include "player/mp3_header.h"
#include "tests/support/temp_dir.h"

extern char** environ;

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

TEST(Mp3Header, TablesGiveTheTextsOfTheHeaderBits) {
  const auto info = DecodeMp3Header({0xFF, 0xFB, 0x90, 0x44});
  EXPECT_EQ(info.bitRate, "128");
  EXPECT_EQ(info.sampleRate, "44");
  EXPECT_EQ(info.mode, "jstereo");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x00, 0x00}).bitRate, "144");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x10, 0x00}).bitRate, "16");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0xE0, 0x00}).bitRate, "320");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0xF0, 0x00}).bitRate, "");  // beyond the table
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x0C, 0xC0}).sampleRate, "??");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x08, 0xC0}).sampleRate, "32");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x00, 0x00}).mode, "stereo");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x00, 0x80}).mode, "dualch");
  EXPECT_EQ(DecodeMp3Header({0xFF, 0xFB, 0x00, 0xC0}).mode, "mono");

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
  const char* pathEnv = std::getenv("PATH");
  const std::string ffmpeg = FindOnPath("ffmpeg", pathEnv ? pathEnv : "");
  if (ffmpeg.empty()) GTEST_SKIP() << "no ffmpeg";
  TempDir dir;
  const std::string out = dir.File("out.mp3");
  std::vector<std::string> args{ffmpeg,
                                "-loglevel",
                                "error",
                                "-f",
                                "lavfi",
                                "-i",
                                "sine=frequency=440:duration=2",
                                "-b:a",
                                "192k",
                                "-id3v2_version",
                                "3",
                                "-metadata",
                                "title=X",
                                out};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, ffmpeg.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
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
