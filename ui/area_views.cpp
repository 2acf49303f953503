#include "ui/area_views.h"

#include <QPalette>
#include <functional>

#include "ui/plain_text.h"
#include "ui/skin_painter.h"

namespace varlo {
namespace {

void Place(QWidget* w, const SkinWidget& model) {
  w->setGeometry(model.left, model.top, model.width, model.height);
  w->setToolTip(PlainToolTip(QString::fromStdString(model.tooltip)));
  w->setVisible(model.visible);
}

void Style(QWidget* w, Colour fore, Colour back, const FontSpec& font) {
  QPalette pal = w->palette();
  for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    pal.setColor(role, ToQColor(fore));
  for (auto role : {QPalette::Base, QPalette::Window, QPalette::Button})
    pal.setColor(role, ToQColor(back));
  pal.setColor(QPalette::Highlight, ToQColor(fore));
  pal.setColor(QPalette::HighlightedText, ToQColor(back));
  w->setPalette(pal);
  w->setAutoFillBackground(true);
  w->setFont(ToQFont(font));
}

void SyncArea(QWidget* w, const AreaWidget& area) {
  if (area.visible) Style(w, area.foreColour, area.backColour, area.font);
  Place(w, area);
}

template <typename List = QListWidget>
List* MakeList(QWidget* parent) {
  auto* list = new List(parent);
  list->setFrameShape(QFrame::NoFrame);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->hide();
  return list;
}

// Makes the widget of an area the first time a skin shows that area, then keeps it in step.
// The player's skins leave most areas hidden, and making their widgets costs start-up time.
template <typename Widget, typename Make>
void SyncLazily(Widget*& widget, const SkinWidget& area, Make make,
                const std::function<void(Widget*)>& sync) {
  if (widget == nullptr) {
    if (!area.visible) return;
    widget = make();
  }
  sync(widget);
}

}  // namespace

AreaViews::AreaViews(QWidget* parent)
    : parent_(parent),
      plNames_(MakeList<QListView>(parent)),
      lyrics_(MakeList(parent)),
      cover_(new QLabel(parent)),
      videoBox_(new QWidget(parent)) {
  plNames_->setObjectName(QStringLiteral("PlNames"));
  cover_->setScaledContents(true);
  ShowAsPlainText(cover_);
  cover_->hide();
  // The video engine draws into the box; it gets a native window when it is first asked for.
  QPalette black = videoBox_->palette();
  black.setColor(QPalette::Window, Qt::black);
  videoBox_->setPalette(black);
  videoBox_->setAutoFillBackground(true);
  videoBox_->hide();
}

void AreaViews::Sync(const SkinForm& form) {
  SyncArea(plNames_, form.plNames);
  SyncArea(lyrics_, form.lyrics);
  const auto area = [](const AreaWidget& a) { return [&a](QWidget* w) { SyncArea(w, a); }; };
  SyncLazily<QPlainTextEdit>(
      notepad_, form.notepad,
      [this] {
        auto* edit = new QPlainTextEdit(parent_);
        edit->setFrameShape(QFrame::NoFrame);
        if (onNoteMade) onNoteMade(edit);
        return edit;
      },
      area(form.notepad));
  const auto modeList = [this](FormList which) {
    return [this, which] {
      QListWidget* list = MakeList(parent_);
      if (onListMade) onListMade(which, list);
      return list;
    };
  };
  SyncLazily<QListWidget>(cvtList_, form.cvtList, modeList(FormList::CvtList), area(form.cvtList));
  SyncLazily<QListWidget>(fmPreset_, form.fmPreset, modeList(FormList::FmPreset),
                          area(form.fmPreset));
  SyncLazily<QComboBox>(
      combo_, form.combo[1],
      [this] {
        auto* combo = new QComboBox(parent_);
        combo->setEditable(true);
        // A confirmed address goes to the browser, which keeps the history itself; Enter is
        // taken before the box sees it (onComboMade), as the box would only act on a text its
        // list holds already.
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (onComboMade) onComboMade(combo);
        return combo;
      },
      area(form.combo[1]));
  SyncLazily<QListWidget>(wrList_, form.wrList, modeList(FormList::WrList), area(form.wrList));
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    const TextEntryWidget& e = form.txtEntry[i];
    SyncLazily<QLineEdit>(
        entries_[i], e,
        [this, i] {
          auto* entry = new QLineEdit(parent_);
          entry->setFrame(false);
          if (onEntryMade) onEntryMade(i, entry);
          return entry;
        },
        [&e](QLineEdit* entry) {
          if (e.visible) Style(entry, e.foreColour, e.backColour, e.font);
          const QString text = QString::fromStdString(e.text);
          if (entry->text() != text) entry->setText(text);
          Place(entry, e);
        });
  }
  Place(cover_, form.cover);
  Place(videoBox_, form.videoBox);
}

}  // namespace varlo
