#pragma once
#include <string>

namespace varlo {

// How a page load ended.
enum class LoadEnd {
  Loaded,
  Stopped,  // by the user, or given up for a newer load
  Failed,   // the page could not be loaded: the view shows its own error page
};

// What the browser area reports while it loads pages. Calls arrive on the GUI thread.
class WebViewListener {
 public:
  virtual ~WebViewListener() = default;
  virtual void LoadStarted() = 0;
  // A load ended. `address` and `title` are the page's own.
  virtual void LoadFinished(LoadEnd end, const std::string& address, const std::string& title) = 0;
  // The text the page puts in the status line (a link under the pointer, for one).
  virtual void StatusText(const std::string& text) = 0;
};

// The web browser of the browser mode's skin area. Calls made before the area first shows
// are kept and carried out when it does.
class IWebView {
 public:
  virtual ~IWebView() = default;
  virtual void SetListener(WebViewListener* listener) = 0;
  // Opens `address` as typed (a scheme may be missing).
  virtual void Navigate(const std::string& address) = 0;
  // Opens the local file at `path`, whatever characters its name holds.
  virtual void OpenFile(const std::string& path) = 0;
  virtual void Back() = 0;
  virtual void Forward() = 0;
  virtual void Reload() = 0;
  virtual void Stop() = 0;
};

// Hands an address to the desktop's own handler (mail program, default browser), never
// through a shell.
class ILinkOpener {
 public:
  virtual ~ILinkOpener() = default;
  virtual bool Open(const std::string& address) = 0;
};

class NullWebView final : public IWebView {
 public:
  void SetListener(WebViewListener*) override {}
  void Navigate(const std::string&) override {}
  void OpenFile(const std::string&) override {}
  void Back() override {}
  void Forward() override {}
  void Reload() override {}
  void Stop() override {}
};

class NullLinkOpener final : public ILinkOpener {
 public:
  bool Open(const std::string&) override { return false; }
};

}  // namespace varlo
