// The browser plugin: a QWebEngineView with a persistent profile whose pages' new windows
// open in the view itself.
#include "ui/web_engine_area.h"

#include <QDir>
#include <QPointer>
#include <QStandardPaths>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "platform/qt/path_text.h"

namespace varlo {
namespace {

// Chromium's code for a load given up (stopped, or replaced by a newer one).
constexpr int kAbortedError = -3;

LoadEnd EndOf(const QWebEngineLoadingInfo& info) {
  switch (info.status()) {
    case QWebEngineLoadingInfo::LoadSucceededStatus:
      return info.isErrorPage() ? LoadEnd::Failed : LoadEnd::Loaded;
    case QWebEngineLoadingInfo::LoadFailedStatus:
      return info.errorCode() == kAbortedError ? LoadEnd::Stopped : LoadEnd::Failed;
    default:
      return LoadEnd::Stopped;
  }
}

// A view whose pages' new windows (links with a target, window.open) open in the view itself.
class SameWindowView final : public QWebEngineView {
 public:
  using QWebEngineView::QWebEngineView;

 protected:
  QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

class Area final : public WebEngineArea {
 public:
  Area(QWidget* parent, WebViewListener* listener) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    profile_ = new QWebEngineProfile(QStringLiteral("browser"));
    profile_->setPersistentStoragePath(QDir(data).filePath(QStringLiteral("browser")));
    profile_->setCachePath(QDir(data).filePath(QStringLiteral("browser-cache")));
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    auto* view = new SameWindowView(parent);
    view_ = view;
    view->setPage(new QWebEnginePage(profile_, view));
    QObject::connect(view, &QWebEngineView::loadStarted, view,
                     [listener] { listener->LoadStarted(); });
    // The loading state tells a stopped or replaced load from one that failed, which the bare
    // end of a load does not.
    QObject::connect(view->page(), &QWebEnginePage::loadingChanged, view,
                     [listener, view](const QWebEngineLoadingInfo& info) {
                       if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) return;
                       const LoadEnd end = EndOf(info);
                       // A load given up for a newer one: the newer one's end is the end.
                       if (end == LoadEnd::Stopped && view->page()->isLoading()) return;
                       listener->LoadFinished(end, PathFromQt(view->url().toString()),
                                              PathFromQt(view->title()));
                     });
    QObject::connect(view->page(), &QWebEnginePage::linkHovered, view,
                     [listener](const QString& url) { listener->StatusText(PathFromQt(url)); });
  }
  ~Area() override {
    // The page goes before its profile; the window may have deleted the view already.
    delete view_.data();
    delete profile_;
  }

  QWidget* Widget() override { return view_.data(); }
  void Navigate(const QUrl& url) override {
    if (QWebEngineView* v = view_.data()) v->setUrl(url);
  }
  void Back() override {
    if (QWebEngineView* v = view_.data()) v->back();
  }
  void Forward() override {
    if (QWebEngineView* v = view_.data()) v->forward();
  }
  void Reload() override {
    if (QWebEngineView* v = view_.data()) v->reload();
  }
  void Stop() override {
    if (QWebEngineView* v = view_.data()) v->stop();
  }

 private:
  QWebEngineProfile* profile_ = nullptr;
  QPointer<QWebEngineView> view_;
};

}  // namespace
}  // namespace varlo

extern "C" __attribute__((visibility("default"))) varlo::WebEngineArea* varlo_make_web_engine_area(
    QWidget* parent, varlo::WebViewListener* listener) {
  return new varlo::Area(parent, listener);
}
