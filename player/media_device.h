#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "player/stream_tags.h"

namespace varlo {

// Why a device reports the end of its media.
enum class MediaEnd {
  Finished,  // played through to the end; the position stays at the end
  Failed,    // decoding or output broke off during playback
};

// How playback follows the loudness the media's ReplayGain tags give.
enum class ReplayGain { Off, Track, Album };

// A multimedia device in the manner of the old multimedia control: properties are set, then a
// command word is sent, then `Error()` tells how that command went.
//
// Threading: every call, including the end callback, happens on the GUI thread. Backends with
// threads of their own hand their events over to that thread (see the backend's pump).
//
// Units: times (`From`, `Length`, `Position`) are milliseconds from the start of the media; the
// only time format is milliseconds. Volume factors are linear amplitude factors from 0 to 1.
class IMediaDevice {
 public:
  virtual ~IMediaDevice() = default;

  // The device type name ("MPEGVideo", "Animation" ...). Only kept for messages; every type is
  // played the same way.
  virtual void SetDeviceType(std::string type) = 0;
  virtual const std::string& DeviceType() const = 0;

  // The file (or address) the next "open" opens.
  virtual void SetFileName(std::string path) = 0;
  virtual const std::string& FileName() const = 0;

  // Whether "open" completes before `Command` returns (the default). Without waiting, "open"
  // returns at once and the media loads in the background, from the first "play" or "seek"
  // on; until it has loaded, `Length()` is 0 and `Position()` is where it will start, and the
  // commands are kept for it. A load that fails shows in `Error()` (until the next command)
  // and ends the media (the end callback hears `Failed`). A device may always wait.
  virtual void SetWait(bool wait) = 0;
  virtual bool Wait() const = 0;

  // Start position for the next "play" or "seek". It is used up by that command: a "play"
  // without a fresh `SetFrom` continues where the media stands.
  virtual void SetFrom(std::int32_t ms) = 0;

  // Sends a command word; words are matched without regard to case:
  //   "open"   opens `FileName()` paused at its start and returns once it is open or has failed
  //            (or at once, without `Wait()`).
  //   "close"  closes the media; `Length()` and `Position()` become 0.
  //   "play"   plays from `From` when set, else from the current position.
  //   "stop"   stops and keeps the position (so a later "play" continues), like "pause".
  //   "pause"  as "stop".
  //   "seek"   moves to `From` (0 when not set) and leaves the device stopped.
  // Any other word fails with the unrecognised-command error.
  virtual void Command(std::string_view word) = 0;

  // Numeric error of the last command in the old numbering (see media_errors.h), 0 when none.
  virtual int Error() const = 0;
  // Text of that error; empty when none.
  virtual const std::string& ErrorMessage() const = 0;

  // Length of the open media and the current position, in milliseconds; 0 when nothing is open.
  // At the end of the media the position equals the length.
  virtual std::int32_t Length() const = 0;
  virtual std::int32_t Position() const = 0;

  // Title, artist and album the open media's own tags give, as read at "open"; empty when
  // nothing is open, when the media carries none, or for a device that reads no tags.
  virtual StreamTags Tags() const = 0;

  // The native window video is drawn into (an X11 window id), 0 for none. Takes effect at the
  // next "open". The caller keeps the window alive while media is open.
  virtual void SetDisplayWindow(std::uint64_t windowId) = 0;

  // Output level of the left and right channels as linear factors from 0 to 1 (level times the
  // balance factor of each side). Takes effect at once and is kept across "open".
  virtual void SetVolume(double left, double right) = 0;

  // Levels playback by the media's track or album gain, lowered where it would clip; media
  // without the tags play as they are. Takes effect at once and is kept across "open".
  virtual void SetReplayGain(ReplayGain mode) = 0;

  // Called once each time the open media ends; replaces any earlier callback. Not called for
  // "close" or a following "open".
  virtual void SetEndCallback(std::function<void(MediaEnd)> callback) = 0;
};

}  // namespace varlo
