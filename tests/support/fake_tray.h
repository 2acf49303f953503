#pragma once
#include <string>
#include <vector>

#include "platform/serial_port.h"
#include "platform/tray_icon.h"

namespace varlo::testing {

// A notification area that records the icon, its tip and the menus popped up.
struct FakeTray final : ITrayIcon {
  bool available = true;
  bool shown = false;
  std::string tip;
  TrayListener* listener = nullptr;
  struct Popup {
    TrayMenu menu;
    int x, y;
  };
  std::vector<Popup> popups;

  bool Available() override { return available; }
  void Listen(TrayListener& l) override { listener = &l; }
  void Add(const std::string& t) override {
    shown = true;
    tip = t;
  }
  void Remove() override { shown = false; }
  void SetTip(const std::string& t) override { tip = t; }
  void PopUp(const TrayMenu& menu, int x, int y) override { popups.push_back({menu, x, y}); }
};

// A serial port that keeps what is written; `openFails` and `writeFails` make it fail.
struct FakeSerialPort final : ISerialPort {
  bool open = false;
  bool openFails = false;
  bool writeFails = false;
  std::vector<std::string> opened;  // the devices, in order
  SerialLine line;
  std::string written;
  int closes = 0;

  bool Open(const std::string& device, const SerialLine& l) override {
    opened.push_back(device);
    line = l;
    open = !openFails;
    return open;
  }
  bool Write(std::string_view bytes) override {
    if (!open || writeFails) return false;
    written += bytes;
    return true;
  }
  void Close() override {
    open = false;
    ++closes;
  }
  bool IsOpen() const override { return open; }
};

}  // namespace varlo::testing
