#include "platform/cdio/cdio_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string_view>

#include "cd/nrg_layout.h"
#include "common/utf8_text.h"

namespace varlo {
namespace {

std::string LowerExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

// libcdio reports every probe it tries on standard error; only its errors are worth a line.
void LogErrorsOnly(cdio_log_level_t level, const char* message) {
  if (level >= CDIO_LOG_ERROR) std::fprintf(stderr, "varlo: cd: %s\n", message);
}

void QuietLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { cdio_log_set_handler(&LogErrorsOnly); });
}

// One CD-Text field as bounded UTF-8; empty when the disc has none. libcdio converts the
// disc's Latin-1 to UTF-8, and does so again for cue sheets that were UTF-8 already.
std::string TextField(const cdtext_t* text, cdtext_field_t field, int track) {
  if (text == nullptr) return {};
  const char* value = cdtext_get_const(text, field, static_cast<track_t>(track));
  if (value == nullptr) return {};
  constexpr std::size_t kMaxField = 160;
  const std::string_view all(value, strnlen(value, kMaxField + 4));
  const std::string value8 = UndoLatin1Reading(all);
  return value8.substr(0, Utf8PrefixLength(value8, kMaxField));
}

// Reads `length` bytes at `offset` of an open file; false when they are not all there.
bool ReadAt(int fd, std::uint64_t offset, std::string& out, std::size_t length) {
  out.assign(length, '\0');
  std::size_t have = 0;
  while (have < length) {
    const ssize_t n =
        ::pread(fd, out.data() + have, length - have, static_cast<off_t>(offset + have));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    have += static_cast<std::size_t>(n);
  }
  return true;
}

// The chunk list of a Nero image; nullopt for a file that is none, or a broken one.
std::optional<NrgLayout> ReadNrgLayout(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<NrgLayout> layout;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    const auto size = static_cast<std::uint64_t>(info.st_size);
    const std::size_t tailLength =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, kNrgFooterBytes));
    std::string tail, chunks;
    if (ReadAt(fd, size - tailLength, tail, tailLength)) {
      const std::optional<NrgChunkSpan> span = FindNrgChunks(tail, size);
      if (span && span->length <= kMaxNrgChunkBytes &&
          ReadAt(fd, span->offset, chunks, static_cast<std::size_t>(span->length))) {
        layout = ParseNrgChunks(chunks);
      }
    }
  }
  ::close(fd);
  return layout;
}

}  // namespace

std::string DefaultCdSource() {
  const char* env = std::getenv("VARLO_CDROM");
  if (env && *env) return env;
  QuietLibrary();
  driver_id_t driver = DRIVER_DEVICE;
  char* device = cdio_get_default_device_driver(&driver);
  if (device == nullptr) return {};
  std::string name = device;
  cdio_free(device);
  return name;
}

bool IsDiscImage(const std::string& source) {
  const std::string ext = LowerExtension(source);
  return ext == "cue" || ext == "bin" || ext == "toc" || ext == "nrg";
}

std::unique_ptr<CdioDisc> CdioDisc::Open(const std::string& source) {
  if (source.empty()) return nullptr;
  QuietLibrary();
  const std::string ext = LowerExtension(source);
  CdIo_t* handle = nullptr;
  int lastSessionTrack = 0;
  if (ext == "nrg") {
    const std::optional<NrgLayout> layout = ReadNrgLayout(source);
    // The library stops the whole program on an image with a track list per session (a
    // failed assertion): such an image is refused instead.
    if (layout && layout->trackAtOnceLists > 1) return nullptr;
    if (layout) lastSessionTrack = LastSessionFirstTrack(*layout);
  }
  if (ext == "cue" || ext == "bin")
    handle = cdio_open(source.c_str(), DRIVER_BINCUE);
  else if (ext == "toc")
    handle = cdio_open(source.c_str(), DRIVER_CDRDAO);
  else if (ext == "nrg")
    handle = cdio_open(source.c_str(), DRIVER_NRG);
  else
    handle = cdio_open(source.c_str(), DRIVER_DEVICE);
  if (handle == nullptr) return nullptr;
  return std::unique_ptr<CdioDisc>(new CdioDisc(handle, lastSessionTrack));
}

CdioDisc::~CdioDisc() {
  cdio_destroy(handle_);
}

std::optional<DiscToc> CdioDisc::ReadToc() const {
  const track_t first = cdio_get_first_track_num(handle_);
  const track_t count = cdio_get_num_tracks(handle_);
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) return std::nullopt;
  DiscToc toc;
  // A disc claims at most 99 tracks; more is a broken table, cut at 99.
  const int last = std::min(static_cast<int>(first) + static_cast<int>(count) - 1, kMaxDiscTracks);
  for (int t = first; t <= last; ++t) {
    const auto track = static_cast<track_t>(t);
    const lsn_t lsn = cdio_get_track_lsn(handle_, track);
    if (lsn == CDIO_INVALID_LSN) return std::nullopt;
    toc.tracks.push_back({lsn, cdio_get_track_format(handle_, track) == TRACK_FORMAT_AUDIO});
  }
  const lsn_t leadOut = cdio_get_track_lsn(handle_, CDIO_CDROM_LEADOUT_TRACK);
  if (leadOut == CDIO_INVALID_LSN) return std::nullopt;
  toc.leadOutLba = leadOut;

  // A drive says where the last session starts; the library reads no sessions of images.
  lsn_t lastSession = 0;
  if (cdio_get_last_session(handle_, &lastSession) == DRIVER_OP_SUCCESS) {
    if (lastSession > 0) toc.lastSessionLba = lastSession;
  } else if (lastSessionTrack_ > first && lastSessionTrack_ <= last) {
    toc.lastSessionLba = toc.tracks[static_cast<std::size_t>(lastSessionTrack_ - first)].lba;
  }

  if (const cdtext_t* text = cdio_get_cdtext(handle_)) {
    toc.text.artist = TextField(text, CDTEXT_FIELD_PERFORMER, 0);
    toc.text.album = TextField(text, CDTEXT_FIELD_TITLE, 0);
    for (int t = first; t <= last; ++t)
      toc.text.titles.push_back(TextField(text, CDTEXT_FIELD_TITLE, t));
  }
  return toc;
}

bool CdioDisc::ReadAudio(std::int32_t lsn, std::int32_t count, std::uint8_t* out) const {
  if (count <= 0) return true;
  return cdio_read_audio_sectors(handle_, out, lsn, static_cast<std::uint32_t>(count)) ==
         DRIVER_OP_SUCCESS;
}

std::string CdioDisc::ImageDataFile() const {
  const char* mode = cdio_get_arg(handle_, "access-mode");
  if (mode == nullptr || std::strcmp(mode, "image") != 0) return {};
  const char* source = cdio_get_arg(handle_, "source");
  return source ? std::string(source) : std::string();
}

std::unique_ptr<ByteStream> OpenDiscStream(const std::string& source,
                                           const std::optional<DiscToc>& toc) {
  std::unique_ptr<CdioDisc> disc = CdioDisc::Open(source);
  if (!disc) return nullptr;
  const std::optional<DiscToc> table = toc ? toc : disc->ReadToc();
  if (!table) return nullptr;
  return std::make_unique<DiscAudioStream>(*table,
                                           std::make_unique<CdioSectorSource>(std::move(disc)));
}

}  // namespace varlo
