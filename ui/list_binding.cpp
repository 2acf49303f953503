#include "ui/list_binding.h"

#include <QSignalBlocker>

#include "platform/qt/path_text.h"

namespace varlo {
namespace {

// The list area whose events a form list's widget reports.
ListArea AreaOf(FormList list) {
  switch (list) {
    case FormList::Lyrics:
      return ListArea::Lyrics;
    case FormList::CvtList:
      return ListArea::CvtList;
    case FormList::FmPreset:
      return ListArea::FmPreset;
    case FormList::WrList:
    case FormList::UrlHistory:  // shown by the address box, not a list widget
      return ListArea::WrList;
  }
  return ListArea::Lyrics;
}

}  // namespace

ListBinding::ListBinding(FrmTarnix& frm, FormList list, QListWidget* widget, QObject* parent)
    : QObject(parent), frm_(frm), list_(list), area_(AreaOf(list)), widget_(widget) {
  ListBox& box = frm_.Access().List(list_);
  box.onChanged = [this] { Fill(); };
  box.onSelected = [this] { Select(); };
  // Moving the selection with the keys is a click on the row it lands on; the form's own
  // selections are made with the signals blocked.
  connect(widget_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) frm_.List_Event(area_, ListAction::Click, row);
  });
  connect(widget_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    frm_.List_Event(area_, ListAction::Click, widget_->row(item));
  });
  connect(widget_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    frm_.List_Event(area_, ListAction::DoubleClick, widget_->row(item));
  });
  Fill();
}

void ListBinding::Fill() {
  const QSignalBlocker block(widget_);
  widget_->setUpdatesEnabled(false);
  widget_->clear();
  // Rows come from files of any origin: shown as the text they are.
  for (const std::string& row : frm_.Access().List(list_).rows) widget_->addItem(PathToQt(row));
  widget_->scrollToTop();
  widget_->setUpdatesEnabled(true);
  Select();
}

void ListBinding::Select() {
  const QSignalBlocker block(widget_);
  const int row = frm_.Access().List(list_).selected;
  if (row >= 0 && row < widget_->count()) {
    widget_->setCurrentRow(row);
  } else {
    widget_->clearSelection();
    widget_->setCurrentRow(-1);
  }
}

}  // namespace varlo
