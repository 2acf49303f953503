#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/embedded_media.h"
#include "platform/events.h"
#include "platform/launcher.h"
#include "platform/main_window.h"
#include "platform/pictures.h"
#include "platform/screen.h"

namespace varlo::testing {

struct FakeScreen : IScreen {
  int twipX = 15, twipY = 15;
  int width = 1024, height = 768;
  PixelRect workArea{0, 0, 1024, 740};
  int TwipsPerPixelX() const override { return twipX; }
  int TwipsPerPixelY() const override { return twipY; }
  int WidthPixels() const override { return width; }
  int HeightPixels() const override { return height; }
  PixelRect WorkArea() const override { return workArea; }
};

// Records every message and answers file dialogs from a queue (empty queue = cancel).
struct FakeDialogs : IDialogs {
  struct Message {
    std::string text;
    MsgButtons buttons;
    std::string caption;
  };
  std::vector<Message> messages;
  MsgResult answer = MsgResult::Yes;
  // Runs while a message box is up, as the window's events run during a modal box.
  std::function<void()> onMsgBox;
  std::vector<FileDialogRequest> fileRequests;
  std::vector<std::optional<std::string>> fileAnswers;
  std::vector<std::string> folderPrompts;
  std::optional<std::string> folderAnswer;

  MsgResult MsgBox(const std::string& text, MsgButtons buttons,
                   const std::string& caption) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> BrowseFolder(const std::string& prompt) override;
  std::vector<std::string> Texts() const;
};

// Pictures by path; a path that was never added loads as nothing. `loads` counts decodes.
struct FakePictureLoader : IPictureLoader {
  std::map<std::string, Picture> pictures;
  std::vector<std::string> loads;
  std::optional<Picture> Load(const std::string& path) override;
};

// Answers each read with what `media` holds for the path (nothing when absent), at once, or
// keeps the requests while `hold` is set until Deliver answers them in order.
struct FakeEmbeddedMediaReader : IEmbeddedMediaReader {
  std::map<std::string, EmbeddedMedia> media;
  bool hold = false;
  std::vector<std::string> reads;
  std::vector<std::pair<std::string, std::function<void(EmbeddedMedia)>>> pending;

  void Read(const std::string& path, std::function<void(EmbeddedMedia)> done) override {
    reads.push_back(path);
    if (hold) {
      pending.emplace_back(path, std::move(done));
    } else {
      done(Answer(path));
    }
  }
  void Deliver() {
    auto answering = std::move(pending);
    pending.clear();
    for (auto& [path, done] : answering) done(Answer(path));
  }
  EmbeddedMedia Answer(const std::string& path) const {
    const auto it = media.find(path);
    return it == media.end() ? EmbeddedMedia{} : it->second;
  }
};

struct FakeEvents : IEvents {
  int calls = 0;
  std::function<void()> during;
  void DoEvents() override {
    ++calls;
    if (during) during();
  }
};

struct FakeClock : IClock {
  LocalTime now;
  std::int64_t steady = 0;
  std::int64_t utc = 0;
  LocalTime Now() const override { return now; }
  std::int64_t SteadyMs() const override { return steady; }
  std::int64_t UtcSeconds() const override { return utc; }
};

struct FakeMainWindow : IMainWindow {
  int closes = 0;
  std::function<void()> onClose;
  void Close() override {
    ++closes;
    if (onClose) onClose();
  }
};

// Records the programs started; `refuse` makes every start fail.
struct FakeLauncher : ILauncher {
  struct Start {
    std::string program;
    std::vector<std::string> args;
  };
  std::vector<Start> starts;
  bool refuse = false;
  bool StartDetached(const std::string& program, const std::vector<std::string>& args) override {
    if (refuse) return false;
    starts.push_back({program, args});
    return true;
  }
};

}  // namespace varlo::testing
