#pragma once
#include <cstdint>
#include <string>

namespace varlo {

// Which media control plays: the media device or the CD device.
enum class PlayUnit { Media = 0, CD = 1 };

// The player's state shared by the shell, the lights and the player itself. Flags are
// true (-1) or false (0) as the rest of the program expects; here they are plain bools.
struct PlayerState {
  int tNum = 1;  // current playlist entry, 1-based
  bool playing = false;
  bool paused = false;
  bool repeat = false;
  bool intro = false;
  bool stp = false;  // stop after the current entry
  bool shuffle = false;
  bool random = false;
  bool mute = false;
  std::int32_t rptA = 0;  // A-B repeat points, ms of elapsed play; 0 = unset
  std::int32_t rptB = 0;
  bool cdMode = false;
  PlayUnit playUnit = PlayUnit::Media;
  double balance = 0.5;
  std::int32_t elapsedMs = 0;  // elapsed play of the current entry
  std::int32_t songLenMs = 0;  // its length; 0 while unknown
  bool timeRemaining = false;  // position shown as time remaining (TimeFlag)
  std::string songPath;
  std::string coverPath;      // the cover picture shown now
  std::string playlistCover;  // the picture of the playlist file loaded last
  std::string songName;       // display name of the current entry
  std::string dev;            // device type of the current entry, "Delay" for a timed display
  std::int32_t timeDisp = 0;  // the position value shown: elapsed, or remaining time
  std::int32_t trkStart = 0;  // start and end of the current track in the device's time base
  std::int32_t trkEnd = 0;
  double volume = 1.0;   // output level, 0 to 1
  int mutedPercent = 0;  // the level as a whole percentage remembered while muted
};

}  // namespace varlo
