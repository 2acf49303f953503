#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cd/cd_drive.h"
#include "platform/http_get.h"

namespace varlo::testing {

// A drive whose state the test sets and whose reads wait until the test answers them.
struct FakeDrive final : CdDrive {
  DriveState state = DriveState::Ready;
  std::vector<std::function<void(std::optional<DiscToc>)>> pendingReads;
  int reads = 0;
  int ejects = 0;

  DriveState State() const override { return state; }
  void ReadDisc(std::function<void(std::optional<DiscToc>)> done) override {
    ++reads;
    pendingReads.push_back(std::move(done));
  }
  void Eject() override {
    ++ejects;
    state = DriveState::TrayOpen;
  }
  std::string StreamAddress() const override { return "cd-test://disc"; }
  // Answers the reads asked so far with `toc`.
  void Answer(std::optional<DiscToc> toc) {
    auto waiting = std::move(pendingReads);
    pendingReads.clear();
    for (auto& done : waiting) done(toc);
  }
};

// HTTP requests recorded; the test answers the last one.
struct FakeHttp final : HttpGetter {
  std::vector<std::string> urls;
  std::function<void(const HttpReply&)> pending;
  int cancels = 0;

  void Get(const std::string& url, std::function<void(const HttpReply&)> done) override {
    urls.push_back(url);
    pending = std::move(done);
  }
  void Cancel() override {
    ++cancels;
    pending = nullptr;
  }
  // Answers the running request with a whole reply of status 200 and `body`.
  void Reply(const std::string& body) {
    auto done = std::move(pending);
    pending = nullptr;
    if (done) done(HttpReply{true, 200, body, {}});
  }
  void Fail(int status, bool tooLong = false) {
    auto done = std::move(pending);
    pending = nullptr;
    if (done) done(HttpReply{false, status, {}, "failed", tooLong});
  }
};

}  // namespace varlo::testing
