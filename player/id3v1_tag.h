#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/write_status.h"

namespace varlo {

// Byte lengths of the ID3v1 fields. The comment's last byte is the zero that ID3v1.1 puts
// before the track byte.
inline constexpr std::size_t kTagBytes = 128;
inline constexpr std::size_t kTagTitleBytes = 30;
inline constexpr std::size_t kTagArtistBytes = 30;
inline constexpr std::size_t kTagAlbumBytes = 30;
inline constexpr std::size_t kTagYearBytes = 4;
inline constexpr std::size_t kTagCommentBytes = 29;

// The genre byte of a file without a tag; it shows as "Unknown".
inline constexpr std::uint8_t kNoGenre = 80;
// The genre byte saved when "Unknown" is chosen.
inline constexpr std::uint8_t kUnknownGenre = 254;

// An ID3v1 tag with its texts in UTF-8, without trailing blanks. A default record is the
// state before each read: empty texts, track 0 (none) and genre kNoGenre.
struct TagRecord {
  std::string title;
  std::string artist;
  std::string album;
  std::string year;
  std::string comment;
  std::uint8_t track = 0;
  std::uint8_t genre = kNoGenre;

  bool operator==(const TagRecord&) const = default;
};

// The genre list of the track-information window: "Unknown", then ID3v1 genres 0 to 79.
inline constexpr std::size_t kGenreCount = 81;
extern const std::array<std::string_view, kGenreCount> kGenreNames;

// A field's bytes (ISO-8859-1) as UTF-8: cut at the first NUL, trailing blanks dropped.
std::string DecodeTagField(std::string_view bytes);
// UTF-8 text as exactly `length` ISO-8859-1 bytes, blank-padded or cut; characters outside
// ISO-8859-1 and malformed UTF-8 bytes become "?".
std::string EncodeTagField(std::string_view utf8, std::size_t length);

// The record held in a 128-byte ID3v1 block; the default record when it does not start with
// "TAG" or is not 128 bytes long.
TagRecord ParseTagBlock(std::string_view block);
// The 128-byte ID3v1 block of a record.
std::string FormatTagBlock(const TagRecord& tag);

// The tag in the last 128 bytes of the file; the default record when they do not start with
// "TAG", or for missing, unreadable or shorter than 256-byte files.
TagRecord ReadTag(const std::string& path);

enum class TagWriteResult { TooShort, Added, Updated, Failed };

// Replaces the file's tag, or appends one when it has none. The new file is written beside
// the old one and renamed over it, keeping its permission bits, so a failure (Failed)
// leaves the file as it was. Files shorter than 256 bytes are left alone (TooShort); a
// missing file is Failed. With `why`, a failure's cause is stored there.
TagWriteResult WriteTag(const std::string& path, const TagRecord& tag, WriteStatus* why = nullptr);

// The message shown after a write, a failure's cause on a second line; empty for TooShort,
// which shows none.
std::string TagWriteMessage(TagWriteResult result, const WriteStatus& why = {});

// Field rules of the track-information window.
// The track byte with at least two digits: "00" for none, "07", "123".
std::string TrackText(std::uint8_t track);
// The track byte for typed text: its leading number, clamped to 0..255; 0 when there is none.
std::uint8_t TrackByteFromText(std::string_view text);
// The list index shown for a genre byte: byte + 1, or 0 ("Unknown") for bytes 80 and above.
int GenreIndexFromByte(std::uint8_t genre);
// The genre byte saved for a list index: index - 1, or kUnknownGenre for "Unknown" and for
// indices outside the list.
std::uint8_t GenreByteFromIndex(int index);

// The record saved from the window's fields.
TagRecord BuildTag(std::string_view title, std::string_view artist, std::string_view album,
                   std::string_view year, std::string_view comment, std::string_view trackText,
                   int genreIndex);

}  // namespace varlo
