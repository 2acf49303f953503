#pragma once
#include <QAbstractListModel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QWidget>

#include "common/app_settings.h"
#include "player/player_mode.h"
#include "shell/input_gate.h"

namespace varlo {

// The rows quick find shows: every name, or the names that match.
class QuickFindModel final : public QAbstractListModel {
 public:
  explicit QuickFindModel(const QuickFind& finder) : finder_(finder) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The finder's rows changed.
  void Reset();

 private:
  const QuickFind& finder_;
};

// The "Quick Find/Play" window: type part of a name, Up and Down to choose, Enter or a
// double-click plays, Esc closes. It stays above other windows.
class FrmQFindView final : public QWidget {
 public:
  FrmQFindView(PlayerMode& player, InputGate& gate, const AppSettings& settings);
  // Shows the names the player's finder took when the window was asked for.
  void Refill();

  QLineEdit* Text() const { return text_; }
  QListView* List() const { return list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Search();
  void ShowSelection();
  void PlaySelected();

  PlayerMode& player_;
  InputGate& gate_;
  const AppSettings& settings_;
  QuickFindModel model_;
  QLineEdit* text_;
  QRadioButton* anywhere_;
  QRadioButton* startsWith_;
  QListView* list_;
};

}  // namespace varlo
