#include "ui/frm_skin_browse_view.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/path_text.h"
#include "ui/app_icon.h"
#include "ui/plain_text.h"

namespace varlo {

FrmSkinBrowseView::FrmSkinBrowseView(SettingsHost& host, InputGate& gate)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      reader_(this),
      logic_(host, reader_),
      gate_(gate),
      filter_(new QComboBox(this)),
      list_(new QListWidget(this)),
      cutNote_(new QLabel(this)),
      info_(new QGroupBox(QStringLiteral("Info"), this)),
      comment_(new QLabel(info_)) {
  setWindowTitle(QStringLiteral("Skin Browser"));
  setWindowIcon(VarloIcon());
  setAttribute(Qt::WA_QuitOnClose, false);
  for (std::string_view kind : kSkinKinds)
    filter_->addItem(QString::fromUtf8(kind.data(), static_cast<qsizetype>(kind.size())));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Show:"), this));
  top->addWidget(filter_, 1);
  auto* setDir = new QPushButton(QStringLiteral("Set Skin Directory..."), this);
  auto* toggle = new QPushButton(QStringLiteral("Tog. Info"), this);
  top->addWidget(setDir);
  top->addWidget(toggle);
  layout->addLayout(top);
  auto* panes = new QHBoxLayout;
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* listSide = new QVBoxLayout;
  listSide->addWidget(list_, 1);
  ShowAsPlainText(cutNote_);
  cutNote_->setWordWrap(true);
  cutNote_->hide();
  listSide->addWidget(cutNote_);
  panes->addLayout(listSide, 1);
  ShowAsPlainText(comment_);
  comment_->setWordWrap(true);
  comment_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  comment_->setFixedWidth(200);
  (new QVBoxLayout(info_))->addWidget(comment_, 1);
  panes->addWidget(info_);
  layout->addLayout(panes, 1);
  resize(760, 340);

  logic_.onChanged = [this] { ShowLogic(); };
  logic_.onFolderChanged = [this] {
    if (onFolderChanged) onFolderChanged();
  };
  connect(filter_, &QComboBox::activated, this,
          [this](int item) { Act([this, item] { logic_.cboShType_Click(item); }); });
  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int clicked = list_->row(item);
    Act([this, clicked] { logic_.List1_Click(clicked); });
  });
  connect(setDir, &QPushButton::clicked, this, [this] { Act([this] { logic_.SetSDir_Click(); }); });
  connect(toggle, &QPushButton::clicked, this, [this] { logic_.cToggInfo_Click(); });
  Refill();
}

void FrmSkinBrowseView::Refill() {
  Act([this] { logic_.Form_Load(); });
}

void FrmSkinBrowseView::Act(std::function<void()> action) {
  QPointer<FrmSkinBrowseView> self(this);
  gate_.Submit([self, action = std::move(action)] {
    if (self) action();
  });
}

void FrmSkinBrowseView::ShowLogic() {
  filter_->setCurrentIndex(logic_.Filter());
  const int row = list_->currentRow();
  list_->clear();
  for (const SkinEntry& entry : logic_.Entries()) {
    auto* item = new QListWidgetItem(PathToQt(entry.Text()), list_);
    item->setToolTip(PlainToolTip(PathToQt(entry.path)));
  }
  if (row >= 0 && row < list_->count()) list_->setCurrentRow(row);
  comment_->setText(QString::fromStdString(logic_.Comment()));
  cutNote_->setText(QString::fromStdString(logic_.CutNote()));
  cutNote_->setVisible(!logic_.CutNote().empty());
  info_->setVisible(logic_.InfoShown());
  // The window takes the focus back from the main window a skin load raised.
  activateWindow();
}

}  // namespace varlo
