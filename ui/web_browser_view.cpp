#include "ui/web_browser_view.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/path_text.h"

namespace varlo {
namespace {

// A view whose pages' new windows (links with a target, window.open) open in the view itself.
class SameWindowView final : public QWebEngineView {
 public:
  using QWebEngineView::QWebEngineView;

 protected:
  QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

}  // namespace

void PrepareWebEngine() {
  if (geteuid() == 0 && std::getenv("QTWEBENGINE_DISABLE_SANDBOX") == nullptr) {
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    std::fprintf(stderr, "varlo: running as root: the web browser's sandbox is turned off\n");
  }
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

WebBrowserView::~WebBrowserView() {
  // The page must go before its profile.
  delete view_;
  delete profile_;
}

void WebBrowserView::Make() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  profile_ = new QWebEngineProfile(QStringLiteral("browser"));
  profile_->setPersistentStoragePath(QDir(data).filePath(QStringLiteral("browser")));
  profile_->setCachePath(QDir(data).filePath(QStringLiteral("browser-cache")));
  profile_->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
  auto* view = new SameWindowView(parent_);
  view_ = view;
  view->setPage(new QWebEnginePage(profile_, view));
  QObject::connect(view, &QWebEngineView::loadStarted, view, [this] {
    if (listener_) listener_->LoadStarted();
  });
  QObject::connect(view, &QWebEngineView::loadFinished, view, [this, view](bool ok) {
    if (!listener_) return;
    listener_->LoadFinished(ok, PathFromQt(view->url().toString()), PathFromQt(view->title()));
  });
  QObject::connect(view->page(), &QWebEnginePage::linkHovered, view, [this](const QString& url) {
    if (listener_) listener_->StatusText(PathFromQt(url));
  });
  if (pending_) {
    view->setUrl(QUrl::fromUserInput(PathToQt(*pending_)));
    pending_.reset();
  }
}

void WebBrowserView::Sync(const SkinWidget& area) {
  if (view_ == nullptr) {
    if (!area.visible || parent_ == nullptr) return;
    Make();
  }
  QWebEngineView* view = view_.data();
  if (view == nullptr) return;
  view->setGeometry(area.left, area.top, area.width, area.height);
  view->setVisible(area.visible);
}

void WebBrowserView::Navigate(const std::string& address) {
  QWebEngineView* view = view_.data();
  if (view == nullptr) {
    pending_ = address;
    return;
  }
  view->setUrl(QUrl::fromUserInput(PathToQt(address)));
}

void WebBrowserView::Back() {
  if (QWebEngineView* view = view_.data()) view->back();
}
void WebBrowserView::Forward() {
  if (QWebEngineView* view = view_.data()) view->forward();
}
void WebBrowserView::Reload() {
  if (QWebEngineView* view = view_.data()) view->reload();
}
void WebBrowserView::Stop() {
  if (QWebEngineView* view = view_.data()) view->stop();
}

}  // namespace varlo
