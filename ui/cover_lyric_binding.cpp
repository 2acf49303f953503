#include "ui/cover_lyric_binding.h"

#include <QEvent>
#include <QPixmap>
#include <QSignalBlocker>

#include "platform/qt/path_text.h"
#include "platform/qt/qt_picture_loader.h"
#include "ui/plain_text.h"

namespace varlo {

CoverLyricBinding::CoverLyricBinding(FrmTarnix& frm, AreaViews& areas, QObject* parent)
    : QObject(parent), frm_(frm), areas_(areas) {
  frm_.Player().Media().Covers().onChanged = [this] { ApplyCover(); };
  ListBox& lyrics = frm_.Access().List(FormList::Lyrics);
  lyrics.onChanged = [this] { FillLyrics(); };
  lyrics.onSelected = [this] { SelectLyric(); };
  connect(areas_.Lyrics(), &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    frm_.List_Event(ListArea::Lyrics, ListAction::DoubleClick, areas_.Lyrics()->row(item));
  });
  areas_.Cover()->installEventFilter(this);
}

void CoverLyricBinding::ApplyCover() {
  const CoverPictures& covers = frm_.Player().Media().Covers();
  QLabel* label = areas_.Cover();
  if (covers.picture != shownCover_) {
    shownCover_ = covers.picture;
    label->setPixmap(QPixmap::fromImage(ReadImageFile(covers.picture)));
  }
  if (!covers.tip.empty()) label->setToolTip(PlainToolTip(PathToQt(covers.tip)));
}

void CoverLyricBinding::FillLyrics() {
  QListWidget* list = areas_.Lyrics();
  const QSignalBlocker block(list);
  list->setUpdatesEnabled(false);
  list->clear();
  for (const std::string& line : frm_.Access().List(FormList::Lyrics).rows)
    list->addItem(QString::fromStdString(line));
  list->scrollToTop();
  list->setUpdatesEnabled(true);
}

void CoverLyricBinding::SelectLyric() {
  QListWidget* list = areas_.Lyrics();
  const QSignalBlocker block(list);
  const int row = frm_.Access().List(FormList::Lyrics).selected;
  if (row >= 0 && row < list->count()) {
    list->setCurrentRow(row);
  } else {
    list->clearSelection();
    list->setCurrentRow(-1);
  }
}

bool CoverLyricBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched == areas_.Cover() && event->type() == QEvent::MouseButtonDblClick) {
    frm_.iCover_DblClick();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace varlo
