#pragma once
#include <string>
#include <vector>

#include "platform/stream_player.h"
#include "platform/web_view.h"

namespace varlo::testing {

// A stream player whose status the test sets, recording what it was asked.
struct FakeStreamPlayer final : IStreamPlayer {
  StreamStatus status;
  std::vector<std::string> played;
  int stops = 0;
  void Play(const std::string& address) override {
    played.push_back(address);
    status.state = StreamState::Opening;
  }
  void Stop() override {
    ++stops;
    status.state = StreamState::Idle;
  }
  StreamStatus Status() const override { return status; }
};

// A web view recording every call; the test plays the view's events through `listener`.
struct FakeWebView final : IWebView {
  WebViewListener* listener = nullptr;
  // "go <address>", "file <path>", "back", "forward", "reload", "stop"
  std::vector<std::string> calls;
  void SetListener(WebViewListener* l) override { listener = l; }
  void Navigate(const std::string& address) override { calls.push_back("go " + address); }
  void OpenFile(const std::string& path) override { calls.push_back("file " + path); }
  void Back() override { calls.push_back("back"); }
  void Forward() override { calls.push_back("forward"); }
  void Reload() override { calls.push_back("reload"); }
  void Stop() override { calls.push_back("stop"); }
};

struct FakeLinkOpener final : ILinkOpener {
  std::vector<std::string> opened;
  bool Open(const std::string& address) override {
    opened.push_back(address);
    return true;
  }
};

}  // namespace varlo::testing
