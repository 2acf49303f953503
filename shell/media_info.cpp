// What the main window shows about the entry playing: the stream header and tag of MPEG
// audio, the cover pictures and the lyrics that follow playback.
#include <cstdlib>

#include "common/file_select.h"
#include "common/numtext.h"
#include "common/paths.h"
#include "player/cover_search.h"
#include "player/display_name.h"
#include "player/mp3_header.h"
#include "shell/frm_tarnix.h"

namespace varlo {

namespace {
constexpr int kCurrentLyricLabel = 70;
constexpr int kNextLyricLabel = 71;
constexpr int kPreviousLyricLabel = 72;
// Digit displays for the bit rate and the sampling rate of MPEG audio.
constexpr int kBitRateDigits = 3;
constexpr int kSampleRateDigits = 4;
}  // namespace

void FrmTarnix::GetMP3Info(const std::string& path) {
  tag_ = TagRecord{};
  if (path.empty() || !FileExists(path)) return;
  const Mp3StreamInfo info = ReadMp3StreamInfo(path);
  if (!info.found) return;
  SetCaption(10, info.bitRate);
  SetCaption(11, info.sampleRate);
  SetCaption(12, info.mode);
  SetDD(kBitRateDigits, ToInt32(LeadingNumber(info.bitRate)));
  SetDD(kSampleRateDigits, ToInt32(LeadingNumber(info.sampleRate)));
  tag_ = ReadTag(path);
}

void FrmTarnix::ClearInf() {
  SetCaption(1, ":");
  for (int n : {4, 10, 11, 12, 13}) SetCaption(n, "");
  PictureWidget& knob = form_.slider[1];
  if (knob.visible) {
    knob.visible = false;
    form_.Notify(kChangeWidgets);
  }
}

void FrmTarnix::LoadCover(const std::string& path) {
  if (path == player_.coverPath) return;
  const std::string file = CoverFile(path);
  if (!file.empty() && FileExists(file)) {
    // A file that does not decode leaves the pictures as they are.
    if (!services_.pictures.Load(file)) return;
    covers_.picture = file;
    covers_.tip = DisplayName(path, settings_.friendlyNames);
    player_.coverPath = file;
    if (!form_.cover.visible && settings_.autoCover == 1) {
      covers_.albumPicture = file;
      covers_.albumTip = covers_.tip;
    }
  } else {
    covers_.picture.clear();
    covers_.tip.clear();
    covers_.albumPicture.clear();
    covers_.albumTip.clear();
    player_.coverPath.clear();
  }
  covers_.Changed();
}

void FrmTarnix::LoadTagCover(const std::string& folder, const std::string& artist,
                             const std::string& album) {
  const std::string found = TagCoverPicture(folder, artist, album);
  LoadCover(CoverFallback(found, playlistActions_->Cover(), AddSlash(programFolder_)));
}

void FrmTarnix::iCover_DblClick() {
  const std::string file = SelectFile(services_.dialogs, 2, "Select Cover", "", programFolder_);
  if (!file.empty()) LoadCover(file);
}

void FrmTarnix::LoadLyrics(const std::string& path) {
  lyricFollower_ = LyricFollower(LoadLyricFile(path));
  lyricList_.lines = lyricFollower_.Sheet().lines;
  lyricList_.selected = -1;
  if (lyricList_.onChanged) lyricList_.onChanged();
  // The lines of the previous entry must not stay on show.
  for (int n : {kCurrentLyricLabel, kNextLyricLabel, kPreviousLyricLabel}) SetCaption(n, "");
}

void FrmTarnix::ApplyLyricChange(const LyricChange& change) {
  if (change.selectedRow) {
    lyricList_.selected = *change.selectedRow;
    if (lyricList_.onSelected) lyricList_.onSelected();
  }
  if (change.current) SetCaption(kCurrentLyricLabel, *change.current);
  if (change.next) SetCaption(kNextLyricLabel, *change.next);
  if (change.previous) SetCaption(kPreviousLyricLabel, *change.previous);
}

void FrmTarnix::PlayLyrics() {
  if (!form_.lyrics.visible) return;
  ApplyLyricChange(lyricFollower_.Tick(player_.elapsedMs));
}

void FrmTarnix::Lyrics_DblClick(int row) {
  const std::optional<LyricSeek> seek = lyricFollower_.SeekLine(row);
  if (!seek) return;
  engine_->PlayFrom(seek->fromMs);
  ApplyLyricChange(seek->change);
}

void FrmTarnix::ShowTrackInfo() {
  trackInfo_->Form_Load();
  if (onShowTrackInfo) onShowTrackInfo();
}

void FrmTarnix::ShowCoverWindow() {
  if (onShowCoverWindow) onShowCoverWindow();
}

}  // namespace varlo
