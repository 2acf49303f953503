#include "ui/web_browser_view.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/path_text.h"

namespace varlo {

void PrepareWebEngine() {
  if (geteuid() == 0 && std::getenv("QTWEBENGINE_DISABLE_SANDBOX") == nullptr) {
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    std::fprintf(stderr, "varlo: running as root: the web browser's sandbox is turned off\n");
  }
  // The web engine draws through an OpenGL context shared with the whole application, which
  // must exist before the application object; without it the engine ends the program when the
  // browser first shows. It costs every run the GL drivers (57 MB more resident, measured).
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

WebBrowserView::WebBrowserView(std::string plugin) : plugin_(std::move(plugin)) {}

WebBrowserView::~WebBrowserView() = default;

void WebBrowserView::Make() {
  std::string path = plugin_;
  if (path.empty())
    path = PathFromQt(QDir(QCoreApplication::applicationDirPath())
                          .absoluteFilePath(QStringLiteral("../lib/libvarlo_browser.so")));
  // The plugin stays loaded for the life of the process, as the web engine's threads do.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  const auto make =
      library ? reinterpret_cast<VarloMakeWebEngineArea>(dlsym(library, kVarloMakeWebEngineArea))
              : nullptr;
  if (make == nullptr) {
    std::fprintf(stderr, "varlo: the web browser is not available: %s\n", dlerror());
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
  if (!area_) {
    pending_ = address;
    return;
  }
  area_->Navigate(address);
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
void WebBrowserView::LoadFinished(bool ok, const std::string& address, const std::string& title) {
  if (listener_) listener_->LoadFinished(ok, address, title);
}
void WebBrowserView::StatusText(const std::string& text) {
  if (listener_) listener_->StatusText(text);
}

}  // namespace varlo
