#include "ui/main_window_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QToolTip>
#include <QUrl>
#include <QWindow>

#include "platform/qt/path_text.h"
#include "platform/qt/qt_picture_loader.h"
#include "ui/owned_window.h"
#include "ui/plain_text.h"
#include "ui/region_mask.h"
#include "ui/skin_painter.h"

namespace varlo {

MainWindowView::MainWindowView(FrmTarnix& frm)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      frm_(frm),
      areas_(this),
      coverLyrics_(frm, areas_, this),
      lyrics_(frm, FormList::Lyrics, areas_.Lyrics(), this),
      playlist_(frm, areas_.PlNames(), this) {
  setWindowTitle(QStringLiteral("Varlo"));
  paintsShape_ = OnWayland();
  if (paintsShape_)
    setAttribute(Qt::WA_TranslucentBackground);
  else
    setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // The playlist view shows the model; its events go to the playlist's handlers.
  QListView* list = areas_.PlNames();
  list->installEventFilter(this);
  areas_.Lyrics()->installEventFilter(this);
  // The text entries are made when a skin first shows them; their edits and keys go to the
  // mode that owns each.
  // The modes' lists are made when a skin first shows them, then follow their list areas.
  areas_.onListMade = [this](FormList which, QListWidget* widget) {
    new ListBinding(frm_, which, widget, this);
  };
  areas_.onEntryMade = [this](std::size_t i, QLineEdit* entry) {
    const int n = static_cast<int>(i);
    connect(entry, &QLineEdit::textEdited, this,
            [this, n](const QString& text) { frm_.Entry_Changed(n, PathFromQt(text)); });
    entry->installEventFilter(this);
  };
  // The address box shows the browser's history, newest first; a chosen or typed address is
  // the browser's to open.
  areas_.onComboMade = [this](QComboBox* combo) {
    ListBox& history = frm_.Access().List(FormList::UrlHistory);
    const auto fill = [combo, &history] {
      const QSignalBlocker block(combo);
      const QString typed = combo->currentText();
      combo->clear();
      for (const std::string& row : history.rows) combo->addItem(PathToQt(row));
      combo->setCurrentIndex(-1);
      combo->setEditText(history.selected >= 0 &&
                                 history.selected < static_cast<int>(history.rows.size())
                             ? PathToQt(history.rows[static_cast<std::size_t>(history.selected)])
                             : typed);
    };
    history.onChanged = fill;
    history.onSelected = fill;
    fill();
    // The box has the focus and hands keys to its line edit itself, past the line edit's
    // filters: Enter is taken from the box.
    combo->installEventFilter(this);
    // Qt also "activates" a history entry whose text is left in the box when the focus goes:
    // only a choice from the list opens it.
    connect(combo, &QComboBox::activated, this, [this, combo](int) {
      if (!leavingAddress_) frm_.Combo_Chosen(PathFromQt(combo->currentText()));
    });
  };
  // The notepad's text lives in the form; the editor shows it and is asked for it when the
  // notepad saves or prints. Bytes that are not UTF-8 survive the trip through the editor.
  areas_.onNoteMade = [this](QPlainTextEdit* edit) {
    TextBox& note = frm_.Access().Note();
    note.onChanged = [edit, &note] { edit->setPlainText(PathToQt(note.text)); };
    // The document's own characters: toPlainText() would turn no-break spaces into blanks
    // and line separators into line feeds. Only the paragraph breaks become line feeds.
    note.current = [edit] {
      QString text = edit->document()->toRawText();
      text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
      return PathFromQt(text);
    };
    edit->setPlainText(PathToQt(note.text));
  };
  list->setAcceptDrops(false);  // drops land on the window, which takes them for the list
  setAcceptDrops(true);
  // The timers are the window's children by name, so whoever holds the window can follow them.
  timer1_.setParent(this);
  timer2_.setParent(this);
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer2_.setObjectName(QStringLiteral("Timer2"));
  timer1_.setInterval(100);
  timer2_.setInterval(200);
  connect(&timer1_, &QTimer::timeout, this, [this] { frm_.Timer1_Timer(); });
  connect(&timer2_, &QTimer::timeout, this, [this] { frm_.Timer2_Timer(); });
  // The window's own keys are off while one of its text entries has the focus.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    const bool entry = now && isAncestorOf(now) &&
                       (qobject_cast<QLineEdit*>(now) || qobject_cast<QPlainTextEdit*>(now) ||
                        qobject_cast<QComboBox*>(now));
    frm_.SetInFlag(entry);
  });
}

MainWindowView::~MainWindowView() {
  // Closing the window in the base destructor moves the focus, and the focus handler must
  // not reach this part of the object once it is gone.
  disconnect(qApp, nullptr, this, nullptr);
  // Likewise the children's signals: the address box reports the focus it loses as a choice.
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
  // The form outlives the view: the notepad's text stays with it, the editor goes.
  TextBox& note = frm_.Access().Note();
  note.Text();
  note.onChanged = nullptr;
  note.current = nullptr;
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
  const int button = ButtonNumber(event->button());
  if (target_ != Target::None) return;  // another button is already held
  const SkinForm& f = frm_.Form();
  if (f.tmpBtn.Contains(p.x(), p.y())) {
    target_ = Target::PressedImage;
  } else if (const int k = WidgetIndexAt(f.slider, p.x(), p.y()); k > 0 && button == 1) {
    target_ = Target::Slider;
    frm_.iSlider_MouseDown(k, p.x(), p.y());
  } else if (const int b = WidgetIndexAt(f.btn, p.x(), p.y()); b > 0) {
    target_ = Target::Button;
    targetIndex_ = b;
    if (button == 1) frm_.Btn_MouseDown(b);
  } else if (const int l = WidgetIndexAt(f.lbl, p.x(), p.y()); l > 0) {
    target_ = Target::Label;
    targetIndex_ = l;
    frm_.Lbl_MouseDown(l, button, p.x(), p.y());
  } else if (const int d = WidgetIndexAt(f.dig, p.x(), p.y()); d > 0) {
    target_ = Target::Label;
    targetIndex_ = 0;
    frm_.Dig_MouseDown(d, button, p.x(), p.y());
  } else if (button == 1 && OnWayland() && windowHandle() && windowHandle()->startSystemMove()) {
    // Wayland windows cannot place themselves: the compositor moves the window while the button
    // is held, and the release goes to the compositor, not to us.
  } else {
    target_ = Target::Background;
    frm_.Form_MouseDown(button, p.x(), p.y());
  }
}

void MainWindowView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int held = HeldButtons(event->buttons());
  const SkinForm& f = frm_.Form();
  if (target_ == Target::Background) return frm_.Form_MouseMove(held, p.x(), p.y());
  if (target_ == Target::Slider) return frm_.iSlider_MouseMove(p.x(), p.y());
  if (const int b = WidgetIndexAt(f.btn, p.x(), p.y()); b > 0) {
    const HeldButton h = held & 1   ? HeldButton::Left
                         : held & 2 ? HeldButton::Right
                                    : HeldButton::None;
    frm_.Btn_MouseMove(b, h);
  } else if (target_ == Target::None) {
    frm_.Form_MouseMove(held, p.x(), p.y());
  }
}

void MainWindowView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int button = ButtonNumber(event->button());
  const Target target = target_;
  const int index = targetIndex_;
  target_ = Target::None;
  targetIndex_ = 0;
  switch (target) {
    case Target::Background:
      return frm_.Form_MouseUp(button, p.x(), p.y());
    case Target::Slider:
      return frm_.iSlider_MouseUp();
    case Target::PressedImage:
      if (button == 1) frm_.TmpBtn_MouseUp();
      return;
    case Target::Button:
      if (button == 1) frm_.Btn_MouseUp(index);
      return;
    case Target::Label:
      if (button == 1 && index > 0 &&
          frm_.Form().lbl[static_cast<std::size_t>(index)].Contains(p.x(), p.y()))
        frm_.Lbl_Click(index);
      return;
    case Target::None:
      return;
  }
}

int MainWindowView::PrintableKey(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Escape) return 27;
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  const QString text = event.text();
  if (text.isEmpty()) return 0;
  const int key = text.at(0).unicode();
  // Enter and Backspace are keys skins bind too (as "\013" and "\008").
  if (key == 8 || key == 13) return key;
  return key >= 32 && key < 256 ? key : 0;
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
  const int key = PrintableKey(*event);
  if (key > 0 && frm_.Form_KeyPress(key))
    event->accept();
  else
    QWidget::keyPressEvent(event);
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
  if (QComboBox* combo = areas_.Combo();
      combo && watched == combo && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      frm_.Combo_Chosen(PathFromQt(combo->currentText()));
      return true;
    }
  }
  if (QComboBox* combo = areas_.Combo();
      combo && watched == combo && event->type() == QEvent::FocusOut) {
    // The box hands the focus it loses to its line edit, which finishes the editing; the box
    // takes that for a choice.
    const QScopedValueRollback<bool> leaving(leavingAddress_, true);
    static_cast<QObject*>(combo)->event(event);
    return true;
  }
  for (std::size_t i = 1; i <= 3; ++i) {
    if (!areas_.Entry(i) || watched != areas_.Entry(i) || event->type() != QEvent::KeyPress)
      continue;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int code = key == Qt::Key_Return || key == Qt::Key_Enter ? 13
                     : key == Qt::Key_Up                           ? 38
                     : key == Qt::Key_Down                         ? 40
                                                                   : 0;
    if (code != 0 && frm_.Entry_KeyDown(static_cast<int>(i), code)) return true;
  }
  const bool list = watched == areas_.PlNames() || watched == areas_.Lyrics();
  if (list && event->type() == QEvent::KeyPress) {
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (watched == areas_.PlNames()) {
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        frm_.List_Event(ListArea::Playlist, ListAction::Key, 13);
        return true;
      }
      if (key == Qt::Key_Delete) {
        frm_.List_Event(ListArea::Playlist, ListAction::Key, 46);
        return true;
      }
    }
    // Printable keys are the skin's hot keys, not the list's type-ahead search; the list
    // keeps the arrows, paging and the rest.
    const int ch = PrintableKey(*keyEvent);
    if (ch > 0 && frm_.Form_KeyPress(ch)) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindowView::dragEnterEvent(QDragEnterEvent* event) {
  if (PlaylistActions::AcceptsDrag(event->mimeData()->hasUrls())) event->acceptProposedAction();
}

void MainWindowView::dropEvent(QDropEvent* event) {
  std::vector<std::string> files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files.push_back(PathFromUrl(url));
  frm_.FilesDropped(files);
  event->acceptProposedAction();
}

void MainWindowView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) frm_.Form_Activate();
  if (event->type() == QEvent::WindowStateChange) frm_.Form_WindowState(isMinimized());
  QWidget::changeEvent(event);
}

QRect MainWindowView::PixelGeometry() const {
  const WindowState& w = frm_.Form().window;
  const int tx = std::max(1, frm_.TwipX()), ty = std::max(1, frm_.TwipY());
  return QRect(w.left / tx, w.top / ty, std::max(1, w.width / tx), std::max(1, w.height / ty));
}

void MainWindowView::OnFormChanged(unsigned changes) {
  const SkinForm& form = frm_.Form();
  if (changes & kChangeGeometry) {
    const QRect geometry = PixelGeometry();
    // The skin fixes the size. Saying so to the window system keeps the window from being
    // resized, and makes tiling compositors (sway) float it rather than stretch it.
    setFixedSize(geometry.size());
    // Until the program has a position of its own, the window system places the window.
    if (form.window.placed) setGeometry(geometry);
  }
  if (changes & kChangeRegion) {
    const QRegion mask = RegionMask(form.window.region);
    const bool rectangular = form.window.region.kind == WindowRegion::Kind::None;
    shape_ = rectangular ? QRegion() : mask;
    if (rectangular)
      clearMask();
    else
      setMask(mask);  // on Wayland this is where the window takes input
    if (paintsShape_) update();
  }
  if (changes & kChangeWindowState) {
    setCursor(form.window.storePointer ? Qt::WhatsThisCursor : Qt::ArrowCursor);
    if (form.window.timer1Enabled != timer1_.isActive())
      form.window.timer1Enabled ? timer1_.start() : timer1_.stop();
    if (form.window.timer2Enabled != timer2_.isActive())
      form.window.timer2Enabled ? timer2_.start() : timer2_.stop();
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != form.window.onTop) {
      // Changing a window flag hides the window; show it again where it was.
      const bool wasVisible = isVisible();
      setWindowFlag(Qt::WindowStaysOnTopHint, form.window.onTop);
      if (wasVisible) show();
    }
    if (form.window.minimised && isVisible() && !isMinimized()) showMinimized();
    // Hidden windows come back from the tray icon; without one, a hidden window is minimised
    // so that it can still be reached.
    if (!form.window.shown && isVisible() && !isMinimized())
      form.window.trayPresent ? hide() : showMinimized();
    if (form.window.restoreRequests != restoresDone_) {
      restoresDone_ = form.window.restoreRequests;
      showNormal();
      raise();
      activateWindow();
    }
  }
  if (changes & kChangeWidgets) {
    areas_.Sync(form);
    if (onBrowserArea) onBrowserArea(form.webBrowser);
    coverLyrics_.ApplyCover();
    // The skin's video window becomes the display of the media devices, or none does.
    const std::uint64_t video =
        form.videoIsDisplay ? static_cast<std::uint64_t>(areas_.VideoBox()->winId()) : 0;
    if (video != videoWindow_ && onVideoWindow) {
      videoWindow_ = video;
      onVideoWindow(video);
    }
  }
  // Ticks change only digit cells, animation frames, captions and knobs: repaint just those.
  constexpr unsigned kTickChanges =
      kChangeDigits | kChangeAnimation | kChangeCaptions | kChangeKnobs;
  if ((changes & ~kTickChanges) == 0) {
    update(TickRegion(changes));
    return;
  }
  for (std::size_t i = 1; i < form.lbl.size(); ++i) shownCaptions_[i] = form.lbl[i].caption;
  update();
}

QRegion MainWindowView::TickRegion(unsigned changes) {
  const SkinForm& form = frm_.Form();
  QRegion dirty;
  const auto add = [&dirty](const SkinWidget& w) {
    if (w.visible) dirty += QRect(w.left, w.top, w.width, w.height);
  };
  if (changes & kChangeDigits)
    for (std::size_t i = 1; i < form.dig.size(); ++i) add(form.dig[i]);
  if (changes & kChangeAnimation)
    for (std::size_t i = 1; i < form.anim.size(); ++i) add(form.anim[i]);
  if (changes & kChangeCaptions) {
    // Only the labels whose caption differs from the one last handed to the painter.
    for (std::size_t i = 1; i < form.lbl.size(); ++i) {
      if (shownCaptions_[i] == form.lbl[i].caption) continue;
      shownCaptions_[i] = form.lbl[i].caption;
      add(form.lbl[i]);
    }
  }
  if (changes & kChangeKnobs) {
    // The knob moved somewhere along its track (or the level bar changed its length): the
    // track with a knob's size beyond its end covers the old place and the new one.
    for (std::size_t i = 1; i < form.slider.size(); ++i) {
      const PictureWidget& knob = form.slider[i];
      const SliderRecord& rec = form.tables.sliders[i];
      if (!knob.visible) continue;
      dirty += QRect(rec.x, rec.y, rec.w + rec.kw + 1, rec.h + rec.kh + 1);
      dirty += QRect(knob.left, knob.top - rec.h, std::max(knob.width, rec.w) + 1,
                     knob.height + 2 * rec.h + 1);
    }
  }
  return dirty;
}

void MainWindowView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  // On high-DPI screens the skin's bitmaps are scaled by whole device pixels, never smoothed,
  // so that their pixel art stays sharp.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  QRegion region = event->region();
  if (paintsShape_ && !shape_.isEmpty()) {
    // Outside the shape the window stays transparent.
    const QRegion outside = region - shape_;
    region &= shape_;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : outside) p.fillRect(r, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  p.setClipRegion(region);
  const SkinForm& form = frm_.Form();
  // The skin's bitmaps are drawn from the form's own pixels; a skin loaded since the last
  // paint has replaced them, so the images over them are made afresh for every paint.
  const QImage picture = ImageOverPicture(form.window.picture);
  const QImage resBitmap = ImageOverPicture(form.window.resBitmap);
  // The picture is opaque: the background colour shows only where it does not reach, so a
  // large window is not filled twice.
  const QRegion bare = QRegion(rect()) - QRegion(picture.rect());
  for (const QRect& r : bare) p.fillRect(r, ToQColor(form.window.backColour));
  if (!picture.isNull()) p.drawImage(0, 0, picture);
  SkinPainter(form, resBitmap).Paint(p, &region);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
  timer1_.stop();
  timer2_.stop();
  frm_.Form_Unload();
  event->accept();
  if (onClosed) onClosed();
}

void MainWindowView::moveEvent(QMoveEvent* event) {
  // Moves by the window manager (Alt-drag, keyboard, placement) reach the model too.
  if (isVisible()) frm_.Form_Moved(event->pos().x(), event->pos().y());
  QWidget::moveEvent(event);
}

const SkinWidget* MainWindowView::WidgetAt(int x, int y) const {
  const SkinForm& f = frm_.Form();
  if (f.tmpBtn.Contains(x, y)) return &f.tmpBtn;
  if (const int i = WidgetIndexAt(f.btn, x, y)) return &f.btn[static_cast<std::size_t>(i)];
  if (const int i = WidgetIndexAt(f.slider, x, y)) return &f.slider[static_cast<std::size_t>(i)];
  if (const int i = WidgetIndexAt(f.dig, x, y)) return &f.dig[static_cast<std::size_t>(i)];
  if (const int i = WidgetIndexAt(f.anim, x, y)) return &f.anim[static_cast<std::size_t>(i)];
  if (const int i = WidgetIndexAt(f.lbl, x, y)) return &f.lbl[static_cast<std::size_t>(i)];
  return nullptr;
}

bool MainWindowView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const SkinWidget* w = WidgetAt(help->pos().x(), help->pos().y());
    if (w && !w->tooltip.empty()) {
      QToolTip::showText(help->globalPos(), PlainToolTip(QString::fromStdString(w->tooltip)), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace varlo
