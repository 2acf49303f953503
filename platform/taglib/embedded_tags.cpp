#include "platform/taglib/embedded_tags.h"

#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "platform/taglib/taglib_headers.h"

namespace varlo {
namespace {

// No single read of a tag is larger than a 16 MiB picture and the tag around it, and no file
// gets more read of it than a few such tags: a tag claiming more is damaged or hostile.
constexpr unsigned long kMaxReadBytes = 40ul << 20;
constexpr unsigned long kMaxTotalBytes = 96ul << 20;

// A file opened for reading that refuses reads beyond the bounds above: TagLib sees the end of
// the file there and gives up on the tag.
class BoundedStream final : public TagLib::IOStream {
 public:
  explicit BoundedStream(const char* path) : file_(path, true) {}
  TagLib::FileName name() const override { return file_.name(); }
  TagLib::ByteVector readBlock(unsigned long length) override {
    if (length > kMaxReadBytes || total_ + length > kMaxTotalBytes) return {};
    total_ += length;
    return file_.readBlock(length);
  }
  void writeBlock(const TagLib::ByteVector&) override {}
  void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
  void removeBlock(unsigned long, unsigned long) override {}
  bool readOnly() const override { return true; }
  bool isOpen() const override { return file_.isOpen(); }
  void seek(long offset, Position p) override { file_.seek(offset, p); }
  void clear() override { file_.clear(); }
  long tell() const override { return file_.tell(); }
  long length() override { return file_.length(); }
  void truncate(long) override {}

 private:
  TagLib::FileStream file_;
  unsigned long total_ = 0;
};

std::string Utf8(const TagLib::String& text) {
  std::string out = text.to8Bit(true);
  if (out.size() > kMaxEmbeddedLyricBytes) out.resize(kMaxEmbeddedLyricBytes);
  return out;
}

// Keeps `data` as the picture when none is kept yet, or when it is the front cover and the one
// kept is not; pictures above the bound are passed over.
void OfferPicture(const TagLib::ByteVector& data, bool front, bool& keptFront, EmbeddedTags& out) {
  if (data.isEmpty() || data.size() > kMaxEmbeddedPictureBytes) return;
  if (!out.picture.empty() && (keptFront || !front)) return;
  out.picture.assign(data.data(), data.size());
  keptFront = front;
}

void FromId3v2(TagLib::ID3v2::Tag* tag, EmbeddedTags& out) {
  if (tag == nullptr) return;
  bool front = false;
  for (TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
    if (auto* pic = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame))
      OfferPicture(pic->picture(), pic->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover,
                   front, out);
  }
  for (TagLib::ID3v2::Frame* frame : tag->frameList("SYLT")) {
    auto* sylt = dynamic_cast<TagLib::ID3v2::SynchronizedLyricsFrame*>(frame);
    if (sylt == nullptr || sylt->type() != TagLib::ID3v2::SynchronizedLyricsFrame::Lyrics) continue;
    const auto format = sylt->timestampFormat();
    if (format != TagLib::ID3v2::SynchronizedLyricsFrame::AbsoluteMilliseconds &&
        format != TagLib::ID3v2::SynchronizedLyricsFrame::AbsoluteMpegFrames)
      continue;
    for (const auto& line : sylt->synchedText())
      out.synced.emplace_back(static_cast<std::int64_t>(line.time), Utf8(line.text));
    out.syncedInFrames = format == TagLib::ID3v2::SynchronizedLyricsFrame::AbsoluteMpegFrames;
    if (!out.synced.empty()) break;
  }
  for (TagLib::ID3v2::Frame* frame : tag->frameList("USLT")) {
    if (auto* uslt = dynamic_cast<TagLib::ID3v2::UnsynchronizedLyricsFrame*>(frame)) {
      out.lyrics = Utf8(uslt->text());
      if (!out.lyrics.empty()) return;
    }
  }
  // Some taggers keep lyrics in a user text frame instead; ffmpeg names that one "USLT".
  for (TagLib::ID3v2::Frame* frame : tag->frameList("TXXX")) {
    auto* text = dynamic_cast<TagLib::ID3v2::UserTextIdentificationFrame*>(frame);
    if (text == nullptr || text->fieldList().size() < 2) continue;
    const TagLib::String key = text->description().upper();
    if (key != "LYRICS" && key != "UNSYNCEDLYRICS" && key != "USLT") continue;
    out.lyrics = Utf8(text->fieldList()[1]);
    if (!out.lyrics.empty()) return;
  }
}

void FromXiph(TagLib::Ogg::XiphComment* tag, EmbeddedTags& out) {
  if (tag == nullptr) return;
  bool front = false;
  for (TagLib::FLAC::Picture* pic : tag->pictureList())
    OfferPicture(pic->data(), pic->type() == TagLib::FLAC::Picture::FrontCover, front, out);
  const auto& fields = tag->fieldListMap();
  for (const char* key : {"LYRICS", "UNSYNCEDLYRICS"}) {
    const auto it = fields.find(key);
    if (it != fields.end() && !it->second.isEmpty()) {
      out.lyrics = Utf8(it->second.front());
      break;
    }
  }
}

void FromFlac(TagLib::FLAC::File& file, EmbeddedTags& out) {
  bool front = false;
  for (TagLib::FLAC::Picture* pic : file.pictureList())
    OfferPicture(pic->data(), pic->type() == TagLib::FLAC::Picture::FrontCover, front, out);
  if (file.hasXiphComment()) FromXiph(file.xiphComment(), out);
  if (file.hasID3v2Tag()) FromId3v2(file.ID3v2Tag(), out);
}

void FromMp4(TagLib::MP4::Tag* tag, EmbeddedTags& out) {
  if (tag == nullptr) return;
  bool front = false;
  if (tag->contains("covr")) {
    for (const TagLib::MP4::CoverArt& art : tag->item("covr").toCoverArtList())
      OfferPicture(art.data(), false, front, out);
  }
  if (tag->contains("\251lyr")) {
    const TagLib::StringList lines = tag->item("\251lyr").toStringList();
    if (!lines.isEmpty()) out.lyrics = Utf8(lines.front());
  }
}

}  // namespace

bool ReadEmbeddedTags(const std::string& path, EmbeddedTags& out) {
  out = EmbeddedTags{};
  // Only regular files: opening a pipe or device could wait for ever.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  BoundedStream stream(path.c_str());
  if (!stream.isOpen()) return false;
  const TagLib::FileRef ref(&stream, false);
  TagLib::File* file = ref.file();
  if (file == nullptr || !file->isValid()) return false;

  if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file)) {
    if (mpeg->hasID3v2Tag()) FromId3v2(mpeg->ID3v2Tag(), out);
  } else if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) {
    FromFlac(*flac, out);
  } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file)) {
    FromMp4(mp4->tag(), out);
  } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(file)) {
    if (wav->hasID3v2Tag()) FromId3v2(wav->ID3v2Tag(), out);
  } else if (auto* aiff = dynamic_cast<TagLib::RIFF::AIFF::File*>(file)) {
    if (aiff->hasID3v2Tag()) FromId3v2(aiff->tag(), out);
  } else if (dynamic_cast<TagLib::Ogg::File*>(file) != nullptr) {
    // Vorbis, Opus, Speex and Ogg FLAC all keep a Vorbis comment.
    FromXiph(dynamic_cast<TagLib::Ogg::XiphComment*>(file->tag()), out);
  }
  return true;
}

}  // namespace varlo
