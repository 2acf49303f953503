#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cd/cd_drive.h"
#include "cd/cddb_lookup.h"
#include "cd/disc_toc.h"
#include "common/app_settings.h"
#include "player/playback_engine.h"
#include "player/player_links.h"
#include "player/player_state.h"
#include "player/playlist.h"
#include "shell/mode.h"
#include "skin/form_access.h"

namespace varlo {

// The player's CD mode: it reads the disc in the drive, fills the player's list with one line
// per track, names the tracks from the local database "cdplayer.ini" or the online look-up,
// keeps the current track in step with the play position and shows the drive's state in
// label 15. Playing, pausing and seeking are the playback engine's, on its CD unit; this
// mode gives the engine the track table. Command 13 (eject) comes here; the main timer's CD
// step is the status poll.
class CdPlayer final : public Mode, public DiscTracks {
 public:
  static constexpr int kStatusLabel = 15;
  // After a failed read the drive is asked again only this many ticks later.
  static constexpr int kRetryTicks = 10;

  // The drive's mode in the old numbering that label 15 shows.
  enum ModeCode {
    kNotReady = 524,
    kStopped = 525,
    kPlaying = 526,
    kPaused = 529,
    kOpen = 530,
    kUnknown = 0,
  };

  CdPlayer(FormAccess& form, const AppSettings& settings, std::string programFolder,
           PlayerState& state, Playlist& list, PlaybackEngine& engine, CdDrive& drive,
           HttpGetter& http);

  void Load() override;
  void DoIt(int code) override;
  void Timer1Step() override;

  // DiscTracks.
  DiscTrack Track(int track) override;
  void CdModeChanged(bool cdMode) override;

  // The label text of a mode ("unknown" for any other number).
  static std::string ModeText(int mode, bool paused);

  bool DiscKnown() const { return discKnown_; }
  int CurrentTrack() const { return currentTrack_; }
  const TrackTable& Table() const { return table_; }
  const std::string& CddbId() const { return cddbId_; }
  const std::string& CdpId() const { return cdpId_; }
  bool CdFound() const { return cdFound_; }
  // The artist, album and titles the disc carries in its CD-Text (empty without).
  const DiscText& Text() const { return text_; }
  const CddbLookup& Lookup() const { return lookup_; }

 private:
  void Poll();
  void DiscRead(std::uint64_t generation, std::optional<DiscToc> toc);
  void ReadTOC();
  void LoadCDP();
  void ApplyTitles(const std::vector<std::string>& titles);
  void FindCurrentTrack();
  int CurrentMode() const;
  void ShowMode();
  void ForgetDisc();
  void Eject();
  void ClearList();
  // Tells the list's observers, and notes the list as this mode left it.
  void ListChanged();

  FormAccess& form_;
  const AppSettings& settings_;
  std::string programFolder_;
  PlayerState& state_;
  Playlist& list_;
  PlaybackEngine& engine_;
  CdDrive& drive_;
  CddbLookup lookup_;

  bool discKnown_ = false;  // the "disc length" of the old player: false is its -1
  bool reading_ = false;
  int retryIn_ = 0;
  std::uint64_t generation_ = 0;    // a disc read or look-up of an older generation is dropped
  std::uint64_t listRevision_ = 0;  // the list's revision when this mode last changed it
  bool inPoll_ = false;
  TrackTable table_;
  DiscText text_;
  int currentTrack_ = 0;
  std::string cddbId_ = "0";
  std::string cdpId_;
  bool cdFound_ = false;
  int lastMode_ = -1;
  bool endStopped_ = false;
};

}  // namespace varlo
