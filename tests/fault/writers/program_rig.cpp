#include "tests/fault/writers/program_rig.h"

#include <filesystem>
#include <fstream>

namespace varlo::testing {

ProgramRig::ProgramRig(std::string programFolder, std::string settingsPath)
    : programFolder_(std::move(programFolder)), settingsPath_(std::move(settingsPath)) {}

ProgramRig::~ProgramRig() = default;

void ProgramRig::Start() {
  store_ = std::make_unique<SettingsStore>(settingsPath_);
  form_ = std::make_unique<FrmTarnix>(
      ShellServices{screen_, dialogs, pictures_,        events_, clock_, window_, launcher_,
                    unit0_,  unit1_,  sideWindows_,     tuner_,  tray_,  serial_, printer_,
                    drive_,  http_,   settingsWindows_, stream_, web_,   links_,  embedded_},
      *store_, programFolder_);
  form_->Form_Load({});
}

void ProgramRig::Stop() {
  form_->Form_Unload();
  form_.reset();
  store_.reset();
}

void ProgramRig::AddPicture(const std::string& path, int width, int height) {
  pictures_.pictures[path] = Picture(width, height);
}

std::string WriteRigSkin(const std::string& folder) {
  std::filesystem::create_directories(folder);
  const std::string skin = folder + "/default.skin";
  std::ofstream(skin, std::ios::binary)
      << "Varlo Skin/Player, Harness\n200,100,200,150,100,50\nmain.bmp,res.bmp\n"
         "0,1,0,0,0,0,0,0\nL26,1,1,30,10,0,0,0,8,Sans,t\nE\n";
  std::ofstream(folder + "/main.bmp", std::ios::binary) << "p";
  std::ofstream(folder + "/res.bmp", std::ios::binary) << "p";
  return skin;
}

void AddRigSkinPictures(ProgramRig& rig, const std::string& folder) {
  rig.AddPicture(folder + "/main.bmp", 200, 100);
  rig.AddPicture(folder + "/res.bmp", 50, 50);
}

}  // namespace varlo::testing
