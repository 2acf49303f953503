#include "screensaver/qt/saver_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "common/atomic_file.h"
#include "common/paths.h"
#include "platform/qt/path_text.h"
#include "platform/qt/qt_picture_loader.h"
#include "screensaver/qt/settings_dialog.h"
#include "skin/digit_display.h"

namespace varlo {
namespace {

constexpr int kTickMs = 200;

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

SaverView::SaverView(SettingsStore& store, std::string programFolder, std::string bundledSkin,
                     bool embedded)
    : store_(store),
      programFolder_(std::move(programFolder)),
      bundledSkin_(std::move(bundledSkin)),
      embedded_(embedded),
      settings_(ReadSaverSettings(store)),
      texts_(clock_, settings_.timeFmt) {
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
  dismissal_.Reset(clock_.SteadyMs());
  LoadSkin();
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
  timer_.start();
}

void SaverView::LoadSkin() {
  const std::string path = SaverSkinPath(settings_, programFolder_, bundledSkin_);
  const auto text = ReadFileBounded(path, kMaxSaverSkinBytes);
  auto parsed = text ? ParseSaverSkin(*text, AddSlash(GetPath(path))) : std::nullopt;
  skinValid_ = parsed.has_value();
  skin_ = parsed ? std::move(*parsed) : SaverSkin{};
  main_ = skin_.mainBitmap.empty() ? QImage() : ReadImageFile(skin_.mainBitmap);
  res_ = skin_.resourceBitmap.empty() ? QImage() : ReadImageFile(skin_.resourceBitmap);
  picture_ = settings_.ssPic.empty() ? QImage() : ReadImageFile(settings_.ssPic);
  texts_.SetTimeFmt(settings_.timeFmt);
  texts_.Start();
  animTicks_ = animFrame_ = 0;
  update();
}

QPoint SaverView::Offset() const {
  // Every element is placed relative to the main bitmap, which sits in the middle, so a saver
  // skin looks the same on any screen.
  return main_.isNull() ? QPoint((width() - 640) / 2, (height() - 480) / 2)
                        : QPoint((width() - main_.width()) / 2, (height() - main_.height()) / 2);
}

void SaverView::Tick() {
  if (texts_.Tick()) update();
  const SaverAnim& a = skin_.anims[1];
  if (a.shown && ++animTicks_ >= a.rec.a3) {
    animTicks_ = 0;
    animFrame_ = (animFrame_ + 1) % (a.rec.a1 * a.rec.a2);
    update();
  }
}

void SaverView::PaintDigit(QPainter& p, int n, const QPoint& offset) const {
  const SaverDigit& d = skin_.digits[static_cast<std::size_t>(n)];
  if (!d.shown || res_.isNull()) return;
  const std::string value = n == 11 ? texts_.Seconds() : "0";
  const std::string text = SaverDigitText(d.rec.style, value, texts_.Now(), texts_.TwelveHour());
  DigitRecord rec = d.rec;
  rec.d1 = 0;  // the saver has numeric strips only
  DigitBlits cells;
  LayoutDigitCells(rec, text, d.x + offset.x(), d.y + offset.y(), cells);
  // Cells the strip has no glyph for (the AM/PM marker) would run past the display: the
  // display shows only what fits its width.
  const int right = d.x + offset.x() + d.width;
  for (std::size_t i = 0; i < cells.count; ++i) {
    const Blit& b = cells.cells[i];
    if (b.dx + b.w > right) break;
    p.drawImage(QPoint(b.dx, b.dy), res_, QRect(b.sx, b.sy, b.w, b.h));
  }
}

void SaverView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), skinValid_ ? ToColour(skin_.background) : QColor(Qt::black));
  if (!skinValid_) {
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Invalid Skin!"));
    return;
  }
  const QPoint offset = Offset();
  if (!main_.isNull()) p.drawImage(offset, main_);
  if (skin_.cover.shown && !picture_.isNull()) {
    const SaverCover& c = skin_.cover;
    p.drawImage(QRect(c.x + offset.x(), c.y + offset.y(), c.w, c.h), picture_);
  }
  const SaverAnim& a = skin_.anims[1];
  if (a.shown && !res_.isNull()) {
    const int column = animFrame_ % a.rec.a1;
    const int row = animFrame_ / a.rec.a1;
    p.drawImage(QPoint(a.rec.x + offset.x(), a.rec.y + offset.y()), res_,
                QRect(a.rec.sx + column * a.rec.w, a.rec.sy + row * a.rec.h, a.rec.w, a.rec.h));
  }
  PaintDigit(p, 3, offset);
  PaintDigit(p, 11, offset);
  for (int n = 1; n <= 9; ++n) {
    const SaverLabel& l = skin_.labels[static_cast<std::size_t>(n)];
    if (!l.shown) continue;
    std::string caption;
    if (n == 3) caption = texts_.TimeText();
    if (n == 6) caption = texts_.Day().date;
    if (n == 7) caption = texts_.Day().dayName;
    if (caption.empty()) continue;
    p.setPen(ToColour(l.colour));
    p.setFont(ToFont(l.font));
    p.drawText(QRect(l.x + offset.x(), l.y + offset.y(), l.w, l.h),
               static_cast<int>((n == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter),
               QString::fromStdString(caption));
  }
}

void SaverView::mouseMoveEvent(QMouseEvent* event) {
  if (embedded_) return;
  const QPoint at = event->globalPosition().toPoint();
  if (dismissal_.PointerMoved(at.x(), at.y(), clock_.SteadyMs())) TryClose();
}

void SaverView::mousePressEvent(QMouseEvent*) {
  if (!embedded_) TryClose();
}

void SaverView::keyPressEvent(QKeyEvent* event) {
  if (embedded_) return;
  if (event->key() == Qt::Key_Control) return OpenSettings();
  TryClose();
}

void SaverView::TryClose() {
  if (dismissal_.MayClose(clock_.SteadyMs())) close();
}

void SaverView::OpenSettings() {
  timer_.stop();
  unsetCursor();
  setWindowFlag(Qt::WindowStaysOnTopHint, false);
  showFullScreen();
  RunSaverSettings(settings_, store_, programFolder_, this);
  dismissal_.Reset(clock_.SteadyMs());
  LoadSkin();
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  showFullScreen();
  setCursor(Qt::BlankCursor);
  timer_.start();
}

void SaverView::closeEvent(QCloseEvent* event) {
  // A close within the first two seconds is taken for the jolt that started the saver.
  if (!embedded_ && !dismissal_.MayClose(clock_.SteadyMs())) return event->ignore();
  WriteSaverSettings(store_, settings_);
  unsetCursor();
  event->accept();
}

}  // namespace varlo
