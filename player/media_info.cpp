#include "player/media_info.h"

#include <utility>

#include "common/file_select.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "player/cover_search.h"
#include "player/display_name.h"
#include "player/lyric_file.h"
#include "player/mp3_header.h"

namespace varlo {
namespace {
constexpr int kCurrentLyricLabel = 70;
constexpr int kNextLyricLabel = 71;
constexpr int kPreviousLyricLabel = 72;
// The displays that show the bit rate and the sampling rate, beside labels 10 and 11.
constexpr int kBitRateDigits = 4;
constexpr int kSampleRateDigits = 5;
}  // namespace

MediaInfo::MediaInfo(FormAccess& form, PlayerState& player, const AppSettings& settings,
                     IPictureLoader& pictures, SideWindows& sideWindows, std::string programFolder)
    : form_(form),
      player_(player),
      settings_(settings),
      pictures_(pictures),
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
  covers_.albumPicture.clear();
  covers_.albumTip.clear();
  player_.coverPath.clear();
  covers_.Changed();
}

void MediaInfo::LoadCover(const std::string& path) {
  if (path == player_.coverPath) return;
  const std::string file = CoverFile(path);
  if (file.empty() || !FileExists(file)) return ClearCover();
  // A file that does not decode leaves the pictures as they are.
  if (!pictures_.Load(file)) return;
  covers_.picture = file;
  covers_.tip = DisplayName(path, settings_.friendlyNames);
  player_.coverPath = file;
  const bool toCoverWindow = !form_.CoverVisible() && settings_.autoCover == 1;
  if (toCoverWindow) {
    covers_.albumPicture = file;
    covers_.albumTip = covers_.tip;
  }
  covers_.Changed();
  if (toCoverWindow) sideWindows_.ShowCoverWindow();
}

void MediaInfo::LoadTagCover(const std::string& songPath) {
  const std::string found = TagCoverPicture(GetPath(songPath), tag_.artist, tag_.album);
  LoadCover(CoverFallback(found, player_.playlistCover, AddSlash(programFolder_)));
}

void MediaInfo::iCover_DblClick() {
  const std::string file = SelectFile(form_.Dialogs(), 2, "Select Cover", "", programFolder_);
  if (!file.empty()) LoadCover(file);
}

void MediaInfo::LoadLyrics(const std::string& songPath) {
  follower_ = LyricFollower(LoadLyricFile(FindLyricFile(songPath)));
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
