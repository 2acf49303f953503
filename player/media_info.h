#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/app_settings.h"
#include "platform/embedded_media.h"
#include "platform/pictures.h"
#include "player/cover_pictures.h"
#include "player/id3v1_tag.h"
#include "player/lyric_follower.h"
#include "player/mp3_header.h"
#include "player/player_links.h"
#include "player/player_state.h"
#include "skin/form_access.h"

namespace varlo {

// What the main window shows about the entry playing: the stream header and tag of MPEG
// audio (labels 10-12, displays 4 and 5), the cover pictures and the lyric list with the
// lyric labels 70-72 that follow playback. Pictures and lyrics found in no file of their own
// come from inside the media file, read through `embedded`.
class MediaInfo final : public NowPlaying {
 public:
  MediaInfo(FormAccess& form, PlayerState& player, const AppSettings& settings,
            IPictureLoader& pictures, IEmbeddedMediaReader& embedded, SideWindows& sideWindows,
            std::string programFolder);

  void GetMP3Info(const std::string& path) override;
  std::string TagTitle() const override { return tag_.title; }
  std::string TagArtist() const override { return tag_.artist; }
  std::string TagAlbum() const override { return tag_.album; }
  void ClearTagTitle() override { tag_.title.clear(); }
  void ClearTag() override {
    tag_ = TagRecord{};
    stream_ = Mp3StreamInfo{};
  }
  void LoadEntryCover(const std::string& songPath, bool byTag) override;
  // Shows the picture `path` (a file, or a base name tried as .BMP, .GIF, .JPG) as the cover; a
  // media file shows the picture inside it, once read. It wins over a picture still being read.
  void LoadCover(const std::string& path) override;
  void LoadLyrics(const std::string& songPath) override;
  bool LyricsSynchronised() const override { return follower_.Sheet().synced; }
  // Follows the lyrics on the position tick.
  void PlayLyrics() override;

  // Clears the stream labels and hides the position slider.
  void ClearInf();
  // Shows no cover in either window.
  void ClearCover();
  // A double-click on lyric row `row` (0-based): the time to play from, or -1 for none.
  std::int32_t Lyrics_DblClick(int row);
  // A double-click on the cover asks for a picture to show.
  void iCover_DblClick();

  const TagRecord& Tag() const { return tag_; }
  // The stream properties labels 10-12 show, of the MPEG audio entry playing.
  const Mp3StreamInfo& Stream() const { return stream_; }
  CoverPictures& Covers() { return covers_; }

 private:
  // A read of the pictures and lyrics inside a media file, and what waits for it.
  struct EmbeddedRequest {
    std::uint64_t serial = 0;
    std::string path;
    bool coverWaits = false;  // the file's picture shows, if it holds one
    // Else this picture is shown (an empty path shows none); nullopt keeps the cover on show.
    std::optional<std::string> fallback;
    bool lyricsWait = false;             // no lyric file was found: the file's lyrics show
    std::optional<EmbeddedMedia> media;  // once read
  };

  void ApplyLyricChange(const LyricChange& change);
  void SetLyrics(LyricSheet sheet);
  void ShowCover(const std::string& file, const std::string& tip,
                 std::shared_ptr<const Picture> image);
  void ReadEmbedded(EmbeddedRequest& request);
  void EmbeddedArrived(std::uint64_t serial, EmbeddedMedia media);
  void ApplyEmbedded(EmbeddedRequest& request);

  FormAccess& form_;
  PlayerState& player_;
  const AppSettings& settings_;
  IPictureLoader& pictures_;
  IEmbeddedMediaReader& embedded_;
  SideWindows& sideWindows_;
  std::string programFolder_;
  TagRecord tag_;
  Mp3StreamInfo stream_;
  CoverPictures covers_;
  LyricFollower follower_;
  EmbeddedRequest entry_;  // of the entry playing
  EmbeddedRequest asked_;  // of a cover asked for by the path of a media file
  std::uint64_t serial_ = 0;
  // Answers that come after this object has gone are dropped.
  std::shared_ptr<char> alive_ = std::make_shared<char>();
};

}  // namespace varlo
