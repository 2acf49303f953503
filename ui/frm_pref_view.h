#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <array>

#include "shell/input_gate.h"
#include "shell/prefs_form.h"

namespace varlo {

// The "Varlo Prefs" window: eight tabs over the settings in memory, "Apply" and "Okay". It
// hands every action to the preferences' logic through the main window's input gate, writing
// the controls into the logic's fields first and showing them again after.
class FrmPrefView final : public QWidget {
 public:
  FrmPrefView(SettingsHost& host, InputGate& gate);
  ~FrmPrefView() override;

  PrefsForm& Logic() { return logic_; }
  QTabWidget* Tabs() const { return tabs_; }
  // The skin folder changed in the skin browser.
  void SkinFolderChanged();
  // Another skin was loaded: the Info tab shows it, other edits are kept.
  void SkinLoaded();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* InfoTab();
  QWidget* DocsTab();
  QWidget* OptionsTab();
  QWidget* AutoTab();
  QWidget* PathsTab();
  QWidget* PlayerTab();
  QWidget* HalvernTab();
  QWidget* MiscTab();
  // Runs `action` on the logic once the window's other work is done, with the controls read
  // into the fields before.
  void Act(std::function<void()> action);
  void ReadControls();
  void ShowFields();
  QCheckBox* Check(const char* caption, QWidget* parent);

  SettingsHost& host_;
  InputGate& gate_;
  PrefsForm logic_;
  bool showing_ = false;
  QTabWidget* tabs_;
  // Info.
  QLabel* lblCurSkin_ = nullptr;
  QLabel* skinInf_ = nullptr;
  // Docs.
  std::array<QRadioButton*, 5> optView_{};
  QPlainTextEdit* txtMsg_ = nullptr;
  // Options.
  QCheckBox *cbOnTop_ = nullptr, *cbSnap_ = nullptr, *cbSaveWin_ = nullptr;
  std::array<QRadioButton*, 3> startOpt_{};
  QLineEdit* startFile_ = nullptr;
  QCheckBox *cbStartMin_ = nullptr, *cbAutoCover_ = nullptr, *cbNoRMB_ = nullptr,
            *cbUseSkinB_ = nullptr, *cbTimeFmt_ = nullptr;
  // Auto.
  QComboBox* ooDay_ = nullptr;
  QLineEdit *ooOnTime_ = nullptr, *ooOffTime_ = nullptr, *ooPreset_ = nullptr;
  QListWidget* ooList_ = nullptr;
  QCheckBox* cbSnoozeEn_ = nullptr;
  std::array<QRadioButton*, 2> snzMd_{};
  QComboBox* snzMin_ = nullptr;
  QLineEdit* snoozeAt_ = nullptr;
  QCheckBox *cbAutoEn_ = nullptr, *cbMinOnSnz_ = nullptr;
  // Paths.
  QLineEdit *cddaDir_ = nullptr, *visPLD_ = nullptr, *skinPath_ = nullptr;
  QComboBox* cboSkinPath_ = nullptr;
  QLineEdit* txtFavSkin_ = nullptr;
  // Player.
  QComboBox* cboStartPMd_ = nullptr;
  QCheckBox* cbUseCDDB_ = nullptr;
  QLineEdit *txtCDDBcmd_ = nullptr, *txtEmail_ = nullptr;
  QCheckBox *cbUseCDP_ = nullptr, *cbAutoPlay_ = nullptr, *cbClrPl_ = nullptr,
            *cbScrollName_ = nullptr, *cbTagCover_ = nullptr, *cbFriendly_ = nullptr,
            *cbAutoCloseQF_ = nullptr;
  QLineEdit* valExt_ = nullptr;
  QComboBox* mciDev_ = nullptr;
  QComboBox* replayGain_ = nullptr;
  QCheckBox* contPB_ = nullptr;
  QLineEdit* pbOverlap_ = nullptr;
  // Halvern.
  QComboBox* exMute_ = nullptr;
  std::array<QRadioButton*, 3> tuneOpt_{};
  QLineEdit *startPreset_ = nullptr, *startFreq_ = nullptr;
  QCheckBox* cbFMEnable_ = nullptr;
  QComboBox *crdTyp_ = nullptr, *crdAddr_ = nullptr;
  // Misc.
  QCheckBox* exEnable_ = nullptr;
  QComboBox *exDev_ = nullptr, *exPort_ = nullptr;
  QLineEdit* exParm_ = nullptr;
};

}  // namespace varlo
