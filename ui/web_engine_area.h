#pragma once
#include <QUrl>
#include <QWidget>

#include "platform/web_view.h"

namespace varlo {

// The web engine's view as the browser plugin makes it. The plugin (libvarlo_browser.so) is
// the only part of the program linked against Qt WebEngine, so that the engine's libraries are
// loaded only when the browser is first shown.
class WebEngineArea {
 public:
  virtual ~WebEngineArea() = default;
  // The view, a child of the window it was made for.
  virtual QWidget* Widget() = 0;
  virtual void Navigate(const QUrl& url) = 0;
  virtual void Back() = 0;
  virtual void Forward() = 0;
  virtual void Reload() = 0;
  virtual void Stop() = 0;
};

}  // namespace varlo

// The plugin's one export: a web view in `parent` reporting to `listener` (which outlives it),
// with a persistent profile in the user's data folder.
using VarloMakeWebEngineArea = varlo::WebEngineArea* (*)(QWidget* parent,
                                                         varlo::WebViewListener* listener);
inline constexpr const char* kVarloBrowserPlugin = "libvarlo_browser.so";
inline constexpr const char* kVarloMakeWebEngineArea = "varlo_make_web_engine_area";
