#pragma once
#include <functional>
#include <string>

#include "common/app_settings.h"
#include "platform/dialogs.h"
#include "player/id3v1_tag.h"
#include "player/mp3_header.h"
#include "player/player_state.h"

namespace varlo {

// The texts of the track-information window's fields.
struct TrackInfoFields {
  std::string fileName;
  std::string title;
  std::string artist;
  std::string album;
  std::string year;
  std::string comment;
  std::string track;
  int genre = 0;      // index into kGenreNames
  std::string cover;  // picture shown in the window, empty for none
  // The stream properties as labels 10-12 show them ("128", "44", "jstereo"); empty for media
  // other than MPEG audio.
  std::string bitRate, sampleRate, mode;
  bool edit = false;  // "Edit" ticked: the window stops following the player
};

// The logic of the track-information window: it shows the tag the main window read for the
// entry playing, follows the player, and writes an edited tag back into the file.
class TrackInfoForm {
 public:
  // `programFolder` keeps the list of writes in progress (common/pending_writes.h).
  TrackInfoForm(const TagRecord& tag, const Mp3StreamInfo& stream, const PlayerState& player,
                const AppSettings& settings, IDialogs& dialogs, std::string programFolder);

  // The view writes typed texts here before each command and shows them after `onChanged`.
  TrackInfoFields& Fields() { return fields_; }
  std::function<void()> onChanged;
  std::function<void()> onClose;

  void Form_Load() { ShowTag(); }
  void ShowTag();
  void ShowTagCover();
  // The window's timer: while "Edit" is not ticked it follows the entry playing.
  void Timer1_Timer();
  void cbEdit_Click(bool ticked);
  void cmdMem_Click();
  void cmdCpy_Click();
  void cmdSetTitle_Click();
  void cmdCurrent_Click() { ShowTag(); }
  void cmdSave_Click() { SaveTag(); }
  void cmdOk_Click();
  void SaveTag();

  // "Current" would overwrite the edits, so it is off while "Edit" is ticked.
  bool CurrentEnabled() const { return !fields_.edit; }

 private:
  void Changed() const {
    if (onChanged) onChanged();
  }

  const TagRecord& tag_;
  const Mp3StreamInfo& stream_;
  const PlayerState& player_;
  const AppSettings& settings_;
  IDialogs& dialogs_;
  std::string programFolder_;
  TrackInfoFields fields_;
  // Remembered by "mem*", put back by "copy".
  std::string memArtist_, memAlbum_, memYear_;
};

}  // namespace varlo
