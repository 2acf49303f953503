#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace varlo {

// What the player asks of the subsystems around it. Each is a small interface with a null
// implementation, which a main window without that subsystem hands over explicitly.

// The external serial display: song names and the stopped and paused notices.
class TitleDisplay {
 public:
  virtual ~TitleDisplay() = default;
  virtual void ExDevOut(const std::string& text) = 0;
};
class NullTitleDisplay final : public TitleDisplay {
 public:
  void ExDevOut(const std::string&) override {}
};

// The tray icon's tip (at most 63 bytes, cut on a character boundary).
class TrayTip {
 public:
  virtual ~TrayTip() = default;
  virtual void SetTrayTip(const std::string& tip) = 0;
};
class NullTrayTip final : public TrayTip {
 public:
  void SetTrayTip(const std::string&) override {}
};

// The disc's track table for CD mode: start and length in ms of track n (1-based).
struct DiscTrack {
  std::int32_t startMs = 0;
  std::int32_t lengthMs = 0;
};
class DiscTracks {
 public:
  virtual ~DiscTracks() = default;
  virtual DiscTrack Track(int track) = 0;
  // The player switched between media and CD mode (after it saved or restored its playlist).
  virtual void CdModeChanged(bool cdMode) = 0;
};
class NullDiscTracks final : public DiscTracks {
 public:
  DiscTrack Track(int) override { return {}; }
  void CdModeChanged(bool) override {}
};
// Passes the calls on to the CD player once it exists (it is built on the player's engine,
// which needs this link first); until then it is the null link.
class DiscTracksRelay final : public DiscTracks {
 public:
  void Attach(DiscTracks& target) { target_ = &target; }
  DiscTrack Track(int track) override { return target_ ? target_->Track(track) : DiscTrack{}; }
  void CdModeChanged(bool cdMode) override {
    if (target_) target_->CdModeChanged(cdMode);
  }

 private:
  DiscTracks* target_ = nullptr;
};

// The desktop's volume mixer, started by the mixer command.
class VolumeMixer {
 public:
  virtual ~VolumeMixer() = default;
  virtual void ShowMixer() = 0;
};
class NullVolumeMixer final : public VolumeMixer {
 public:
  void ShowMixer() override {}
};

// What the engine shows about the entry it starts: the stream header and tag of MPEG audio,
// the cover and the lyrics that follow the position.
class NowPlaying {
 public:
  virtual ~NowPlaying() = default;
  // Reads the stream header and the tag of an MPEG audio file.
  virtual void GetMP3Info(const std::string& path) = 0;
  virtual std::string TagTitle() const = 0;
  virtual std::string TagArtist() const = 0;
  virtual std::string TagAlbum() const = 0;
  virtual void ClearTagTitle() = 0;
  // Forgets the tag of the previous entry when one without a tag starts.
  virtual void ClearTag() = 0;
  // The cover of the file entry `songPath` that starts: with `byTag` the picture the tag's artist
  // and album name beside it; where no picture file is found, the picture inside the file (read
  // off the GUI thread, so it may show a moment later); where it holds none either, the playlist's
  // picture or "nocover.bmp" (`byTag`) or, in place of the previous entry's own, the playlist's
  // picture. Starts the read of the lyrics inside the file too, which LoadLyrics may show.
  virtual void LoadEntryCover(const std::string& songPath, bool byTag) = 0;
  virtual void LoadCover(const std::string& path) = 0;
  // Lists the lyric file that belongs to `songPath`, else the lyrics inside the entry's file.
  virtual void LoadLyrics(const std::string& songPath) = 0;
  virtual bool LyricsSynchronised() const = 0;
  virtual void PlayLyrics() = 0;
};
class NullNowPlaying final : public NowPlaying {
 public:
  void GetMP3Info(const std::string&) override {}
  std::string TagTitle() const override { return {}; }
  std::string TagArtist() const override { return {}; }
  std::string TagAlbum() const override { return {}; }
  void ClearTagTitle() override {}
  void ClearTag() override {}
  void LoadEntryCover(const std::string&, bool) override {}
  void LoadCover(const std::string&) override {}
  void LoadLyrics(const std::string&) override {}
  bool LyricsSynchronised() const override { return false; }
  void PlayLyrics() override {}
};

// Everything the playback engine reaches outside the form: each reference must be wired, with
// a null implementation where the subsystem is absent.
struct PlayerLinks {
  NowPlaying& media;
  TitleDisplay& titles;
  TrayTip& tray;
  DiscTracks& disc;
  VolumeMixer& mixer;
};

// The windows beside the main window that show what plays.
class SideWindows {
 public:
  virtual ~SideWindows() = default;
  virtual void ShowTrackInfo() = 0;
  virtual void ShowCoverWindow() = 0;
  // The "Quick Find/Play" window over the playlist as it is now.
  virtual void ShowQuickFind() = 0;
  // The "Visual Playlist Selector" window.
  virtual void ShowVisualSelector() = 0;
};
class NullSideWindows final : public SideWindows {
 public:
  void ShowTrackInfo() override {}
  void ShowCoverWindow() override {}
  void ShowQuickFind() override {}
  void ShowVisualSelector() override {}
};

}  // namespace varlo
