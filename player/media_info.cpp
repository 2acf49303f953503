#include "player/media_info.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/file_select.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "player/cover_search.h"
#include "player/display_name.h"
#include "player/lyric_file.h"
#include "player/mp3_header.h"
#include "player/tag_lyrics.h"

namespace varlo {
namespace {
constexpr int kCurrentLyricLabel = 70;
constexpr int kNextLyricLabel = 71;
constexpr int kPreviousLyricLabel = 72;
// The displays that show the bit rate and the sampling rate, beside labels 10 and 11.
constexpr int kBitRateDigits = 4;
constexpr int kSampleRateDigits = 5;

// A file of a media kind whose tags may hold a picture: it is not decoded as a picture itself.
bool HoldsMedia(const std::string& file) {
  static constexpr std::string_view kKinds[] = {
      "MP1", "MP2", "MP3", "MPA", "FLAC", "OGG",  "OGA", "OPUS", "SPX", "M4A", "M4B", "MP4",
      "AAC", "WMA", "ASF", "WAV", "AIF",  "AIFF", "APE", "WV",   "MPC", "MKA", "MKV", "WEBM"};
  const std::string ext = UpperCase(GetExt(GetFileName(file)));
  return std::find(std::begin(kKinds), std::end(kKinds), ext) != std::end(kKinds);
}

// The sheet of the lyrics inside a media file: its synchronised lines, else its lyric text.
LyricSheet EmbeddedLyrics(const EmbeddedMedia& media, const std::string& path) {
  if (media.synced.empty()) return LyricSheetOfTagText(media.lyrics);
  // Times in MPEG frames last as long as the frames of the file's own stream.
  double msPerUnit = 1.0;
  if (media.syncedInFrames) {
    const auto header = ReadFirstMpegHeader(path);
    if (!header || header->sampleRateHz == 0) return LyricSheetOfTagText(media.lyrics);
    msPerUnit = header->SamplesPerFrame() * 1000.0 / header->sampleRateHz;
  }
  std::vector<TimedLyric> lines;
  lines.reserve(std::min(media.synced.size(), kMaxLyricLines));
  for (const auto& [time, text] : media.synced) {
    if (lines.size() >= kMaxLyricLines) break;
    lines.push_back({static_cast<std::int64_t>(static_cast<double>(time) * msPerUnit), text});
  }
  return LyricSheetOfTimes(std::move(lines));
}

}  // namespace

MediaInfo::MediaInfo(FormAccess& form, PlayerState& player, const AppSettings& settings,
                     IPictureLoader& pictures, IEmbeddedMediaReader& embedded,
                     SideWindows& sideWindows, std::string programFolder)
    : form_(form),
      player_(player),
      settings_(settings),
      pictures_(pictures),
      embedded_(embedded),
      sideWindows_(sideWindows),
      programFolder_(std::move(programFolder)) {}

void MediaInfo::GetMP3Info(const std::string& path) {
  ClearTag();
  if (path.empty() || !FileExists(path)) return;
  stream_ = ReadMp3StreamInfo(path);
  if (stream_.found) {
    form_.SetCaption(10, stream_.bitRate);
    form_.SetCaption(11, stream_.sampleRate);
    form_.SetCaption(12, stream_.mode);
    form_.SetDD(kBitRateDigits, stream_.bitRate);
    form_.SetDD(kSampleRateDigits, stream_.sampleRate);
  }
  // The tag sits at the end of the file whatever the stream looks like.
  tag_ = ReadTag(path);
}

void MediaInfo::ClearInf() {
  form_.SetCaption(1, ":");
  for (int n : {4, 10, 11, 12, 13}) form_.SetCaption(n, "");
  form_.SetSliderVisible(1, false);
}

void MediaInfo::ClearCover() {
  covers_.picture.clear();
  covers_.tip.clear();
  covers_.image.reset();
  covers_.albumPicture.clear();
  covers_.albumTip.clear();
  covers_.albumImage.reset();
  player_.coverPath.clear();
  covers_.Changed();
}

void MediaInfo::ShowCover(const std::string& file, const std::string& tip,
                          std::shared_ptr<const Picture> image) {
  covers_.picture = file;
  covers_.tip = tip;
  covers_.image = image;
  player_.coverPath = file;
  const bool toCoverWindow = !form_.CoverVisible() && settings_.autoCover == 1;
  if (toCoverWindow) {
    covers_.albumPicture = file;
    covers_.albumTip = tip;
    covers_.albumImage = std::move(image);
  }
  covers_.Changed();
  if (toCoverWindow) sideWindows_.ShowCoverWindow();
}

void MediaInfo::LoadCover(const std::string& path) {
  // A picture asked for now wins over one still being read.
  entry_.coverWaits = false;
  asked_ = EmbeddedRequest{};
  if (path == player_.coverPath) return;
  const std::string file = CoverFile(path);
  if (file.empty() || !FileExists(file)) return ClearCover();
  if (!HoldsMedia(file) && pictures_.Load(file))
    return ShowCover(file, DisplayName(path, settings_.friendlyNames), {});
  // A media file shows the picture inside it; a file that holds none, or that is no picture,
  // leaves the cover as it is.
  asked_.path = file;
  asked_.coverWaits = true;
  ReadEmbedded(asked_);
}

void MediaInfo::LoadEntryCover(const std::string& songPath, bool byTag) {
  entry_ = EmbeddedRequest{};
  entry_.path = songPath;
  entry_.coverWaits = true;
  if (byTag) {
    const std::string found = TagCoverPicture(GetPath(songPath), tag_.artist, tag_.album);
    if (!found.empty()) LoadCover(found);
    // A picture found that cannot be read is as none: the previous entry's cover must go.
    if (found.empty() || player_.coverPath != found) {
      entry_.coverWaits = true;
      entry_.fallback = CoverFallback({}, player_.playlistCover, AddSlash(programFolder_));
    }
  } else if (covers_.image) {
    // The picture from inside the previous entry's file does not belong to this one.
    entry_.fallback = player_.playlistCover;
  }
  ReadEmbedded(entry_);
}

void MediaInfo::ReadEmbedded(EmbeddedRequest& request) {
  request.serial = ++serial_;
  if (!FileExists(request.path)) {
    request.media = EmbeddedMedia{};
    return ApplyEmbedded(request);
  }
  std::weak_ptr<char> alive = alive_;
  embedded_.Read(request.path, [this, alive, serial = request.serial](EmbeddedMedia media) {
    if (!alive.expired()) EmbeddedArrived(serial, std::move(media));
  });
}

void MediaInfo::EmbeddedArrived(std::uint64_t serial, EmbeddedMedia media) {
  for (EmbeddedRequest* request : {&entry_, &asked_}) {
    if (request->serial != serial || request->path.empty()) continue;
    request->media = std::move(media);
    return ApplyEmbedded(*request);
  }
}

void MediaInfo::ApplyEmbedded(EmbeddedRequest& request) {
  if (!request.media) return;
  if (request.lyricsWait) {
    request.lyricsWait = false;
    LyricSheet sheet = EmbeddedLyrics(*request.media, request.path);
    if (!sheet.lines.empty()) SetLyrics(std::move(sheet));
  }
  if (request.coverWaits) {
    request.coverWaits = false;
    if (request.media->cover) {
      ShowCover(request.path, DisplayName(request.path, settings_.friendlyNames),
                request.media->cover);
    } else if (request.fallback) {
      // May reset `request` (a cover asked for replaces it): nothing of it is used after this.
      LoadCover(std::string(*request.fallback));
    }
  }
}

void MediaInfo::iCover_DblClick() {
  const std::string file = SelectFile(form_.Dialogs(), 2, "Select Cover", "", programFolder_);
  if (!file.empty()) LoadCover(file);
}

void MediaInfo::LoadLyrics(const std::string& songPath) {
  LyricSheet sheet = LoadLyricFile(FindLyricFile(songPath));
  // A lyric file, even an empty one, lists at least "No Lyrics"; without one the lyrics inside
  // the entry's file show once read.
  const bool noFile = sheet.lines.empty();
  SetLyrics(std::move(sheet));
  // An entry that was not looked into (a module, a disc track) takes nothing of the one before.
  if (entry_.path != songPath) entry_ = EmbeddedRequest{};
  if (noFile && !entry_.path.empty()) {
    entry_.lyricsWait = true;
    ApplyEmbedded(entry_);
  }
}

void MediaInfo::SetLyrics(LyricSheet sheet) {
  follower_ = LyricFollower(std::move(sheet));
  ListBox& list = form_.List(FormList::Lyrics);
  list.rows = follower_.Sheet().lines;
  list.selected = -1;
  list.Changed();
  // The lines of the previous entry must not stay on show.
  for (int n : {kCurrentLyricLabel, kNextLyricLabel, kPreviousLyricLabel}) form_.SetCaption(n, "");
}

void MediaInfo::ApplyLyricChange(const LyricChange& change) {
  if (change.selectedRow) {
    ListBox& list = form_.List(FormList::Lyrics);
    list.selected = *change.selectedRow;
    list.Selected();
  }
  if (change.current) form_.SetCaption(kCurrentLyricLabel, *change.current);
  if (change.next) form_.SetCaption(kNextLyricLabel, *change.next);
  if (change.previous) form_.SetCaption(kPreviousLyricLabel, *change.previous);
}

void MediaInfo::PlayLyrics() {
  if (!form_.ListVisible(FormList::Lyrics)) return;
  ApplyLyricChange(follower_.Tick(player_.elapsedMs));
}

std::int32_t MediaInfo::Lyrics_DblClick(int row) {
  const std::optional<LyricSeek> seek = follower_.SeekLine(row);
  if (!seek) return -1;
  ApplyLyricChange(seek->change);
  return seek->fromMs;
}

}  // namespace varlo
