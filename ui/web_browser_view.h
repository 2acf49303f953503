#pragma once
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "platform/web_view.h"
#include "skin/widgets.h"
#include "ui/web_engine_area.h"

namespace varlo {

// The browser mode's web view in the skin's browser area. The web engine is loaded (from the
// browser plugin) and its view made the first time a skin shows that area, so that the
// program pays for the engine's memory and start-up only once the browser is used. What the
// mode asks before (the first address) is done when the view is made. Without the plugin the
// area stays empty and a line on standard error says why.
class WebBrowserView final : public IWebView, private WebViewListener {
 public:
  // `plugin` is the browser plugin's path; empty for the one in the program's plugin folder.
  explicit WebBrowserView(std::string plugin = {});
  ~WebBrowserView() override;

  // The window the area lies in; set before the first Sync.
  void SetParent(QWidget* parent) { parent_ = parent; }
  // Places and shows the view as the skin's browser area says, making it on first show.
  void Sync(const SkinWidget& area);
  // The view, null until made.
  QWidget* View() const { return area_ ? area_->Widget() : nullptr; }

  void SetListener(WebViewListener* listener) override { listener_ = listener; }
  void Navigate(const std::string& address) override;
  void OpenFile(const std::string& path) override;
  void Back() override;
  void Forward() override;
  void Reload() override;
  void Stop() override;

 private:
  // WebViewListener, passed on to the mode's listener.
  void LoadStarted() override;
  void LoadFinished(LoadEnd end, const std::string& address, const std::string& title) override;
  void StatusText(const std::string& text) override;
  void Make();
  void Open(const QUrl& url);

  std::string plugin_;
  QPointer<QWidget> parent_;
  std::unique_ptr<WebEngineArea> area_;
  bool failed_ = false;  // no plugin or no OpenGL context: not tried again
  WebViewListener* listener_ = nullptr;
  std::optional<QUrl> pending_;
};

// Before the application object exists: Qt WebEngine cannot start its sandbox as root, so for
// root only the sandbox is turned off (and that is said on standard error).
void PrepareWebEngine();

}  // namespace varlo
