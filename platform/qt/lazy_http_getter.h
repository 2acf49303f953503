#pragma once
#include <QObject>
#include <functional>
#include <string>

#include "platform/backend_plugin.h"
#include "platform/http_get.h"

// The HTTP plugin's one export: a getter with the given limits, which the caller owns.
using VarloMakeHttpGetter = varlo::HttpGetter* (*)(const varlo::HttpLimits&);
inline constexpr const char* kVarloHttpPlugin = "libvarlo_http.so";
inline constexpr const char* kVarloMakeHttpGetter = "varlo_make_http_getter";

namespace varlo {

// The HTTP getter of the HTTP plugin (Qt Network), loaded at the first request. Without the
// plugin every request fails, answered later on the GUI thread as the contract says.
class LazyHttpGetter final : public HttpGetter {
 public:
  // `plugin` is the plugin's path, empty for the one in the program's plugin folder.
  explicit LazyHttpGetter(HttpLimits limits = {}, std::string plugin = {});

  void Get(const std::string& url, std::function<void(const HttpReply&)> done) override;
  void Cancel() override;

 private:
  HttpLimits limits_;
  PluginBackend<HttpGetter> http_;
  QObject context_;  // receiver of the failure answers, so none outlives the getter
  std::function<void(const HttpReply&)> unanswered_;
};

}  // namespace varlo
