#include "ui/playlist_model.h"

#include <QItemSelectionModel>
#include <QScrollBar>

#include "platform/qt/path_text.h"

namespace varlo {

PlaylistModel::PlaylistModel(const Playlist& playlist, QObject* parent)
    : QAbstractListModel(parent), playlist_(playlist), rows_(playlist.Count()) {}

int PlaylistModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

QModelIndex PlaylistModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || row >= rows_ || column != 0 || parent.isValid()) return {};
  return createIndex(row, column);
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() < 0) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= playlist_.names.size()) return {};
  return PathToQt(playlist_.names[row]);
}

void PlaylistModel::Reset() {
  beginResetModel();
  rows_ = static_cast<int>(playlist_.names.size());
  endResetModel();
}

PlaylistBinding::PlaylistBinding(FrmTarnix& frm, QListView* view, QObject* parent)
    : QObject(parent), frm_(frm), view_(view), model_(frm.Player().List(), this) {
  // Every row has the height of the first, and long lists are laid out in batches from the event
  // loop: the window shows its first rows at once instead of after placing all 32766.
  view_->setUniformItemSizes(true);
  view_->setLayoutMode(QListView::Batched);
  view_->setBatchSize(512);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setModel(&model_);
  frm_.Player().List().onChanged = [this] { Refill(); };
  frm_.Player().List().onSelected = [this] { ShowSelection(); };
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!showing_)
              frm_.List_Event(ListArea::Playlist, ListAction::Click,
                              current.isValid() ? current.row() : -1);
          });
  connect(view_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
    frm_.List_Event(ListArea::Playlist, ListAction::DoubleClick, index.row());
  });
  // The scroll range is set when the last batch is placed: a row selected before it was placed
  // is scrolled to then.
  connect(view_->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
    if (!scrollPending_) return;
    const QModelIndex current = view_->currentIndex();
    if (!current.isValid() || !view_->visualRect(current).isValid()) return;
    scrollPending_ = false;
    view_->scrollTo(current);
  });
}

void PlaylistBinding::Refill() {
  showing_ = true;
  model_.Reset();
  showing_ = false;
  ShowSelection();
}

void PlaylistBinding::ShowSelection() {
  const int row = frm_.Player().List().selected;
  if (row < 0 || row >= model_.rowCount()) return;
  showing_ = true;
  const QModelIndex index = model_.index(row);
  view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  showing_ = false;
  scrollPending_ = !view_->isVisible() || !view_->visualRect(index).isValid();
}

}  // namespace varlo
