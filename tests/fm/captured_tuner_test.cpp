// A USB receiver's sound, which arrives on a capture device, plays exactly while the radio is
// on, whichever path switches it.
#include "fm/captured_tuner.h"

#include <gtest/gtest.h>

#include "tests/fm/fm_fixture.h"

namespace varlo {
namespace {

struct RecordingAudio final : RadioAudio {
  std::vector<std::string> calls;
  void Play(const std::string& device) override { calls.push_back("play " + device); }
  void Stop() override { calls.push_back("stop"); }
  std::string problem;
  std::string Problem() const override { return problem; }
};

struct RecordingStreams final : IStreamPlayer {
  std::string address;
  StreamStatus status;
  void Play(const std::string& a) override { address = a; }
  void Stop() override { address.clear(); }
  StreamStatus Status() const override { return status; }
};

class CapturedFmTest : public FmTest {
 protected:
  RecordingAudio audio;
  CapturedTuner captured{tuner, audio};

  void StartCaptured(const std::string& stations = "") {
    if (!stations.empty()) prog.Write("stations.txt", stations);
    settings.cardType = 3;
    tuner.captureDevice = "plughw:1,0";
    fm = std::make_unique<FmMode>(form, settings, *store, prog.Path(), captured, cover);
    fm->Load();
  }
  using Calls = std::vector<std::string>;
};

TEST_F(CapturedFmTest, TheCaptureFollowsTheRadioThroughMuteScheduleAndExit) {
  StartCaptured("87.5 FM\r\n101.1 Coast\r\n");
  EXPECT_EQ(audio.calls, Calls{"play plughw:1,0"});
  EXPECT_EQ(captured.Playing(), "plughw:1,0");

  // Tuning and scanning switch the card on again; the capture just goes on.
  fm->DoIt(83);
  fm->DoIt(92);
  EXPECT_EQ(audio.calls.size(), 1u);
  EXPECT_TRUE(tuner.Saw("freq 101100000"));

  fm->DoIt(9);  // mute
  EXPECT_EQ(audio.calls.back(), "stop");
  fm->DoIt(83);  // retuned while muted: stays silent
  EXPECT_EQ(audio.calls.back(), "stop");
  fm->DoIt(8);  // a volume step unmutes
  EXPECT_EQ(audio.calls.back(), "play plughw:1,0");

  fm->SwitchOff();
  EXPECT_EQ(audio.calls.back(), "stop");
  // The receiver came back on another card number by the wake-up.
  tuner.captureDevice = "plughw:2,0";
  fm->SwitchOn(1);
  EXPECT_EQ(audio.calls.back(), "play plughw:2,0");

  settings.exitMode = 1;
  const auto before = audio.calls.size();
  fm->Unload();
  EXPECT_EQ(audio.calls.size(), before + 1);
  EXPECT_EQ(audio.calls.back(), "stop");
  EXPECT_EQ(captured.Playing(), "");
}

TEST_F(CapturedFmTest, CardsWithALineOutAndOtherCardsPlayNothing) {
  settings.cardType = 3;
  fm = std::make_unique<FmMode>(form, settings, *store, prog.Path(), captured, cover);
  fm->Load();  // a V4L2 radio with no capture device
  fm->DoIt(9);
  fm->DoIt(9);
  EXPECT_TRUE(audio.calls.empty());

  StartCaptured();
  ASSERT_EQ(audio.calls, Calls{"play plughw:1,0"});
  // The same card again (another port in the preferences) plays on; another card ends the
  // old card's capture at once.
  SetTunerCard(captured, 3, 1);
  EXPECT_EQ(audio.calls.size(), 1u);
  SetTunerCard(captured, 0, 0);
  EXPECT_EQ(audio.calls.back(), "stop");
  tuner.captureDevice.clear();
  captured.RadioOn();
  EXPECT_EQ(audio.calls.size(), 2u);
}

TEST_F(CapturedFmTest, ACaptureThatGivesNoSoundSaysSoOnTheHeaderDisplay) {
  settings.scrollName = 0;
  form.cells[6] = 40;
  StartCaptured();
  audio.problem = "No sound from plughw:1,0";
  for (int tick = 0; tick < 10; ++tick) fm->Timer1Step();
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "No sound from plughw:1,0");
  // Muted, nothing is meant to be heard.
  fm->DoIt(9);
  for (int tick = 0; tick < 10; ++tick) fm->Timer1Step();
  fm->Timer2Step();
  EXPECT_EQ(form.digits[6], "FM RADIO");
}

TEST(StreamRadioAudio, CaptureDevicesPlayAsAlsaInputs) {
  RecordingStreams streams;
  StreamRadioAudio audio(streams);
  audio.Play("plughw:1,0");
  EXPECT_EQ(streams.address, "av://alsa:plughw:1,0");
  EXPECT_EQ(audio.Problem(), "");
  streams.status.state = StreamState::Failed;
  EXPECT_EQ(audio.Problem(), "No sound from plughw:1,0");
  streams.status.state = StreamState::Idle;
  audio.Stop();
  EXPECT_EQ(streams.address, "");
  {
    // Destroying the tuner while it plays ends the capture.
    testing::FakeTuner card;
    card.captureDevice = "plughw:3,0";
    CapturedTuner tuner(card, audio);
    tuner.RadioOn();
    EXPECT_EQ(streams.address, "av://alsa:plughw:3,0");
  }
  EXPECT_EQ(streams.address, "");
}

}  // namespace
}  // namespace varlo
