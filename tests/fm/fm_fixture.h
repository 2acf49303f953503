#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/app_settings.h"
#include "common/settings_store.h"
#include "fm/fm_mode.h"
#include "tests/support/fake_form.h"
#include "tests/support/fake_tuner.h"
#include "tests/support/temp_dir.h"

namespace varlo {

// Records the pictures the FM mode shows.
struct RecordingCover final : CoverDisplay {
  std::vector<std::string> shown;
  void LoadCover(const std::string& path) override { shown.push_back(path); }
};

// One FM mode on a fake form and a fake card, FM enabled, in a program folder of its own.
class FmTest : public ::testing::Test {
 protected:
  testing::TempDir prog;
  testing::FakeForm form;
  testing::FakeTuner tuner;
  RecordingCover cover;
  AppSettings settings;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<FmMode> fm;

  void SetUp() override {
    settings.fmEnable = 1;
    form.visibleLists.insert(FormList::FmPreset);
    store = std::make_unique<SettingsStore>(prog.File("varlo.ini"));
  }

  // Starts the mode with "stations.txt" holding `stations` (none when empty).
  void Start(const std::string& stations = "") {
    if (!stations.empty()) prog.Write("stations.txt", stations);
    fm = std::make_unique<FmMode>(form, settings, *store, prog.Path(), tuner, cover);
    fm->Load();
  }
  std::vector<std::string>& Rows() {
    return form.lists[static_cast<std::size_t>(FormList::FmPreset)].rows;
  }
  int Selected() { return form.lists[static_cast<std::size_t>(FormList::FmPreset)].selected; }
  std::string File() { return prog.Read("stations.txt"); }
};

}  // namespace varlo
