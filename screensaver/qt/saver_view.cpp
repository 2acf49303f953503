#include "screensaver/qt/saver_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "screensaver/qt/saver_session.h"

namespace varlo {
namespace {

QColor ToColour(std::uint32_t c) {
  return QColor(static_cast<int>(c & 0xff), static_cast<int>((c >> 8) & 0xff),
                static_cast<int>((c >> 16) & 0xff));
}

QFont ToFont(const FontSpec& spec) {
  QFont font(QString::fromStdString(spec.name));
  font.setPixelSize(std::max(1, spec.size * 4 / 3));  // points at 96 dots per inch
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  return font;
}

}  // namespace

SaverView::SaverView(SaverSession& session, bool embedded)
    : session_(session), embedded_(embedded) {
  setWindowTitle(QStringLiteral("VarloSS"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (embedded_) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  } else {
    setMouseTracking(true);
    setCursor(Qt::BlankCursor);
    setWindowFlag(Qt::WindowStaysOnTopHint);
  }
}

void SaverView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!session_.SkinValid()) {
    p.fillRect(rect(), Qt::black);
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Invalid Skin!"));
    return;
  }
  p.fillRect(rect(), session_.Background());
  const SaverScene scene = session_.Scene(size());
  p.drawImage(QPoint(scene.mainX, scene.mainY), session_.MainBitmap());
  const SaverRect& c = scene.coverPlace;
  if (scene.cover && !session_.Picture().isNull())
    p.drawImage(QRect(c.x, c.y, c.w, c.h), session_.Picture());
  for (const Blit& b : scene.blits)
    p.drawImage(QPoint(b.dx, b.dy), session_.ResourceBitmap(), QRect(b.sx, b.sy, b.w, b.h));
  for (const SaverText& t : scene.texts) {
    p.setPen(ToColour(t.colour));
    p.setFont(ToFont(t.font));
    p.drawText(QRect(t.place.x, t.place.y, t.place.w, t.place.h),
               static_cast<int>((t.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter),
               QString::fromStdString(t.text));
  }
}

void SaverView::mouseMoveEvent(QMouseEvent* event) {
  if (!embedded_) session_.PointerMoved(event->globalPosition().toPoint());
}

void SaverView::mousePressEvent(QMouseEvent*) {
  if (!embedded_) session_.Pressed();
}

void SaverView::keyPressEvent(QKeyEvent* event) {
  if (embedded_) return;
  if (event->key() == Qt::Key_Control) return session_.ControlPressed(this);
  session_.Pressed();
}

void SaverView::closeEvent(QCloseEvent* event) {
  // A close within the first two seconds is taken for the jolt that started the saver.
  if (!embedded_ && !session_.CloseRequested()) return event->ignore();
  unsetCursor();
  event->accept();
}

}  // namespace varlo
