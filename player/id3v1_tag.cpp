#include "player/id3v1_tag.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "common/atomic_file.h"
#include "player/mp3_header.h"

namespace varlo {

// Five names a line; each line's comment is the list index of its first name.
// clang-format off
const std::array<std::string_view, kGenreCount> kGenreNames = {
    "Unknown",  // 0
    "Blues", "Classic Rock", "Country", "Dance", "Disco",  // 1
    "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",  // 6
    "New Age", "Oldies", "Other", "Pop", "R&B",  // 11
    "Rap", "Reggae", "Rock", "Techno", "Industrial",  // 16
    "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack",  // 21
    "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk",  // 26
    "Fusion", "Trance", "Classical", "Intrumental", "Acid",  // 31
    "House", "Game", "Sound Clip", "Gospel", "Noise",  // 36
    "Alternate Rock", "Bass", "Soul", "Punk", "Space",  // 41
    "Meditative", "Intrumental Pop", "Intrumental Rock", "Ethnic", "Gothic",  // 46
    "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance",  // 51
    "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta",  // 56
    "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American",  // 61
    "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes",  // 66
    "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz",  // 71
    "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",  // 76
};
// clang-format on

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCopyChunkBytes = 256 * 1024;
constexpr std::size_t kTitleAt = 3;
constexpr std::size_t kArtistAt = kTitleAt + kTagTitleBytes;
constexpr std::size_t kAlbumAt = kArtistAt + kTagArtistBytes;
constexpr std::size_t kYearAt = kAlbumAt + kTagAlbumBytes;
constexpr std::size_t kCommentAt = kYearAt + kTagYearBytes;
constexpr std::size_t kTrackAt = kCommentAt + kTagCommentBytes;
constexpr std::size_t kGenreAt = kTrackAt + 1;
static_assert(kGenreAt + 1 == kTagBytes);

// The next code point of UTF-8 text, or -1 for a malformed sequence (one byte consumed).
long NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  std::size_t extra = 0;
  unsigned long cp = 0;
  unsigned long least = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1Fu, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0Fu, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07u, least = 0x10000;
  } else {
    return -1;
  }
  if (text.size() - i < extra) return -1;
  for (std::size_t k = 0; k < extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (next & 0x3Fu);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
  i += extra;
  return static_cast<long>(cp);
}

// Writes the first `keep` bytes of `in` and then `tail` in place of the file at `path`.
WriteStatus ReplaceFile(const std::string& path, int in, std::uint64_t keep,
                        std::string_view tail) {
  AtomicWriter out(path);
  std::vector<char> buf(kCopyChunkBytes);
  while (keep > 0 && out.Ok()) {
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), keep));
    const ssize_t n = read(in, buf.data(), want);
    if (n < 0 && errno == EINTR) continue;
    // The file ended early or could not be read: the writer's temporary goes.
    if (n <= 0) return WriteStatus::Failed(n < 0 ? errno : EIO);
    if (!out.Write(std::string_view(buf.data(), static_cast<std::size_t>(n)))) break;
    keep -= static_cast<std::uint64_t>(n);
  }
  if (out.Write(tail)) out.Commit();
  return out.Status();
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::string DecodeTagField(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  const auto last = bytes.find_last_not_of(' ');
  bytes = bytes.substr(0, last == std::string_view::npos ? 0 : last + 1);
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (b >> 6));
      text += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return text;
}

std::string EncodeTagField(std::string_view utf8, std::size_t length) {
  std::string bytes;
  bytes.reserve(length);
  for (std::size_t i = 0; i < utf8.size() && bytes.size() < length;) {
    const long cp = NextCodePoint(utf8, i);
    bytes += (cp < 0 || cp > 0xFF) ? '?' : static_cast<char>(static_cast<unsigned char>(cp));
  }
  bytes.resize(length, ' ');
  return bytes;
}

TagRecord ParseTagBlock(std::string_view block) {
  TagRecord tag;
  if (block.size() != kTagBytes || block.substr(0, 3) != "TAG") return tag;
  tag.title = DecodeTagField(block.substr(kTitleAt, kTagTitleBytes));
  tag.artist = DecodeTagField(block.substr(kArtistAt, kTagArtistBytes));
  tag.album = DecodeTagField(block.substr(kAlbumAt, kTagAlbumBytes));
  tag.year = DecodeTagField(block.substr(kYearAt, kTagYearBytes));
  tag.comment = DecodeTagField(block.substr(kCommentAt, kTagCommentBytes));
  tag.track = static_cast<std::uint8_t>(block[kTrackAt]);
  tag.genre = static_cast<std::uint8_t>(block[kGenreAt]);
  return tag;
}

std::string FormatTagBlock(const TagRecord& tag) {
  std::string block = "TAG";
  block += EncodeTagField(tag.title, kTagTitleBytes);
  block += EncodeTagField(tag.artist, kTagArtistBytes);
  block += EncodeTagField(tag.album, kTagAlbumBytes);
  block += EncodeTagField(tag.year, kTagYearBytes);
  // A zero before the track byte is how other ID3v1.1 readers know the byte is a track.
  block += EncodeTagField(tag.comment, kTagCommentBytes - 1);
  block += '\0';
  block += static_cast<char>(tag.track);
  block += static_cast<char>(tag.genre);
  return block;
}

TagRecord ReadTag(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec || size < kMinMpegFileSize) return {};
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(size - kTagBytes));
  std::string block(kTagBytes, '\0');
  if (!in.read(block.data(), static_cast<std::streamsize>(block.size()))) return {};
  return ParseTagBlock(block);
}

TagWriteResult WriteTag(const std::string& path, const TagRecord& tag, WriteStatus* why) {
  const auto failed = [why](int error) {
    if (why) *why = WriteStatus::Failed(error);
    return TagWriteResult::Failed;
  };
  // Through a link the file it points at gets the tag; the link stays a link.
  Fd in(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (in.Get() < 0 || fstat(in.Get(), &st) != 0) return failed(errno);
  if (!S_ISREG(st.st_mode)) return failed(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (size < kMinMpegFileSize) return TagWriteResult::TooShort;

  char last[3] = {};
  const auto tagAt = static_cast<off_t>(size - kTagBytes);
  if (pread(in.Get(), last, sizeof last, tagAt) != static_cast<ssize_t>(sizeof last))
    return failed(errno);
  const bool hasTag = std::memcmp(last, "TAG", sizeof last) == 0;
  const std::uint64_t keep = hasTag ? size - kTagBytes : size;
  // The writer keeps a file or folder the user marked read-only as it is, even for the
  // super-user.
  if (const WriteStatus written = ReplaceFile(path, in.Get(), keep, FormatTagBlock(tag)); !written)
    return failed(written.Error());
  if (why) *why = {};
  return hasTag ? TagWriteResult::Updated : TagWriteResult::Added;
}

std::string TagWriteMessage(TagWriteResult result, const WriteStatus& why) {
  switch (result) {
    case TagWriteResult::Added:
      return "Tag Added!";
    case TagWriteResult::Updated:
      return "Tag Updated!";
    case TagWriteResult::Failed:
      return WithReason("Error writing tag (is file in use?)!", why);
    case TagWriteResult::TooShort:
      break;
  }
  return {};
}

std::string TrackText(std::uint8_t track) {
  std::string text = std::to_string(track);
  if (text.size() < 2) text.insert(0, 1, '0');
  return text;
}

std::uint8_t TrackByteFromText(std::string_view text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  unsigned value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + static_cast<unsigned>(text[i] - '0'), 256u);
  }
  if (negative) return 0;
  return static_cast<std::uint8_t>(std::min(value, 255u));
}

int GenreIndexFromByte(std::uint8_t genre) {
  const int index = genre + 1;
  return index < static_cast<int>(kGenreCount) ? index : 0;
}

std::uint8_t GenreByteFromIndex(int index) {
  if (index <= 0 || index >= static_cast<int>(kGenreCount)) return kUnknownGenre;
  return static_cast<std::uint8_t>(index - 1);
}

TagRecord BuildTag(std::string_view title, std::string_view artist, std::string_view album,
                   std::string_view year, std::string_view comment, std::string_view trackText,
                   int genreIndex) {
  // Each text as the file will hold it, so the record matches what a later read returns.
  TagRecord tag;
  tag.title = DecodeTagField(EncodeTagField(title, kTagTitleBytes));
  tag.artist = DecodeTagField(EncodeTagField(artist, kTagArtistBytes));
  tag.album = DecodeTagField(EncodeTagField(album, kTagAlbumBytes));
  tag.year = DecodeTagField(EncodeTagField(year, kTagYearBytes));
  tag.comment = DecodeTagField(EncodeTagField(comment, kTagCommentBytes - 1));
  tag.track = TrackByteFromText(trackText);
  tag.genre = GenreByteFromIndex(genreIndex);
  return tag;
}

}  // namespace varlo
