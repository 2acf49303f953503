#include "screensaver/qt/saver_session.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cstdio>

#include "common/atomic_file.h"
#include "common/paths.h"
#include "platform/qt/qt_picture_loader.h"

namespace varlo {
namespace {

constexpr int kTickMs = 200;

QColor ToColour(std::uint32_t c) {
  return QColor(static_cast<int>(c & 0xff), static_cast<int>((c >> 8) & 0xff),
                static_cast<int>((c >> 16) & 0xff));
}

}  // namespace

SaverSession::SaverSession(SettingsStore& store, std::string programFolder, std::string bundledSkin,
                           bool embedded, SaverPrompts& prompts)
    : store_(store),
      programFolder_(std::move(programFolder)),
      bundledSkin_(std::move(bundledSkin)),
      embedded_(embedded),
      prompts_(prompts),
      settings_(ReadSaverSettings(store)),
      texts_(clock_, settings_.timeFmt) {
  dismissal_.Reset(clock_.SteadyMs());
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

SaverSession::~SaverSession() = default;

void SaverSession::Say(const std::string& text) {
  if (embedded_)
    std::fprintf(stderr, "VarloSS: %s\n", text.c_str());
  else
    prompts_.Message(text);
}

bool SaverSession::LoadSkin() {
  std::string path = SaverSkinPath(settings_, programFolder_);
  if (path.empty() && embedded_) {
    path = bundledSkin_;
  } else if (path.empty()) {
    path = prompts_.SelectSkin(settings_.skinPath.empty() ? programFolder_ : settings_.skinPath);
    if (path.empty()) return false;
    settings_.ssSkin = path;
  }
  const auto text = ReadFileBounded(path, kMaxSaverSkinBytes);
  auto parsed = text ? ParseSaverSkin(*text, AddSlash(GetPath(path))) : std::nullopt;
  skinValid_ = parsed.has_value();
  skin_ = parsed ? std::move(*parsed) : SaverSkin{};
  main_ = skin_.mainBitmap.empty() ? QImage() : ReadImageFile(skin_.mainBitmap);
  res_ = skin_.resourceBitmap.empty() ? QImage() : ReadImageFile(skin_.resourceBitmap);
  // The saver runs without them.
  if (!skin_.mainBitmap.empty() && main_.isNull())
    Say("Main bitmap not found: " + skin_.mainBitmap);
  if (!skin_.resourceBitmap.empty() && res_.isNull())
    Say("Resource bitmap not found: " + skin_.resourceBitmap);
  picture_ = settings_.ssPic.empty() ? QImage() : ReadImageFile(settings_.ssPic);
  texts_.SetTimeFmt(settings_.timeFmt);
  texts_.Start();
  animations_.Reset();
  for (const auto& view : views_) view->update();
  return true;
}

void SaverSession::Place(SaverView& view, QScreen* screen) {
  view.winId();
  view.windowHandle()->setScreen(screen);
  // Sized first: without a window manager full-screen state alone does not resize.
  view.setGeometry(screen->geometry());
  view.showFullScreen();
}

void SaverSession::MakeViews() {
  // The new windows show before the old ones go, so that the saver always has one.
  std::vector<std::unique_ptr<SaverView>> old;
  old.swap(views_);
  for (QScreen* screen : QGuiApplication::screens()) {
    views_.push_back(std::make_unique<SaverView>(*this, false));
    Place(*views_.back(), screen);
  }
}

void SaverSession::ShowFullScreen() {
  MakeViews();
  // A screen plugged in or taken away gets the saver's windows made anew, after Qt has moved
  // its windows.
  const auto again = [this] {
    QTimer::singleShot(0, this, [this] {
      // Not under the open settings dialog, whose parent is one of the windows.
      if (settingsOpen_)
        screensChanged_ = true;
      else if (!ending_)
        MakeViews();
    });
  };
  connect(qApp, &QGuiApplication::screenAdded, this, again);
  connect(qApp, &QGuiApplication::screenRemoved, this, again);
  dismissal_.Reset(clock_.SteadyMs());
  timer_.start();
}

SaverView* SaverSession::ShowEmbedded(QWindow* host, QSize size) {
  views_.push_back(std::make_unique<SaverView>(*this, true));
  SaverView* view = views_.back().get();
  view->setAttribute(Qt::WA_NativeWindow);
  view->winId();
  view->windowHandle()->setParent(host);
  view->windowHandle()->setFlag(Qt::WindowTransparentForInput);
  view->setGeometry(0, 0, size.width(), size.height());
  view->show();
  timer_.start();
  return view;
}

QColor SaverSession::Background() const {
  return ToColour(skin_.background);
}

SaverScene SaverSession::Scene(QSize size) const {
  return BuildSaverScene(skin_, size.width(), size.height(), main_.width(), main_.height(), texts_,
                         animations_);
}

void SaverSession::Tick() {
  const bool texts = texts_.Tick();
  const bool frames = animations_.Tick(skin_);
  if (!texts && !frames) return;
  for (const auto& view : views_) view->update();
}

void SaverSession::PointerMoved(QPoint global) {
  if (dismissal_.PointerMoved(global.x(), global.y(), clock_.SteadyMs())) Pressed();
}

void SaverSession::Pressed() {
  if (dismissal_.MayClose(clock_.SteadyMs())) EndAll();
}

bool SaverSession::CloseRequested() {
  if (ending_) return true;
  if (!dismissal_.MayClose(clock_.SteadyMs())) return false;
  EndAll();
  return true;
}

void SaverSession::EndAll() {
  if (ending_) return;
  ending_ = true;
  timer_.stop();
  const WriteStatus saved = WriteSaverSettings(store_, settings_);
  for (const auto& view : views_) view->close();
  // Said once the full-screen views are gone, so that the box is not hidden behind them.
  if (!saved) Say(SaverSettingsNotSaved(store_.Path(), saved));
}

void SaverSession::SetOnTop(bool onTop) {
  for (const auto& view : views_) {
    if (onTop)
      view->setCursor(Qt::BlankCursor);
    else
      view->unsetCursor();
    // Changing the flag hides the window; it shows again full screen where it was.
    view->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    view->showFullScreen();
  }
}

void SaverSession::ControlPressed(SaverView* over) {
  timer_.stop();
  SetOnTop(false);
  settingsOpen_ = true;
  RunSaverSettings(settings_, store_, programFolder_, over);
  settingsOpen_ = false;
  if (screensChanged_) {
    screensChanged_ = false;
    MakeViews();
  }
  dismissal_.Reset(clock_.SteadyMs());
  if (!LoadSkin()) {
    // No skin, and none chosen: the saver ends without waiting out its first seconds.
    ending_ = true;
    for (const auto& view : views_) view->close();
    return;
  }
  SetOnTop(true);
  timer_.start();
}

}  // namespace varlo
