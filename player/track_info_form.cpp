#include "player/track_info_form.h"

#include "common/numtext.h"
#include "common/paths.h"
#include "common/pending_writes.h"
#include "player/cover_search.h"
#include "player/display_name.h"

namespace varlo {

TrackInfoForm::TrackInfoForm(const TagRecord& tag, const Mp3StreamInfo& stream,
                             const PlayerState& player, const AppSettings& settings,
                             IDialogs& dialogs, std::string programFolder)
    : tag_(tag),
      stream_(stream),
      player_(player),
      settings_(settings),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)) {}

void TrackInfoForm::ShowTag() {
  fields_.fileName = player_.songPath;
  fields_.title = std::string(TrimBlanks(tag_.title));
  fields_.artist = std::string(TrimBlanks(tag_.artist));
  fields_.album = std::string(TrimBlanks(tag_.album));
  fields_.year = std::string(TrimBlanks(tag_.year));
  fields_.comment = std::string(TrimBlanks(tag_.comment));
  fields_.track = TrackText(tag_.track);
  fields_.genre = GenreIndexFromByte(tag_.genre);
  fields_.bitRate = stream_.bitRate;
  fields_.sampleRate = stream_.sampleRate;
  fields_.mode = stream_.mode;
  ShowTagCover();
  Changed();
}

void TrackInfoForm::ShowTagCover() {
  fields_.cover = TagCoverPicture(GetPath(fields_.fileName), fields_.artist, fields_.album);
}

void TrackInfoForm::Timer1_Timer() {
  if (!fields_.edit && fields_.fileName != player_.songPath) ShowTag();
}

void TrackInfoForm::cbEdit_Click(bool ticked) {
  fields_.edit = ticked;
  Changed();
}

void TrackInfoForm::cmdMem_Click() {
  memArtist_ = fields_.artist;
  memAlbum_ = fields_.album;
  memYear_ = fields_.year;
}

void TrackInfoForm::cmdCpy_Click() {
  fields_.artist = memArtist_;
  fields_.album = memAlbum_;
  fields_.year = memYear_;
  Changed();
}

void TrackInfoForm::cmdSetTitle_Click() {
  fields_.title = DisplayName(fields_.fileName, settings_.friendlyNames);
  cmdCpy_Click();
}

void TrackInfoForm::cmdOk_Click() {
  if (onClose) onClose();
}

void TrackInfoForm::SaveTag() {
  const TagRecord tag = BuildTag(fields_.title, fields_.artist, fields_.album, fields_.year,
                                 fields_.comment, fields_.track, fields_.genre);
  WriteStatus why;
  TagWriteResult result;
  {
    const PendingWrite pending(programFolder_, fields_.fileName);
    result = WriteTag(fields_.fileName, tag, &why);
  }
  const std::string message = TagWriteMessage(result, why);
  if (!message.empty()) dialogs_.MsgBox(message, MsgButtons::Ok, "Varlo");
}

}  // namespace varlo
