// The browser plugin: a QWebEngineView with a persistent profile whose pages' new windows
// open in the view itself.
#include "ui/web_engine_area.h"

#include <QDir>
#include <QPointer>
#include <QStandardPaths>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

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
    QObject::connect(view, &QWebEngineView::loadFinished, view, [listener, view](bool ok) {
      listener->LoadFinished(ok, PathFromQt(view->url().toString()), PathFromQt(view->title()));
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
  void Navigate(const std::string& address) override {
    if (QWebEngineView* v = view_.data()) v->setUrl(QUrl::fromUserInput(PathToQt(address)));
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
