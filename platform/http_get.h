#pragma once
#include <cstddef>
#include <functional>
#include <string>

namespace varlo {

// The outcome of one HTTP GET.
struct HttpReply {
  bool ok = false;       // a whole reply arrived with a 2xx status
  int status = 0;        // the HTTP status, 0 when none arrived (no connection, time-out, reset)
  std::string body;      // the reply's bytes, at most the getter's cap
  std::string error;     // what went wrong, for people; empty when ok
  bool tooLong = false;  // failed because the reply was longer than the getter's cap
};

// What a getter allows a request: the defaults are the program's own.
struct HttpLimits {
  int connectMs = 5000;  // no answer at all (not even headers) by then: given up
  int wholeMs = 15000;   // no whole reply by then: given up
  std::size_t maxBytes = 64 * 1024;
  int maxRedirects = 5;
};

// Asynchronous HTTP GET requests, one at a time.
//
// Threading: every call happens on the GUI thread and returns at once; `done` runs later on
// the GUI thread, exactly once per request, never inside `Get` itself. Only "http" and
// "https" addresses are fetched; redirects are followed only to addresses no less safe.
// A request gives up when it has no connection within 5 s or no whole reply within 15 s,
// and a reply longer than the cap fails.
class HttpGetter {
 public:
  virtual ~HttpGetter() = default;
  // Starts fetching `url`; a request still running is cancelled first (its `done` never runs).
  virtual void Get(const std::string& url, std::function<void(const HttpReply&)> done) = 0;
  // Cancels the running request, if any; its `done` never runs.
  virtual void Cancel() = 0;
};

// No network: requests are never answered.
class NullHttpGetter final : public HttpGetter {
 public:
  void Get(const std::string&, std::function<void(const HttpReply&)>) override {}
  void Cancel() override {}
};

}  // namespace varlo
