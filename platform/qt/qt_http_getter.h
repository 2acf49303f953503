#pragma once
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstddef>
#include <functional>
#include <string>

#include "platform/http_get.h"

class QNetworkReply;

namespace varlo {

// HTTP GET requests through QNetworkAccessManager, on the GUI thread's event loop.
class QtHttpGetter final : public HttpGetter {
 public:
  using Limits = HttpLimits;

  explicit QtHttpGetter(Limits limits);
  QtHttpGetter() : QtHttpGetter(Limits{}) {}
  ~QtHttpGetter() override;
  QtHttpGetter(const QtHttpGetter&) = delete;
  QtHttpGetter& operator=(const QtHttpGetter&) = delete;

  void Get(const std::string& url, std::function<void(const HttpReply&)> done) override;
  void Cancel() override;

 private:
  // Ends the running request with `reply`'s outcome, or as failed with `error` when set.
  void Finish(const std::string& error);
  void Drop();

  Limits limits_;
  QObject context_;  // receiver of every connection, so none outlives the getter
  QNetworkAccessManager manager_;
  QPointer<QNetworkReply> reply_;
  QTimer connectTimer_;
  QTimer wholeTimer_;
  QByteArray body_;
  std::function<void(const HttpReply&)> done_;
};

}  // namespace varlo
