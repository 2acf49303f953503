#include "ui/cover_lyric_binding.h"

#include <QEvent>
#include <QPixmap>

#include "platform/qt/path_text.h"
#include "platform/qt/qt_picture_loader.h"
#include "ui/plain_text.h"

namespace varlo {

QPixmap CoverPixmap(const std::string& picture, const std::shared_ptr<const Picture>& image) {
  if (image) return QPixmap::fromImage(ImageOverPicture(*image));
  return QPixmap::fromImage(ReadImageFile(picture));
}

CoverLyricBinding::CoverLyricBinding(FrmTarnix& frm, AreaViews& areas, QObject* parent)
    : QObject(parent), frm_(frm), areas_(areas) {
  frm_.Player().Media().Covers().onChanged = [this] { ApplyCover(); };
  areas_.Cover()->installEventFilter(this);
}

void CoverLyricBinding::ApplyCover() {
  const CoverPictures& covers = frm_.Player().Media().Covers();
  QLabel* label = areas_.Cover();
  if (covers.picture != shownCover_ || covers.image != shownImage_) {
    shownCover_ = covers.picture;
    shownImage_ = covers.image;
    label->setPixmap(CoverPixmap(covers.picture, covers.image));
  }
  if (!covers.tip.empty()) label->setToolTip(PlainToolTip(PathToQt(covers.tip)));
}

bool CoverLyricBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched == areas_.Cover() && event->type() == QEvent::MouseButtonDblClick) {
    frm_.iCover_DblClick();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace varlo
