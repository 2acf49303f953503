#include "platform/qt/lazy_http_getter.h"

#include <QTimer>
#include <utility>

namespace varlo {

LazyHttpGetter::LazyHttpGetter(HttpLimits limits, std::string plugin)
    : limits_(limits),
      http_(plugin.empty() ? kVarloHttpPlugin : std::move(plugin), kVarloMakeHttpGetter,
            "the network") {}

void LazyHttpGetter::Get(const std::string& url, std::function<void(const HttpReply&)> done) {
  if (HttpGetter* http = http_.Get<VarloMakeHttpGetter>(limits_)) {
    http->Get(url, std::move(done));
    return;
  }
  unanswered_ = std::move(done);
  QTimer::singleShot(0, &context_, [this] {
    if (const auto answer = std::exchange(unanswered_, nullptr)) {
      HttpReply reply;
      reply.error = "the network is not available";
      answer(reply);
    }
  });
}

void LazyHttpGetter::Cancel() {
  unanswered_ = nullptr;
  if (HttpGetter* http = http_.Made()) http->Cancel();
}

}  // namespace varlo
