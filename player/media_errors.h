#pragma once
#include <string>

namespace varlo {

// Error numbers of the old multimedia interface that the player's error box gives advice for,
// plus the few others a device reports.
namespace mci_error {
inline constexpr int kNone = 0;
inline constexpr int kInvalidDeviceId = 257;      // a command on a device that is not open
inline constexpr int kUnrecognizedCommand = 261;  // an unknown command word
inline constexpr int kInvalidDeviceName = 263;    // the playback engine is not available
inline constexpr int kOutOfMemory = 264;
inline constexpr int kUnsupportedFunction = 274;  // the media needs an output we cannot give
inline constexpr int kFileNotFound = 275;
inline constexpr int kDeviceNotReady = 276;  // the open did not finish in time
inline constexpr int kInternal = 277;        // no decoder takes the file: unknown or corrupt
inline constexpr int kFilenameRequired = 304;
inline constexpr int kWaveOutputsInUse = 320;  // the audio output is busy or cannot be opened
inline constexpr int kFileRead = 348;          // the file exists but cannot be read
}  // namespace mci_error

// What went wrong in a media backend, independent of the backend.
enum class MediaFailure {
  None,
  EngineUnavailable,  // the playback engine could not be started
  OutOfMemory,
  NotOpen,            // a command that needs open media while none is open
  UnknownCommand,     // a command word the device does not know
  NoFileName,         // "open" without a file name
  FileNotFound,       // no file at the path
  FileUnreadable,     // the file exists but reading it is refused
  UnknownFormat,      // no demuxer recognises the file, or it is corrupt
  NothingToPlay,      // the file opens but holds no stream any decoder takes
  AudioOutputBusy,    // the audio output cannot be opened
  VideoOutputFailed,  // the video output cannot be opened
  Timeout,            // opening took longer than the device waits
  Other,              // anything else the backend reports
};

// The old error number for a failure:
//   EngineUnavailable  263  the advice says the driver is not installed
//   OutOfMemory        264  out of memory (or the long-file-name advice)
//   NotOpen            257  invalid device id: the device has nothing open
//   UnknownCommand     261  unrecognised command
//   NoFileName         304  file name required
//   FileNotFound       275  file not found (the engine normally catches this first)
//   FileUnreadable     348  file read error
//   UnknownFormat      277  internal error: "could not be opened ... unknown format, corrupt"
//   NothingToPlay      277  the same advice: a format no decoder takes
//   AudioOutputBusy    320  all wave outputs in use
//   VideoOutputFailed  274  unsupported function: the device cannot show this media
//   Timeout            276  device not ready
//   Other              277  treated as a file that could not be opened
int MciErrorNumber(MediaFailure failure);

// The error text shown after "Error: " in the player's error box; empty for 0. Unknown numbers
// give a general text with the number.
std::string MciErrorText(int number);

// The same in a word or two, for a line of the display ("damaged", "not found").
std::string MciErrorShortText(int number);

}  // namespace varlo
