#include "player/media_errors.h"

#include <gtest/gtest.h>

namespace varlo {
namespace {

// The error box gives its advice by number, so the failures it has advice for must land on
// exactly those numbers.
TEST(MediaErrors, FailuresLandOnTheNumbersTheErrorBoxAdvisesOn) {
  EXPECT_EQ(MciErrorNumber(MediaFailure::None), 0);
  EXPECT_EQ(MciErrorNumber(MediaFailure::EngineUnavailable), 263);
  EXPECT_EQ(MciErrorNumber(MediaFailure::OutOfMemory), 264);
  EXPECT_EQ(MciErrorNumber(MediaFailure::VideoOutputFailed), 274);
  EXPECT_EQ(MciErrorNumber(MediaFailure::UnknownFormat), 277);
  EXPECT_EQ(MciErrorNumber(MediaFailure::NothingToPlay), 277);
  EXPECT_EQ(MciErrorNumber(MediaFailure::Other), 277);
  EXPECT_EQ(MciErrorNumber(MediaFailure::FileNotFound), 275);
}

TEST(MediaErrors, EveryFailureHasItsOwnTextAndOnlyNoneIsSilent) {
  EXPECT_EQ(MciErrorText(0), "");
  const MediaFailure all[] = {MediaFailure::EngineUnavailable,
                              MediaFailure::OutOfMemory,
                              MediaFailure::NotOpen,
                              MediaFailure::UnknownCommand,
                              MediaFailure::NoFileName,
                              MediaFailure::FileNotFound,
                              MediaFailure::FileUnreadable,
                              MediaFailure::UnknownFormat,
                              MediaFailure::NothingToPlay,
                              MediaFailure::AudioOutputBusy,
                              MediaFailure::VideoOutputFailed,
                              MediaFailure::Timeout,
                              MediaFailure::Other};
  for (MediaFailure failure : all) {
    const int number = MciErrorNumber(failure);
    EXPECT_GT(number, 256);
    const std::string text = MciErrorText(number);
    EXPECT_FALSE(text.empty()) << number;
    EXPECT_EQ(text.find("Media error"), std::string::npos) << number << " has no text of its own";
    // The display's few words fit a title line.
    const std::string brief = MciErrorShortText(number);
    EXPECT_FALSE(brief.empty()) << number;
    EXPECT_LE(brief.size(), 10u) << brief;
  }
  EXPECT_EQ(MciErrorText(999), "Media error 999.");
  EXPECT_EQ(MciErrorShortText(0), "");
  EXPECT_EQ(MciErrorShortText(999), "unplayable");
}

}  // namespace
}  // namespace varlo
