#pragma once
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "skin/skin_form.h"

namespace varlo {

// The real widgets behind the skin's list, edit, entry and content areas, kept placed,
// coloured and shown as the form says.
class AreaViews {
 public:
  explicit AreaViews(QWidget* parent);
  void Sync(const SkinForm& form);

  QListView* PlNames() const { return plNames_; }
  QListWidget* Lyrics() const { return lyrics_; }
  QLabel* Cover() const { return cover_; }
  QWidget* VideoBox() const { return videoBox_; }

 private:
  QListView* plNames_;
  QPlainTextEdit* notepad_;
  QListWidget* lyrics_;
  QListWidget* cvtList_;
  QListWidget* fmPreset_;
  QComboBox* combo_;
  QListWidget* wrList_;
  std::array<QLineEdit*, 4> entries_{};
  QLabel* cover_;
  QWidget* videoBox_;
};

}  // namespace varlo
