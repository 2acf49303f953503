#include "cd/cd_player.h"

#include <algorithm>
#include <utility>

#include "cd/disc_database.h"
#include "common/numtext.h"

namespace varlo {
namespace {

// Sets a flag for the life of a scope.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

CdPlayer::CdPlayer(FormAccess& form, const AppSettings& settings, std::string programFolder,
                   PlayerState& state, Playlist& list, PlaybackEngine& engine, CdDrive& drive,
                   HttpGetter& http)
    : form_(form),
      settings_(settings),
      programFolder_(std::move(programFolder)),
      state_(state),
      list_(list),
      engine_(engine),
      drive_(drive),
      lookup_(http, form, settings) {}

void CdPlayer::Load() {
  if (state_.cdMode) ForgetDisc();
}

void CdPlayer::DoIt(int code) {
  if (code == 13) Eject();
}

void CdPlayer::Timer1Step() {
  Poll();
}

std::string CdPlayer::ModeText(int mode, bool paused) {
  switch (mode) {
    case kNotReady:
      return "No Disc";
    case kStopped:
      return paused ? "Paused" : "Stopped";
    case kPlaying:
      return "Playing";
    case kPaused:
      return "Paused";
    case kOpen:
      return "Ready";
    default:
      return "unknown";
  }
}

DiscTrack CdPlayer::Track(int track) {
  const TrackRecord* record = table_.Track(track);
  if (record == nullptr) return {};
  return {record->startMs, record->lengthMs};
}

void CdPlayer::CdModeChanged(bool cdMode) {
  ForgetDisc();
  lastMode_ = -1;
  if (cdMode) {
    // The player saved its playlist before the switch; the disc's tracks take the list. The
    // disc's state shows where a file's stream details were.
    ClearList();
    for (int label : {10, 11, 12}) form_.SetCaption(label, "");
  } else {
    form_.SetCaption(kStatusLabel, "");
  }
}

void CdPlayer::ClearList() {
  list_.names.clear();
  list_.paths.clear();
  list_.selected = -1;
  ListChanged();
  currentTrack_ = 0;
}

void CdPlayer::ListChanged() {
  list_.Changed();
  listRevision_ = list_.revision;
}

void CdPlayer::ForgetDisc() {
  discKnown_ = false;
  reading_ = false;
  retryIn_ = 0;
  text_ = {};
  ++generation_;  // a read or look-up still on its way belongs to the disc that went
  lookup_.Cancel();
}

void CdPlayer::Poll() {
  // A message shown from inside the poll lets ticks run; they must not poll again meanwhile.
  if (!state_.cdMode || inPoll_) return;
  FlagScope busy(inPoll_);

  bool trackRight = true;
  if (discKnown_) {
    const std::int32_t position = engine_.Unit().Position();
    trackRight = currentTrack_ > 0 && currentTrack_ == state_.tNum && position >= state_.trkStart &&
                 position <= state_.trkEnd;
  } else if (!reading_) {
    if (retryIn_ > 0) {
      --retryIn_;
    } else if (drive_.State() == DriveState::Ready || drive_.State() == DriveState::Unknown) {
      reading_ = true;
      const std::uint64_t generation = generation_;
      drive_.ReadDisc(
          [this, generation](std::optional<DiscToc> toc) { DiscRead(generation, std::move(toc)); });
    }
  }
  if (discKnown_ && !trackRight) FindCurrentTrack();

  // A disc played to its end stops there.
  if (discKnown_ && state_.playing && !state_.paused) {
    IMediaDevice& unit = engine_.Unit();
    const bool atEnd = unit.Length() > 0 && unit.Position() >= unit.Length();
    if (atEnd && !endStopped_) {
      endStopped_ = true;
      engine_.StopIt();
    } else if (!atEnd) {
      endStopped_ = false;
    }
  }
  ShowMode();
}

int CdPlayer::CurrentMode() const {
  switch (drive_.State()) {
    case DriveState::NoDisc:
      return kNotReady;
    case DriveState::TrayOpen:
      return kOpen;
    case DriveState::Ready:
      return state_.playing && !state_.paused ? kPlaying : kStopped;
    case DriveState::Unknown:
      break;
  }
  return kUnknown;
}

void CdPlayer::ShowMode() {
  const int mode = CurrentMode();
  // "Paused" and "Stopped" share a mode number; the pause flag tells them apart.
  const int shown = mode * 2 + (state_.paused ? 1 : 0);
  if (shown == lastMode_) return;
  lastMode_ = shown;
  form_.SetCaption(kStatusLabel, ModeText(mode, state_.paused));
  if (mode == kNotReady || mode == kOpen) {
    if (state_.playing) engine_.StopIt();
    ForgetDisc();
  } else if (mode == kPlaying) {
    state_.playing = true;
    state_.paused = false;
  }
}

void CdPlayer::DiscRead(std::uint64_t generation, std::optional<DiscToc> toc) {
  if (generation != generation_ || !state_.cdMode) return;
  reading_ = false;
  TrackTable table = toc ? MakeTrackTable(*toc) : TrackTable{};
  if (table.Count() == 0) {
    retryIn_ = kRetryTicks;
    return;
  }
  // Messages below wait for the user while ticks go on: the poll stays out until this ends.
  FlagScope busy(inPoll_);
  table_ = std::move(table);
  text_ = std::move(toc->text);
  discKnown_ = true;
  ReadTOC();
  cdFound_ = false;
  if (settings_.useCDP == 1) LoadCDP();
  if (generation != generation_) return;  // ejected while a message was shown
  // A disc the local database does not know may name its own tracks; the server is then
  // not asked.
  if (!cdFound_ && text_.HasTitles()) ApplyTitles(text_.titles);
  if (settings_.useCDDB == 1 && !cdFound_) {
    // A reply belongs to this disc and to the list as this mode left it: a list the user has
    // cleared or loaded since (CD mode does not stop that) keeps its own names.
    lookup_.Start(
        table_, cddbId_, [this, generation, id = cddbId_](const std::vector<std::string>& titles) {
          if (generation != generation_ || id != cddbId_ || list_.revision != listRevision_) {
            return false;
          }
          ApplyTitles(titles);
          return true;
        });
  }
  if (generation != generation_) return;
  FindCurrentTrack();
  if (settings_.autoPlay == 1) {
    state_.tNum = 1;
    engine_.PlayIt();
  }
}

void CdPlayer::ReadTOC() {
  cddbId_ = CddbDiscId(table_);
  cdpId_ = CdpDiscId(table_);
  ClearList();
  for (int n = 1; n <= table_.Count(); ++n)
    list_.Append(MakeCDEntry(n, table_.Track(n)->lengthMs, DefaultTrackTitle(n)), "");
  ListChanged();
}

void CdPlayer::LoadCDP() {
  // The section is read whole before any of it is applied.
  const std::optional<DiscEntry> entry = LoadDiscEntry(programFolder_, cdpId_);
  if (!entry) return;
  cdFound_ = true;
  if (entry->numTracks && LeadingNumber(*entry->numTracks) != table_.Count()) {
    form_.Dialogs().MsgBox(TrackCountMismatchText(table_.Count(), *entry->numTracks),
                           MsgButtons::Ok, "Varlo");
    return;
  }
  for (const auto& [index, title] : entry->titles) {
    if (index >= table_.Count()) continue;
    list_.names[static_cast<std::size_t>(index)] =
        MakeCDEntry(index + 1, table_.Track(index + 1)->lengthMs, title);
  }
  ListChanged();
}

void CdPlayer::ApplyTitles(const std::vector<std::string>& titles) {
  const int count = std::min(table_.Count(), static_cast<int>(titles.size()));
  if (list_.Count() < count) return;
  for (int i = 0; i < count; ++i) {
    const std::string& title = titles[static_cast<std::size_t>(i)];
    if (title.empty()) continue;
    list_.names[static_cast<std::size_t>(i)] =
        MakeCDEntry(i + 1, table_.Track(i + 1)->lengthMs, title);
  }
  ListChanged();
  cdFound_ = true;
  if (currentTrack_ >= 1 && currentTrack_ <= list_.Count()) engine_.ShowTitles();
}

void CdPlayer::FindCurrentTrack() {
  const std::int32_t position = engine_.Unit().Position();
  const int track = FindTrack(table_, position);
  const TrackRecord* record = table_.Track(track);
  if (record == nullptr || track > list_.Count()) return;
  const bool changed = track != currentTrack_;
  state_.trkStart = record->startMs;
  state_.trkEnd = record->endMs;
  state_.songLenMs = record->lengthMs;
  currentTrack_ = track;
  state_.tNum = track;
  if (changed) engine_.ShowTitles();
}

void CdPlayer::Eject() {
  if (!state_.cdMode) return;
  if (state_.playing) engine_.StopIt();
  engine_.Unit().Command("close");
  drive_.Eject();
  ForgetDisc();
  // No track is current while the list still holds the disc's tracks: the titles, the track
  // number and the song name are cleared (an empty list would leave them standing).
  state_.tNum = 0;
  engine_.ShowTitles();
  ClearList();
  engine_.ResetPosition();
  for (int label : {2, 4, 13}) form_.SetCaption(label, "");
}

}  // namespace varlo
