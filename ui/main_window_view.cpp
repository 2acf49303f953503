#include "ui/main_window_view.h"

#include <QCloseEvent>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPainter>
#include <QToolTip>

#include "platform/qt/qt_picture_loader.h"
#include "ui/region_mask.h"
#include "ui/skin_painter.h"

namespace varlo {

MainWindowView::MainWindowView(FrmTarnix& frm)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), frm_(frm), areas_(this) {
  setWindowTitle(QStringLiteral("Varlo"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // The window's own keys are off while one of its text entries has the focus.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    const bool entry = now && isAncestorOf(now) &&
                       (qobject_cast<QLineEdit*>(now) || qobject_cast<QPlainTextEdit*>(now) ||
                        qobject_cast<QComboBox*>(now));
    frm_.SetInFlag(entry);
  });
}

namespace {
int ButtonNumber(Qt::MouseButton b) {
  return b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : 0;
}
int HeldButtons(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
         (b & Qt::MiddleButton ? 4 : 0);
}
}  // namespace

void MainWindowView::mousePressEvent(QMouseEvent* event) {
  setFocus();
  const QPoint p = event->position().toPoint();
  frm_.Form_MouseDown(ButtonNumber(event->button()), p.x(), p.y());
}

void MainWindowView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  frm_.Form_MouseMove(HeldButtons(event->buttons()), p.x(), p.y());
}

void MainWindowView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  frm_.Form_MouseUp(ButtonNumber(event->button()), p.x(), p.y());
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
  int key = 0;
  if (event->key() == Qt::Key_Escape) key = 27;
  else if (!event->text().isEmpty()) key = event->text().at(0).unicode();
  if (key > 0 && key < 256 && frm_.Form_KeyPress(key)) event->accept();
  else QWidget::keyPressEvent(event);
}

void MainWindowView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) frm_.Form_Activate();
  QWidget::changeEvent(event);
}

QRect MainWindowView::PixelGeometry() const {
  const WindowState& w = frm_.Form().window;
  const int tx = std::max(1, frm_.TwipX()), ty = std::max(1, frm_.TwipY());
  return QRect(w.left / tx, w.top / ty, std::max(1, w.width / tx), std::max(1, w.height / ty));
}

void MainWindowView::OnFormChanged(unsigned changes) {
  const SkinForm& form = frm_.Form();
  if (changes & kChangePictures) {
    picture_ = ImageFromPicture(form.window.picture);
    resBitmap_ = ImageFromPicture(form.window.resBitmap);
  }
  if (changes & kChangeGeometry) setGeometry(PixelGeometry());
  if (changes & kChangeRegion) {
    const QRegion mask = RegionMask(form.window.region);
    if (form.window.region.kind == WindowRegion::Kind::None) clearMask();
    else setMask(mask);
  }
  if (changes & kChangeWindowState) {
    setWindowFlag(Qt::WindowStaysOnTopHint, form.window.onTop);
    if (form.window.minimised && isVisible() && !isMinimized()) showMinimized();
    // Hidden windows come back from the tray icon; until the program has one, a hidden
    // window is minimised so that it can still be reached.
    if (!form.window.shown && isVisible() && !isMinimized()) showMinimized();
  }
  if (changes & kChangeWidgets) areas_.Sync(form);
  update();
}

void MainWindowView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.setClipRegion(event->region());
  const SkinForm& form = frm_.Form();
  p.fillRect(rect(), ToQColor(form.window.backColour));
  if (!picture_.isNull()) p.drawImage(0, 0, picture_);
  SkinPainter(form, resBitmap_).Paint(p);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
  frm_.Form_Unload();
  event->accept();
}

const SkinWidget* MainWindowView::WidgetAt(int x, int y) const {
  const SkinForm& f = frm_.Form();
  if (f.tmpBtn.Contains(x, y)) return &f.tmpBtn;
  for (std::size_t i = 1; i < f.btn.size(); ++i)
    if (f.btn[i].Contains(x, y)) return &f.btn[i];
  for (std::size_t i = 1; i < f.slider.size(); ++i)
    if (f.slider[i].Contains(x, y)) return &f.slider[i];
  for (std::size_t i = 1; i < f.dig.size(); ++i)
    if (f.dig[i].Contains(x, y)) return &f.dig[i];
  for (std::size_t i = 1; i < f.anim.size(); ++i)
    if (f.anim[i].Contains(x, y)) return &f.anim[i];
  for (std::size_t i = 1; i < f.lbl.size(); ++i)
    if (f.lbl[i].Contains(x, y)) return &f.lbl[i];
  return nullptr;
}

bool MainWindowView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const SkinWidget* w = WidgetAt(help->pos().x(), help->pos().y());
    if (w && !w->tooltip.empty()) {
      QToolTip::showText(help->globalPos(), QString::fromStdString(w->tooltip), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace varlo
