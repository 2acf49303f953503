#include "tests/fault/sources/player_harness.h"

#include <QMessageBox>
#include <QMetaObject>
#include <thread>

#include "common/program_folder.h"
#include "tests/support/time_budget.h"

namespace varlo::testing {

QApplication& FaultApp() {
  static int argc = 1;
  static char name[] = "sources_fault_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* made = new QApplication(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // the media engine starts only in the C number locale
    return made;
  }();
  return *app;
}

qint64 EventBudgetMs() {
  return 100 * kTimeBudgetFactor;
}

namespace {
MpvOptions Silent() {
  MpvOptions options;
  options.audioOutput = "null";
  options.videoOutput = "null";
  return options;
}
}  // namespace

class PlayerHarness::OpenLog final : public IMediaDevice {
 public:
  OpenLog(IMediaDevice& device, std::vector<std::string>& opened)
      : device_(device), opened_(opened) {}
  void SetDeviceType(std::string type) override { device_.SetDeviceType(std::move(type)); }
  const std::string& DeviceType() const override { return device_.DeviceType(); }
  void SetFileName(std::string path) override { device_.SetFileName(std::move(path)); }
  const std::string& FileName() const override { return device_.FileName(); }
  void SetWait(bool wait) override { device_.SetWait(wait); }
  bool Wait() const override { return device_.Wait(); }
  void SetFrom(std::int32_t ms) override { device_.SetFrom(ms); }
  void Command(std::string_view word) override {
    if (word == "open") opened_.push_back(device_.FileName());
    device_.Command(word);
  }
  int Error() const override { return device_.Error(); }
  const std::string& ErrorMessage() const override { return device_.ErrorMessage(); }
  std::int32_t Length() const override { return device_.Length(); }
  std::int32_t Position() const override { return device_.Position(); }
  StreamTags Tags() const override { return device_.Tags(); }
  void SetDisplayWindow(std::uint64_t windowId) override { device_.SetDisplayWindow(windowId); }
  void SetVolume(double left, double right) override { device_.SetVolume(left, right); }
  void SetReplayGain(ReplayGain mode) override { device_.SetReplayGain(mode); }
  void SetEndCallback(std::function<void(MediaEnd)> callback) override {
    device_.SetEndCallback(std::move(callback));
  }

 private:
  IMediaDevice& device_;
  std::vector<std::string>& opened_;
};

PlayerHarness::PlayerHarness(const std::string& ini, int boxMs)
    : store_(config_.Write("varlo.ini", "[config]\n" + ini)),
      unit0_(Silent()),
      unit1_(Silent()),
      log0_(std::make_unique<OpenLog>(unit0_, opened_)),
      log1_(std::make_unique<OpenLog>(unit1_, opened_)),
      frmOwner_([&] {
        InstallMissingFiles(VARLO_TEST_DATA_DIR, prog_.Path());
        return std::make_unique<FrmTarnix>(
            ShellServices{
                screen_, dialogs_, pictures_,        events_, clock_, closer_,     launcher_,
                *log0_,  *log1_,   sideWindows_,     tuner_,  tray_,  serial_,     printer_,
                drive_,  http_,    settingsWindows_, stream_, web_,   linkOpener_, embedded_},
            store_, prog_.Path());
      }()),
      frm_(*frmOwner_),
      view_(frm_),
      boxMs_(boxMs) {
  for (MpvMediaDevice* unit : {&unit0_, &unit1_}) {
    unit->SetWaitPump([this] { events_.DoEvents(); });
    unit->SetWakeup([this, unit] {
      QMetaObject::invokeMethod(
          &view_, [unit] { unit->ProcessEvents(); }, Qt::QueuedConnection);
    });
  }
  frm_.Form().onChange = [this](unsigned changes) { view_.OnFormChanged(changes); };
  closer_.SetView(&view_);
  screen_.SetWindow(&view_);
  dialogs_.SetParent(&view_);
  boxWatch_.setInterval(20);
  QObject::connect(&boxWatch_, &QTimer::timeout, [this] { CloseBoxes(); });
  boxWatch_.start();
  probe_.Start();
}

PlayerHarness::~PlayerHarness() {
  if (!frm_.Unloaded()) Close();
  unit0_.SetWakeup({});
  unit1_.SetWakeup({});
}

void PlayerHarness::CloseBoxes() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (!box || !box->isVisible()) continue;
    const QVariant seen = box->property("varloSeen");
    if (!seen.isValid()) {
      box->setProperty("varloSeen", probe_.ElapsedMs());
      boxes_.push_back({box->text().toStdString(), view_.isVisible()});
    } else if (probe_.ElapsedMs() - seen.toLongLong() >= boxMs_) {
      box->done(QMessageBox::Ok);
    }
  }
}

void PlayerHarness::Start(const std::vector<std::string>& items) {
  // As the entry point: the start, the window on the screen, then the start's last step.
  frm_.Form_Load(items);
  view_.OnFormChanged(kChangeAll);
  view_.show();
  RunUntil([] { return false; }, 50);
  frm_.Form_Shown();
}

bool PlayerHarness::RunUntil(const std::function<bool()>& done, int ms) {
  const qint64 end = probe_.ElapsedMs() + ms;
  while (probe_.ElapsedMs() < end) {
    if (done()) return true;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

void PlayerHarness::Close() {
  view_.close();
}

}  // namespace varlo::testing
