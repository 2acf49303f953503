#pragma once
#include <QPointer>
#include <QWebEngineView>
#include <QWidget>
#include <optional>
#include <string>

#include "platform/web_view.h"
#include "skin/widgets.h"
class QWebEngineProfile;

namespace varlo {

// The browser mode's web view: a QWebEngineView in the skin's browser area, made the first
// time a skin shows that area, so that the program pays for the web engine only once the
// browser is used. It keeps its pages' cookies and cache in a profile of its own under the
// user's data folder; pages that ask for a new window open in the same view. What the mode
// asks before the view exists (the first address) is done when it is made.
class WebBrowserView final : public IWebView {
 public:
  WebBrowserView() = default;
  ~WebBrowserView() override;

  // The window the area lies in; set before the first Sync.
  void SetParent(QWidget* parent) { parent_ = parent; }
  // Places and shows the view as the skin's browser area says, making it on first show.
  void Sync(const SkinWidget& area);
  // The view, null until made.
  QWebEngineView* View() const { return view_.data(); }

  void SetListener(WebViewListener* listener) override { listener_ = listener; }
  void Navigate(const std::string& address) override;
  void Back() override;
  void Forward() override;
  void Reload() override;
  void Stop() override;

 private:
  void Make();

  QPointer<QWidget> parent_;
  QWebEngineProfile* profile_ = nullptr;
  QPointer<QWebEngineView> view_;  // a child of the main window, which may delete it first
  WebViewListener* listener_ = nullptr;
  std::optional<std::string> pending_;
};

// Before the application object exists: Qt WebEngine cannot start its sandbox as root, so for
// root only the sandbox is turned off (and that is said on standard error).
void PrepareWebEngine();

}  // namespace varlo
