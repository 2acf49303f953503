#include "ui/web_browser_view.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <cstdio>
#include <cstdlib>

#include "platform/backend_plugin.h"
#include "platform/qt/path_text.h"

// Qt's own, exported by Qt GUI for the web engine's use.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();

namespace varlo {

void PrepareWebEngine() {
  if (geteuid() == 0 && std::getenv("QTWEBENGINE_DISABLE_SANDBOX") == nullptr) {
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    std::fprintf(stderr, "varlo: running as root: the web browser's sandbox is turned off\n");
  }
}

// The web engine draws through an OpenGL context shared with the whole application. Qt makes
// one with the application object when asked beforehand, which loads the GL drivers in every
// run (57 MB more resident, measured); instead it is made here, the first time the browser
// shows, the way the application object would have made it. False when no context can be
// made: the engine would dereference the missing context and take the program down with it.
bool ShareOpenGLContextsNow() {
  if (qt_gl_global_share_context() != nullptr) return true;
  // Qt warns that the attribute comes late; the context below is what it would have made.
  const QtMessageHandler previous = qInstallMessageHandler(nullptr);
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  qInstallMessageHandler(previous);
  auto* context = new QOpenGLContext(QCoreApplication::instance());
  context->setFormat(QSurfaceFormat::defaultFormat());
  if (!context->create()) {
    std::fprintf(stderr, "varlo: the web browser is not available: no OpenGL context\n");
    delete context;
    return false;
  }
  qt_gl_set_global_share_context(context);
  return true;
}

WebBrowserView::WebBrowserView(std::string plugin) : plugin_(std::move(plugin)) {}

WebBrowserView::~WebBrowserView() = default;

void WebBrowserView::Make() {
  if (!ShareOpenGLContextsNow()) {
    failed_ = true;
    return;
  }
  // The plugin stays loaded for the life of the process, as the web engine's threads do.
  const auto make = PluginFunction<VarloMakeWebEngineArea>(
      plugin_.empty() ? kVarloBrowserPlugin : plugin_, kVarloMakeWebEngineArea, "the web browser");
  if (make == nullptr) {
    failed_ = true;
    return;
  }
  area_.reset(make(parent_, this));
  if (pending_) {
    area_->Navigate(*pending_);
    pending_.reset();
  }
}

void WebBrowserView::Sync(const SkinWidget& area) {
  if (!area_) {
    if (!area.visible || parent_ == nullptr || failed_) return;
    Make();
  }
  QWidget* view = View();
  if (view == nullptr) return;
  view->setGeometry(area.left, area.top, area.width, area.height);
  view->setVisible(area.visible);
}

void WebBrowserView::Navigate(const std::string& address) {
  Open(QUrl::fromUserInput(PathToQt(address)));
}

void WebBrowserView::OpenFile(const std::string& path) {
  // Built from the path itself: "#", "%" or "?" in a folder's name are part of the name.
  Open(QUrl::fromLocalFile(PathToQt(path)));
}

void WebBrowserView::Open(const QUrl& url) {
  if (!area_) {
    pending_ = url;
    return;
  }
  area_->Navigate(url);
}

void WebBrowserView::Back() {
  if (area_) area_->Back();
}
void WebBrowserView::Forward() {
  if (area_) area_->Forward();
}
void WebBrowserView::Reload() {
  if (area_) area_->Reload();
}
void WebBrowserView::Stop() {
  if (area_) area_->Stop();
}

void WebBrowserView::LoadStarted() {
  if (listener_) listener_->LoadStarted();
}
void WebBrowserView::LoadFinished(LoadEnd end, const std::string& address,
                                  const std::string& title) {
  if (listener_) listener_->LoadFinished(end, address, title);
}
void WebBrowserView::StatusText(const std::string& text) {
  if (listener_) listener_->StatusText(text);
}

}  // namespace varlo
