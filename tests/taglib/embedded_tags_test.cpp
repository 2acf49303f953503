#include "platform/taglib/embedded_tags.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "platform/taglib/taglib_headers.h"
#include "tests/support/temp_dir.h"
#include "tests/taglib/taglib_files.h"

namespace varlo {
namespace {

using testing::TempDir;

const std::string kPng = "\x89PNG\r\n\x1a\n";

EmbeddedTags Read(const std::string& path) {
  EmbeddedTags tags;
  EXPECT_TRUE(ReadEmbeddedTags(path, tags)) << path;
  return tags;
}

TagLib::ByteVector Bytes(const std::string& s) {
  return TagLib::ByteVector(s.data(), static_cast<unsigned int>(s.size()));
}

// Adds an ID3v2 picture of `type` holding `data` to the MP3 at `path`.
void AddApic(const std::string& path, const std::string& data,
             TagLib::ID3v2::AttachedPictureFrame::Type type) {
  TagLib::MPEG::File file(path.c_str());
  auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
  frame->setMimeType("image/png");
  frame->setType(type);
  frame->setPicture(Bytes(data));
  file.ID3v2Tag(true)->addFrame(frame);
  ASSERT_TRUE(file.save(TagLib::MPEG::File::ID3v2));
}

TEST(EmbeddedTags, CoversThatFfmpegAttachesToMp3FlacAndM4a) {
  TempDir dir;
  const std::string cover = dir.File("cover.png");
  if (!testing::MakePng(cover, 64, 48)) GTEST_SKIP() << "no ffmpeg";
  const std::string png = dir.Read("cover.png");
  for (const char* name : {"song.mp3", "song.flac", "song.m4a"}) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(name);
    ASSERT_TRUE(testing::MakeAudio(path, cover));
    EXPECT_EQ(Read(path).picture, png);
  }
  // A file without one, a file that is no media file, a folder and a missing file hold none.
  const std::string bare = dir.File("bare.flac");
  ASSERT_TRUE(testing::MakeAudio(bare));
  EXPECT_TRUE(Read(bare).picture.empty());
  EmbeddedTags tags;
  EXPECT_FALSE(ReadEmbeddedTags(dir.Write("notes.txt", "words"), tags));
  EXPECT_FALSE(ReadEmbeddedTags(dir.Path(), tags));
  EXPECT_FALSE(ReadEmbeddedTags(dir.File("gone.mp3"), tags));
}

TEST(EmbeddedTags, TheFrontCoverWinsAndPicturesAboveTheBoundArePassedOver) {
  TempDir dir;
  const std::string path = dir.File("song.mp3");
  if (!testing::MakeAudio(path)) GTEST_SKIP() << "no ffmpeg";
  AddApic(path, kPng + "artist", TagLib::ID3v2::AttachedPictureFrame::Artist);
  EXPECT_EQ(Read(path).picture, kPng + "artist");  // the first picture, lacking a front cover
  AddApic(path, kPng + std::string(kMaxEmbeddedPictureBytes, 'x'),
          TagLib::ID3v2::AttachedPictureFrame::FrontCover);
  EXPECT_EQ(Read(path).picture, kPng + "artist");  // a front cover too large to take
  AddApic(path, kPng + "front", TagLib::ID3v2::AttachedPictureFrame::FrontCover);
  EXPECT_EQ(Read(path).picture, kPng + "front");
}

TEST(EmbeddedTags, LyricsOfId3v2AndVorbisComments) {
  TempDir dir;
  const std::string mp3 = dir.File("song.mp3");
  if (!testing::MakeAudio(mp3)) GTEST_SKIP() << "no ffmpeg";
  {
    TagLib::MPEG::File file(mp3.c_str());
    auto* uslt = new TagLib::ID3v2::UnsynchronizedLyricsFrame(TagLib::String::UTF8);
    uslt->setText(TagLib::String("Plain words\nJ\xC3\xB3ga", TagLib::String::UTF8));
    file.ID3v2Tag(true)->addFrame(uslt);
    auto* sylt = new TagLib::ID3v2::SynchronizedLyricsFrame(TagLib::String::UTF8);
    sylt->setTimestampFormat(TagLib::ID3v2::SynchronizedLyricsFrame::AbsoluteMilliseconds);
    sylt->setType(TagLib::ID3v2::SynchronizedLyricsFrame::Lyrics);
    TagLib::ID3v2::SynchronizedLyricsFrame::SynchedTextList lines;
    lines.append({1500, "first"});
    lines.append({3000, "second"});
    sylt->setSynchedText(lines);
    file.ID3v2Tag()->addFrame(sylt);
    ASSERT_TRUE(file.save(TagLib::MPEG::File::ID3v2));
  }
  const EmbeddedTags tags = Read(mp3);
  EXPECT_EQ(tags.lyrics, "Plain words\nJ\xC3\xB3ga");
  ASSERT_EQ(tags.synced.size(), 2u);
  EXPECT_EQ(tags.synced[1], (std::pair<std::int64_t, std::string>{3000, "second"}));
  EXPECT_FALSE(tags.syncedInFrames);

  // ffmpeg keeps lyrics in a user text frame of MP3s and in the lyrics atom of M4As.
  for (const char* name : {"ffmpeg.mp3", "ffmpeg.m4a"}) {
    const std::string path = dir.File(name);
    ASSERT_TRUE(testing::MakeAudio(path, "", {"-metadata", "lyrics=[00:01.00]one\ntwo"}));
    EXPECT_EQ(Read(path).lyrics, "[00:01.00]one\ntwo") << name;
  }

  // A LYRICS comment as taggers write it into FLAC, Ogg Vorbis and Opus; a picture in the
  // Vorbis comment of Ogg files.
  const std::string lrc = "[00:01.00]timed\n[00:02.00]words";
  const std::string flac = dir.File("song.flac");
  ASSERT_TRUE(testing::MakeAudio(flac, "", {"-metadata", "LYRICS=" + lrc}));
  EXPECT_EQ(Read(flac).lyrics, lrc);
  for (const char* name : {"song.ogg", "song.opus"}) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(name);
    if (!testing::MakeAudio(path)) GTEST_SKIP() << "ffmpeg cannot write " << name;
    {
      const bool opus = std::string(name).ends_with(".opus");
      std::unique_ptr<TagLib::Ogg::File> file;
      TagLib::Ogg::XiphComment* tag = nullptr;
      if (opus) {
        auto* f = new TagLib::Ogg::Opus::File(path.c_str());
        tag = f->tag();
        file.reset(f);
      } else {
        auto* f = new TagLib::Ogg::Vorbis::File(path.c_str());
        tag = f->tag();
        file.reset(f);
      }
      ASSERT_NE(tag, nullptr);
      tag->addField("UNSYNCEDLYRICS", "Ogg words");
      auto* picture = new TagLib::FLAC::Picture;
      picture->setType(TagLib::FLAC::Picture::FrontCover);
      picture->setMimeType("image/png");
      picture->setData(Bytes(kPng + "ogg"));
      tag->addPicture(picture);
      ASSERT_TRUE(file->save());
    }
    const EmbeddedTags ogg = Read(path);
    EXPECT_EQ(ogg.lyrics, "Ogg words");
    EXPECT_EQ(ogg.picture, kPng + "ogg");
  }
}

TEST(EmbeddedTags, ATagClaimingMoreThanTheBoundIsNotReadIntoMemory) {
  TempDir dir;
  const std::string path = dir.File("song.mp3");
  if (!testing::MakeAudio(path)) GTEST_SKIP() << "no ffmpeg";
  // An ID3v2 header stating 255 MiB of frames before the audio, and no such bytes behind it.
  std::string data = dir.Read("song.mp3");
  const std::string header = std::string("ID3\x03\x00\x00", 6) + "\x7F\x7F\x7F\x7F";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << header + data;
  const auto start = std::chrono::steady_clock::now();
  EmbeddedTags tags;
  ReadEmbeddedTags(path, tags);
  EXPECT_TRUE(tags.picture.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace varlo
