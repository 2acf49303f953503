#pragma once
#include <QAbstractListModel>
#include <QListView>
#include <QObject>

#include "player/playlist.h"
#include "shell/frm_tarnix.h"

namespace varlo {

// The playlist as a list model: one row per entry, shown by its display name. The row count
// is the one of the last Reset(): the playlist changes its entries first and notifies once when
// it is done, and a view painting in between (while a folder walk lets window events run) sees
// the rows it was told about, blank where entries have gone.
class PlaylistModel final : public QAbstractListModel {
 public:
  PlaylistModel(const Playlist& playlist, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  // Called for every row when a view lays out the list: checks the row without the two virtual
  // calls of the general version.
  QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Tells the views that the playlist changed as a whole.
  void Reset();

 private:
  const Playlist& playlist_;
  int rows_ = 0;
};

// Shows the form's playlist in a list view: the view's rows follow the playlist, the view's
// current row and the playlist's selection follow each other, and a double click goes to the
// playlist's handler. Takes over the playlist's change notifications.
class PlaylistBinding : public QObject {
 public:
  PlaylistBinding(FrmTarnix& frm, QListView* view, QObject* parent);

 private:
  void Refill();
  void ShowSelection();

  FrmTarnix& frm_;
  QListView* view_;
  PlaylistModel model_;
  bool showing_ = false;        // true while the view is being set from the playlist
  bool scrollPending_ = false;  // the selected row was not placed yet when it was selected
};

}  // namespace varlo
