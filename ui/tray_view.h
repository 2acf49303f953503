#pragma once
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

#include "platform/tray_icon.h"

namespace varlo {

// The tray icon through QSystemTrayIcon (a StatusNotifierItem or an XEmbed icon, whichever the
// desktop offers), with the program's menu as its context menu and as the popup menu of the
// main window.
class TrayView final : public QObject, public ITrayIcon {
 public:
  TrayView();
  ~TrayView() override;

  bool Available() override;
  void Listen(TrayListener& listener) override { listener_ = &listener; }
  void Add(const std::string& tip) override;
  void Remove() override;
  void SetTip(const std::string& tip) override;
  void PopUp(const TrayMenu& menu, int x, int y) override;

  // The menu last built, for tests.
  QMenu* PopupMenu() const { return popup_.get(); }
  QSystemTrayIcon* Icon() const { return icon_.get(); }

 private:
  void Fill(QMenu& target, const TrayMenu& items);

  TrayListener* listener_ = nullptr;
  std::unique_ptr<QSystemTrayIcon> icon_;
  std::unique_ptr<QMenu> context_;
  std::unique_ptr<QMenu> popup_;
};

}  // namespace varlo
