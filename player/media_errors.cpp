#include "player/media_errors.h"

namespace varlo {

int MciErrorNumber(MediaFailure failure) {
  using namespace mci_error;
  switch (failure) {
    case MediaFailure::None:
      return kNone;
    case MediaFailure::EngineUnavailable:
      return kInvalidDeviceName;
    case MediaFailure::OutOfMemory:
      return kOutOfMemory;
    case MediaFailure::NotOpen:
      return kInvalidDeviceId;
    case MediaFailure::UnknownCommand:
      return kUnrecognizedCommand;
    case MediaFailure::NoFileName:
      return kFilenameRequired;
    case MediaFailure::FileNotFound:
      return kFileNotFound;
    case MediaFailure::FileUnreadable:
      return kFileRead;
    case MediaFailure::UnknownFormat:
    case MediaFailure::NothingToPlay:
    case MediaFailure::Other:
      return kInternal;
    case MediaFailure::AudioOutputBusy:
      return kWaveOutputsInUse;
    case MediaFailure::VideoOutputFailed:
      return kUnsupportedFunction;
    case MediaFailure::Timeout:
      return kDeviceNotReady;
  }
  return kInternal;
}

std::string MciErrorText(int number) {
  using namespace mci_error;
  switch (number) {
    case kNone:
      return {};
    case kInvalidDeviceId:
      return "The device has no media open. Open a file first.";
    case kUnrecognizedCommand:
      return "The device does not know the command it was given.";
    case kInvalidDeviceName:
      return "The playback engine could not be started.";
    case kOutOfMemory:
      return "There is not enough memory for this command.";
    case kUnsupportedFunction:
      return "The device cannot show this media: no video output could be opened.";
    case kFileNotFound:
      return "The specified file cannot be found. Make sure the path and file name are correct.";
    case kDeviceNotReady:
      return "The device is not ready: opening the file took too long.";
    case kInternal:
      return "The file could not be opened: its format is unknown or it is damaged.";
    case kFilenameRequired:
      return "A file name must be given to open a file.";
    case kWaveOutputsInUse:
      return "The audio output is in use or could not be opened.";
    case kFileRead:
      return "The specified file cannot be read. Make sure it may be opened for reading.";
    default:
      return "Media error " + std::to_string(number) + ".";
  }
}

std::string MciErrorShortText(int number) {
  using namespace mci_error;
  switch (number) {
    case kNone:
      return {};
    case kFileNotFound:
      return "not found";
    case kInternal:
      return "damaged";
    case kFileRead:
      return "unreadable";
    case kDeviceNotReady:
      return "too slow";
    case kWaveOutputsInUse:
      return "no sound";
    case kUnsupportedFunction:
      return "no video";
    case kInvalidDeviceName:
      return "no engine";
    case kOutOfMemory:
      return "no memory";
    default:
      return "unplayable";
  }
}

}  // namespace varlo
