#include "platform/qt/qt_http_getter.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <utility>

namespace varlo {
namespace {

constexpr const char* kTooLong = "the reply is too long";

bool Fetchable(const QUrl& url) {
  return url.isValid() && (url.scheme() == "http" || url.scheme() == "https") &&
         !url.host().isEmpty();
}

}  // namespace

QtHttpGetter::QtHttpGetter(Limits limits) : limits_(limits) {
  connectTimer_.setSingleShot(true);
  wholeTimer_.setSingleShot(true);
  QObject::connect(&connectTimer_, &QTimer::timeout, &context_,
                   [this] { Finish("no answer from the server"); });
  QObject::connect(&wholeTimer_, &QTimer::timeout, &context_,
                   [this] { Finish("the reply took too long"); });
}

QtHttpGetter::~QtHttpGetter() {
  Drop();
}

void QtHttpGetter::Drop() {
  connectTimer_.stop();
  wholeTimer_.stop();
  done_ = nullptr;
  body_.clear();
  QNetworkReply* reply = reply_.data();
  reply_ = nullptr;
  if (reply != nullptr) {
    QObject::disconnect(reply, nullptr, &context_, nullptr);
    reply->abort();
    reply->deleteLater();
  }
}

void QtHttpGetter::Cancel() {
  Drop();
}

void QtHttpGetter::Get(const std::string& url, std::function<void(const HttpReply&)> done) {
  Drop();
  done_ = std::move(done);
  const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
  if (!Fetchable(address)) {
    // Answered from the event loop, never inside Get.
    QTimer::singleShot(0, &context_, [this] {
      if (!reply_ && done_) Finish("only http and https addresses are fetched");
    });
    return;
  }
  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::UserVerifiedRedirectPolicy);
  request.setMaximumRedirectsAllowed(limits_.maxRedirects);
  request.setHeader(QNetworkRequest::UserAgentHeader, "Varlo/0.1");
  QNetworkReply* reply = manager_.get(request);
  reply_ = reply;

  QObject::connect(reply, &QNetworkReply::redirected, &context_, [this, reply](const QUrl& to) {
    // Only http and https, and never from https down to http.
    const bool safe = Fetchable(to) && !(reply->url().scheme() == "https" && to.scheme() == "http");
    if (safe) {
      emit reply->redirectAllowed();
    } else {
      Finish("redirect refused");
    }
  });
  QObject::connect(reply, &QNetworkReply::metaDataChanged, &context_,
                   [this] { connectTimer_.stop(); });
  QObject::connect(reply, &QNetworkReply::readyRead, &context_, [this, reply] {
    connectTimer_.stop();
    body_ += reply->read(static_cast<qint64>(limits_.maxBytes) + 1 - body_.size());
    if (static_cast<std::size_t>(body_.size()) > limits_.maxBytes) Finish(kTooLong);
  });
  QObject::connect(reply, &QNetworkReply::finished, &context_, [this] { Finish({}); });
  connectTimer_.start(limits_.connectMs);
  wholeTimer_.start(limits_.wholeMs);
}

void QtHttpGetter::Finish(const std::string& error) {
  HttpReply result;
  if (reply_) {
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.status = status.isValid() ? status.toInt() : 0;
    if (error.empty()) {
      body_ += reply_->read(static_cast<qint64>(limits_.maxBytes) + 1 - body_.size());
      if (static_cast<std::size_t>(body_.size()) > limits_.maxBytes) {
        result.error = kTooLong;
      } else if (reply_->error() != QNetworkReply::NoError) {
        result.error = reply_->errorString().toStdString();
      }
    } else {
      result.error = error;
    }
  } else {
    result.error = error.empty() ? "no request" : error;
  }
  result.tooLong = result.error == kTooLong;
  result.ok = result.error.empty() && result.status >= 200 && result.status < 300;
  if (result.ok) {
    result.body = body_.toStdString();
  } else if (result.error.empty()) {
    result.error = "HTTP status " + std::to_string(result.status);
  }
  auto done = std::move(done_);
  Drop();
  if (done) done(result);
}

}  // namespace varlo
