#include "ui/tray_view.h"

#include "platform/qt/path_text.h"
#include "ui/app_icon.h"
#include "ui/plain_text.h"

namespace varlo {

TrayView::TrayView() = default;
TrayView::~TrayView() = default;

bool TrayView::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayView::Add(const std::string& tip) {
  icon_ = std::make_unique<QSystemTrayIcon>(VarloIcon());
  context_ = std::make_unique<QMenu>();
  // The items follow the program's state each time the menu opens.
  connect(context_.get(), &QMenu::aboutToShow, this, [this] {
    if (listener_) Fill(*context_, listener_->CurrentMenu());
  });
  if (listener_) Fill(*context_, listener_->CurrentMenu());
  icon_->setContextMenu(context_.get());
  connect(icon_.get(), &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if ((reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) &&
                listener_)
              listener_->IconActivated();
          });
  SetTip(tip);
  icon_->show();
}

void TrayView::Remove() {
  if (icon_) icon_->hide();
  icon_.reset();
  context_.reset();
}

void TrayView::SetTip(const std::string& tip) {
  // Hosts of StatusNotifierItems show the tip as plain text, so it goes without markup.
  if (icon_) icon_->setToolTip(PlainTrayTip(PathToQt(tip)));
}

void TrayView::PopUp(const TrayMenu& menu, int x, int y) {
  if (!popup_) popup_ = std::make_unique<QMenu>();
  Fill(*popup_, menu);
  popup_->popup(QPoint(x, y));  // returns at once; the choice arrives through the action
}

void TrayView::Fill(QMenu& target, const TrayMenu& items) {
  // clear() drops the submenus' entries but not the submenus, which the menu owns: they go
  // first, or every opening would leave a set of them behind.
  for (QMenu* sub : target.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) delete sub;
  target.clear();
  for (const TrayMenuItem& item : items) {
    if (!item.items.empty()) {
      QMenu* sub = target.addMenu(QString::fromStdString(item.caption));
      sub->setEnabled(item.enabled);
      Fill(*sub, item.items);
      continue;
    }
    QAction* action = target.addAction(QString::fromStdString(item.caption));
    action->setEnabled(item.enabled);
    action->setCheckable(item.checkable);
    action->setChecked(item.checked);
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] {
      if (listener_) listener_->MenuChosen(id);
    });
  }
}

}  // namespace varlo
