#pragma once
#include <gtest/gtest.h>

#include <string>

#include "skin/skin_loader.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace varlo {

struct RecordingSkinHost : ISkinHost {
  int resets = 0, paints = 0, lights = 0;
  int TwipX() const override { return 15; }
  int TwipY() const override { return 15; }
  void ResetWindowSizeState() override { ++resets; }
  void FormPaint() override { ++paints; }
  void ShowLights() override { ++lights; }
};

// A program folder in a temporary directory with a loader wired to fakes.
class SkinLoaderTest : public ::testing::Test {
 protected:
  // The lines every test skin starts with; `elements` follows them.
  static std::string Skin(const std::string& elements,
                          const std::string& header = "Varlo Skin/Player, Test skin") {
    return header + "\n100,50,50,25,20,10\nmain.bmp,res.bmp\n5,1,10,20,30,0,0,0\n" + elements;
  }
  std::string Write(const std::string& name, const std::string& text) {
    return prog.Write(name, text);
  }
  // Adds a picture file the fake loader can decode.
  void AddPicture(const std::string& name, const Picture& p) {
    pictures.pictures[prog.Write(name, "picture")] = p;
  }
  void Load(const std::string& elements) { loader.LoadSkin(Write("t.skin", Skin(elements)), true); }

  testing::TempDir prog;
  testing::FakeScreen screen;
  testing::FakeDialogs dialogs;
  testing::FakePictureLoader pictures;
  testing::FakeEvents events;
  RecordingSkinHost host;
  SkinForm form;
  AppSettings settings;
  SkinLoader loader{form, settings, prog.Path(),
                    SkinLoaderServices{screen, dialogs, pictures, events}, host};

  void SetUp() override {
    AddPicture("main.bmp", Picture(100, 50, MakeColour(1, 2, 3)));
    AddPicture("res.bmp", Picture(64, 64, MakeColour(9, 9, 9)));
  }
};

}  // namespace varlo
