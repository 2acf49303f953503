#include "ui/area_views.h"

#include <QPalette>

#include "ui/skin_painter.h"

namespace varlo {
namespace {

void Place(QWidget* w, const SkinWidget& model) {
  w->setGeometry(model.left, model.top, model.width, model.height);
  w->setToolTip(QString::fromStdString(model.tooltip));
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

}  // namespace

AreaViews::AreaViews(QWidget* parent)
    : plNames_(MakeList<QListView>(parent)),
      notepad_(new QPlainTextEdit(parent)),
      lyrics_(MakeList(parent)),
      cvtList_(MakeList(parent)),
      fmPreset_(MakeList(parent)),
      combo_(new QComboBox(parent)),
      wrList_(MakeList(parent)),
      cover_(new QLabel(parent)),
      videoBox_(new QWidget(parent)) {
  plNames_->setObjectName(QStringLiteral("PlNames"));
  notepad_->setFrameShape(QFrame::NoFrame);
  notepad_->hide();
  combo_->setEditable(true);
  combo_->hide();
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    entries_[i] = new QLineEdit(parent);
    entries_[i]->setFrame(false);
    entries_[i]->hide();
  }
  cover_->setScaledContents(true);
  cover_->hide();
  videoBox_->setAttribute(Qt::WA_NativeWindow);  // the video engine draws into it
  videoBox_->setStyleSheet(QStringLiteral("background: black"));
  videoBox_->hide();
}

void AreaViews::Sync(const SkinForm& form) {
  SyncArea(plNames_, form.plNames);
  SyncArea(notepad_, form.notepad);
  SyncArea(lyrics_, form.lyrics);
  SyncArea(cvtList_, form.cvtList);
  SyncArea(fmPreset_, form.fmPreset);
  SyncArea(combo_, form.combo[1]);
  SyncArea(wrList_, form.wrList);
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    const TextEntryWidget& e = form.txtEntry[i];
    if (e.visible) Style(entries_[i], e.foreColour, e.backColour, e.font);
    Place(entries_[i], e);
  }
  Place(cover_, form.cover);
  Place(videoBox_, form.videoBox);
}

}  // namespace varlo
