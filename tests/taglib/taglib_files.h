#pragma once
#include <string>
#include <vector>

#include "tests/support/run_tool.h"

namespace varlo::testing {

// A PNG of `width` x `height` made by ffmpeg at `path`; false when ffmpeg cannot.
inline bool MakePng(const std::string& path, int width, int height) {
  return Ffmpeg(
      {"-f", "lavfi", "-i",
       "testsrc=size=" + std::to_string(width) + "x" + std::to_string(height) + ":duration=1",
       "-frames:v", "1", path});
}

// A second of audio at `path`, its kind by extension, with `cover` attached as its picture when
// given (ffmpeg's way: a video stream marked attached_pic) and `extra` options before the output.
inline bool MakeAudio(const std::string& path, const std::string& cover = "",
                      const std::vector<std::string>& extra = {}) {
  std::vector<std::string> args{"-f", "lavfi", "-i", "anoisesrc=d=1:a=0.1"};
  if (!cover.empty()) {
    args.insert(args.end(), {"-i", cover, "-map", "0", "-map", "1", "-c:v", "copy",
                             "-disposition:v", "attached_pic"});
  }
  const std::string ext = path.substr(path.rfind('.') + 1);
  if (ext == "m4a") args.insert(args.end(), {"-c:a", "aac"});
  if (ext == "ogg") args.insert(args.end(), {"-c:a", "libvorbis"});
  if (ext == "opus") args.insert(args.end(), {"-c:a", "libopus"});
  args.insert(args.end(), extra.begin(), extra.end());
  args.push_back(path);
  return Ffmpeg(args);
}

}  // namespace varlo::testing
