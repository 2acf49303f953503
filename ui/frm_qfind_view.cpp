#include "ui/frm_qfind_view.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/qt/path_text.h"
#include "ui/app_icon.h"

namespace varlo {

int QuickFindModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(finder_.Mode() == FindMode::StartsWith ? finder_.Names().size()
                                                                 : finder_.Matches().size());
}

QVariant QuickFindModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const int name = finder_.Mode() == FindMode::StartsWith ? index.row() : finder_.Matches()[row];
  return PathToQt(finder_.Names()[static_cast<std::size_t>(name)]);
}

void QuickFindModel::Reset() {
  beginResetModel();
  endResetModel();
}

FrmQFindView::FrmQFindView(PlayerMode& player, InputGate& gate, const AppSettings& settings)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      player_(player),
      gate_(gate),
      settings_(settings),
      model_(player.Finder()),
      text_(new QLineEdit(this)),
      anywhere_(new QRadioButton(QStringLiteral("&Anywhere"), this)),
      startsWith_(new QRadioButton(QStringLiteral("&Starts with"), this)),
      list_(new QListView(this)) {
  setWindowTitle(QStringLiteral("Quick Find/Play"));
  setWindowIcon(VarloIcon());
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  auto* findRow = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Find:"), this);
  label->setBuddy(text_);
  findRow->addWidget(label);
  findRow->addWidget(text_, 1);
  layout->addLayout(findRow);
  auto* modes = new QHBoxLayout;
  modes->addWidget(anywhere_);
  modes->addWidget(startsWith_);
  modes->addStretch(1);
  layout->addLayout(modes);
  list_->setModel(&model_);
  list_->setUniformItemSizes(true);  // tens of thousands of names lay out at once
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(list_, 1);
  resize(360, 420);
  anywhere_->setChecked(true);

  connect(text_, &QLineEdit::textChanged, this, [this] { Search(); });
  for (QRadioButton* mode : {anywhere_, startsWith_}) {
    connect(mode, &QRadioButton::toggled, this, [this](bool on) {
      if (!on) return;
      Search();
      text_->setFocus();
    });
  }
  connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) {
    player_.Finder().SelectRow(index.row());
    text_->setFocus();
  });
  connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
    player_.Finder().SelectRow(index.row());
    PlaySelected();
  });
  text_->installEventFilter(this);
}

void FrmQFindView::Refill() {
  QuickFind& finder = player_.Finder();
  finder.SetMode(anywhere_->isChecked() ? FindMode::Anywhere : FindMode::StartsWith);
  finder.SetText(text_->text().toStdString());
  model_.Reset();
  ShowSelection();
  text_->setFocus();
  text_->selectAll();
}

void FrmQFindView::Search() {
  QuickFind& finder = player_.Finder();
  finder.SetMode(anywhere_->isChecked() ? FindMode::Anywhere : FindMode::StartsWith);
  finder.SetText(text_->text().toStdString());
  model_.Reset();
  ShowSelection();
}

void FrmQFindView::ShowSelection() {
  const int row = player_.Finder().SelectedRow();
  if (row < 0) {
    list_->clearSelection();
    return;
  }
  const QModelIndex index = model_.index(row);
  list_->setCurrentIndex(index);
  // The name found by its start is shown at the top, as in a sorted list.
  list_->scrollTo(index, player_.Finder().Mode() == FindMode::StartsWith
                             ? QAbstractItemView::PositionAtTop
                             : QAbstractItemView::EnsureVisible);
}

void FrmQFindView::PlaySelected() {
  const std::optional<int> entry = player_.Finder().EntryToPlay(player_.List());
  if (!entry) return;
  const int index = *entry;
  gate_.Submit([this, index] { player_.PlayEntry(index); });
  if (settings_.autoCloseQF == 1) close();
}

bool FrmQFindView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      player_.Finder().Step(key == Qt::Key_Up ? -1 : 1);
      ShowSelection();
      return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      PlaySelected();
      return true;
    }
    if (key == Qt::Key_Escape) {
      close();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace varlo
