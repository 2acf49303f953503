#include "ui/frm_album_view.h"

#include <QEvent>
#include <QPixmap>
#include <algorithm>

#include "common/paths.h"
#include "platform/qt/path_text.h"
#include "ui/cover_lyric_binding.h"
#include "ui/plain_text.h"

namespace varlo {

FrmAlbumView::FrmAlbumView(PlayerMode& player) : QWidget(nullptr, Qt::Window), player_(player) {
  // A side window never keeps the program running once the main window has closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(QStringLiteral("Now Playing"));
  setStyleSheet(QStringLiteral("background: black"));
  cover_ = new QLabel(this);
  cover_->setScaledContents(true);
  ShowAsPlainText(cover_);
  cover_->installEventFilter(this);
  resize(300, 300);
}

void FrmAlbumView::Show(const std::string& picture, const std::shared_ptr<const Picture>& image,
                        const std::string& tip) {
  cover_->setPixmap(CoverPixmap(picture, image));
  cover_->setToolTip(PlainToolTip(PathToQt(tip)));
}

void FrmAlbumView::Sync() {
  const CoverPictures& covers = player_.Media().Covers();
  Show(covers.albumPicture, covers.albumImage, covers.albumTip);
}

void FrmAlbumView::showEvent(QShowEvent* event) {
  // Opening the window shows the cover the main window shows, when its file is still there.
  const std::string& last = player_.State().coverPath;
  const CoverPictures& covers = player_.Media().Covers();
  if (FileExists(last)) Show(last, last == covers.picture ? covers.image : nullptr, covers.tip);
  PlaceCover();
  QWidget::showEvent(event);
}

void FrmAlbumView::resizeEvent(QResizeEvent* event) {
  PlaceCover();
  QWidget::resizeEvent(event);
}

void FrmAlbumView::PlaceCover() {
  const QRect inner = contentsRect();
  const int side = std::min(inner.width(), inner.height());
  cover_->setGeometry(inner.left() + (inner.width() - side) / 2,
                      inner.top() + (inner.height() - side) / 2, side, side);
}

bool FrmAlbumView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cover_ && event->type() == QEvent::MouseButtonDblClick) {
    const CoverPictures& covers = player_.Media().Covers();
    Show(covers.picture, covers.image, covers.tip);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace varlo
