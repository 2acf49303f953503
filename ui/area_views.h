#pragma once
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "skin/form_access.h"
#include "skin/skin_form.h"

namespace varlo {

// The real widgets behind the skin's list, edit, entry and content areas, kept placed,
// coloured and shown as the form says. The widgets of the areas a skin has not shown yet are
// made when one first shows them.
class AreaViews {
 public:
  explicit AreaViews(QWidget* parent);
  void Sync(const SkinForm& form);

  QListView* PlNames() const { return plNames_; }
  QListWidget* Lyrics() const { return lyrics_; }
  QLabel* Cover() const { return cover_; }
  QWidget* VideoBox() const { return videoBox_; }
  // Text entry n (1-3), null until a skin first shows it.
  QLineEdit* Entry(std::size_t n) const { return entries_[n]; }
  // The browser's address box, null until a skin first shows it.
  QComboBox* Combo() const { return combo_; }
  // Called with each list of the modes (conversions, FM presets, web-radio stations) when it
  // is made.
  std::function<void(FormList list, QListWidget* widget)> onListMade;
  // Called with the notepad's editor when it is made.
  std::function<void(QPlainTextEdit* edit)> onNoteMade;
  // Called with the browser's address box when it is made.
  std::function<void(QComboBox* combo)> onComboMade;
  // Called with each text entry when it is made.
  std::function<void(std::size_t n, QLineEdit* entry)> onEntryMade;

 private:
  QWidget* parent_;
  QListView* plNames_;
  QListWidget* lyrics_;
  QPlainTextEdit* notepad_ = nullptr;
  QListWidget* cvtList_ = nullptr;
  QListWidget* fmPreset_ = nullptr;
  QComboBox* combo_ = nullptr;
  QListWidget* wrList_ = nullptr;
  std::array<QLineEdit*, 4> entries_{};
  QLabel* cover_;
  QWidget* videoBox_;
};

}  // namespace varlo
