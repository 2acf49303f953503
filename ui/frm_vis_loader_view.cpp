#include "ui/frm_vis_loader_view.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "common/paths.h"
#include "platform/qt/path_text.h"
#include "ui/app_icon.h"
#include "ui/plain_text.h"

namespace varlo {
namespace {

constexpr int kCell = 96;  // the side of a playlist's picture, in pixels

QLabel* PlainLabel(QWidget* parent, const QString& text = {}) {
  auto* label = new QLabel(text, parent);
  ShowAsPlainText(label);
  return label;
}

}  // namespace

void GatedSelectorHost::LoadAndPlay(const std::string& path) {
  gate_.Submit([this, path] { player_.LoadAndPlay(path); });
}

void GatedSelectorHost::AppendAndPlay(const std::string& path) {
  gate_.Submit([this, path] { player_.AppendAndPlay(path); });
}

void GatedSelectorHost::RestoreOnTop() {
  if (mainWindow_) gate_.Submit([window = mainWindow_] { window->ApplyOnTop(); });
}

FrmVisLoaderView::FrmVisLoaderView(PlayerMode& player, InputGate& gate,
                                   const std::string& programFolder, PicturePrinter* printer,
                                   SettingsHost* mainWindow)
    : QWidget(nullptr, Qt::Window),
      host_(player, gate, mainWindow),
      tasks_(this, *this, kCell),
      logic_(host_, tasks_, programFolder),
      grid_(new QWidget(this)),
      entries_(new QListWidget(this)),
      status_(PlainLabel(this)),
      header_(PlainLabel(this, QStringLiteral("Selected Playlist:"))),
      selectedName_(PlainLabel(this)),
      contents_(new QListWidget(this)),
      prev_(new QPushButton(QStringLiteral("Pg &Up"), this)),
      next_(new QPushButton(QStringLiteral("Pg &Dn"), this)),
      load_(new QPushButton(QStringLiteral("&Load"), this)),
      selectDir_(new QPushButton(QStringLiteral("&Select Dir"), this)),
      cancelButton_(new QPushButton(QStringLiteral("&Exit"), this)),
      togglePL_(new QPushButton(QStringLiteral("&List"), this)),
      background_(new QPushButton(QStringLiteral("&Bg"), this)),
      setDefault_(new QCheckBox(QStringLiteral("Set as Default"), this)),
      print_(new QPushButton(QStringLiteral("Prnt"), this)),
      printer_(printer) {
  setWindowTitle(QStringLiteral("Visual Playlist Selector"));
  setWindowIcon(VarloIcon());
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* cells = new QGridLayout(grid_);
  for (int i = 0; i < kPlaylistsPerPage; ++i) {
    auto* picture = PlainLabel(grid_);
    picture->setFixedSize(kCell + 6, kCell + 6);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::Box);
    picture->setLineWidth(0);
    picture->setMouseTracking(true);
    picture->installEventFilter(this);
    auto* name = PlainLabel(grid_);
    name->setFixedWidth(kCell + 6);
    name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cells->addWidget(picture, (i / 4) * 2, i % 4);
    cells->addWidget(name, (i / 4) * 2 + 1, i % 4);
    pictures_[static_cast<std::size_t>(i)] = picture;
    names_[static_cast<std::size_t>(i)] = name;
  }
  entries_->hide();
  auto* left = new QVBoxLayout;
  left->addWidget(grid_);
  left->addWidget(entries_, 1);
  left->addWidget(status_);
  auto* right = new QVBoxLayout;
  right->addWidget(header_);
  right->addWidget(selectedName_);
  right->addWidget(contents_, 1);
  right->addWidget(setDefault_);
  auto* panes = new QHBoxLayout;
  panes->addLayout(left);
  panes->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  print_->setVisible(printer_ != nullptr);
  for (QPushButton* b :
       {prev_, next_, load_, selectDir_, togglePL_, background_, print_, cancelButton_})
    buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(panes, 1);
  layout->addLayout(buttons);
  resize(760, 620);

  logic_.onChanged = [this](unsigned changes) { Redraw(changes); };
  connect(prev_, &QPushButton::clicked, this, [this] { logic_.cPrev_Click(); });
  connect(next_, &QPushButton::clicked, this, [this] { logic_.cNext_Click(); });
  connect(load_, &QPushButton::clicked, this, [this] { logic_.OpenSelected(); });
  connect(selectDir_, &QPushButton::clicked, this, [this] {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Select directory containing media files:"));
    if (!folder.isEmpty()) Scan(PathFromQt(folder));
  });
  connect(cancelButton_, &QPushButton::clicked, this, [this] { logic_.cCancel_Click(); });
  connect(togglePL_, &QPushButton::clicked, this, [this] { ToggleListView(); });
  connect(print_, &QPushButton::clicked, this, [this] { PrintWindow(); });
  connect(background_, &QPushButton::clicked, this, [this] { ToggleBackground(); });
  connect(setDefault_, &QCheckBox::toggled, this,
          [this](bool ticked) { logic_.chkSetDef_Click(ticked); });
  connect(entries_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { logic_.Dummy_Click(entries_->row(item)); });
  connect(entries_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    logic_.Dummy_Click(entries_->row(item));
    logic_.OpenSelected();
  });
  connect(contents_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { logic_.PlayList_DblClick(contents_->row(item)); });
}

FrmVisLoaderView::~FrmVisLoaderView() {
  logic_.onChanged = nullptr;
}

void FrmVisLoaderView::Start() {
  logic_.Form_Load();
}

void FrmVisLoaderView::ScanProgress(std::uint64_t ticket, std::size_t found) {
  logic_.ScanProgress(ticket, found);
}

void FrmVisLoaderView::ScanDone(std::uint64_t ticket, std::vector<std::string> found) {
  logic_.ScanDone(ticket, std::move(found));
}

void FrmVisLoaderView::PicturesDone(std::uint64_t ticket, std::vector<QImage> images) {
  if (!logic_.PicturesWanted(ticket)) return;  // another page, or another folder
  for (std::size_t i = 0; i < images.size() && i < pictures_.size(); ++i)
    if (!images[i].isNull()) pictures_[i]->setPixmap(QPixmap::fromImage(images[i]));
  logic_.PicturesDone(ticket);
}

void FrmVisLoaderView::ContentsDone(std::uint64_t ticket, PlaylistContents contents) {
  logic_.ContentsDone(ticket, std::move(contents));
}

void FrmVisLoaderView::Redraw(unsigned changes) {
  using Form = VisualSelectorForm;
  if (changes & Form::kEntries) ShowEntries();
  if (changes & Form::kPage) ShowPage();
  if (changes & Form::kStatus) status_->setText(PathToQt(logic_.Status()));
  if (changes & Form::kSelection) {
    selectedName_->setText(PathToQt(logic_.NameLabel()));
    // The list view marks the entry selected on the page.
    const QSignalBlocker block(entries_);
    entries_->setCurrentRow(logic_.SelectedIndex());
  }
  if (changes & Form::kContents) {
    contents_->clear();
    for (const std::string& line : logic_.Contents().lines) contents_->addItem(PathToQt(line));
  }
  if (changes & Form::kBusy) cancelButton_->setText(QString::fromUtf8(logic_.CancelCaption()));
  if (changes & Form::kClose) close();
}

void FrmVisLoaderView::ShowEntries() {
  const QSignalBlocker block(entries_);
  entries_->clear();
  for (const std::string& path : logic_.Found()) entries_->addItem(PathToQt(GetFileName(path)));
}

void FrmVisLoaderView::ShowPage() {
  for (int i = 0; i < kPlaylistsPerPage; ++i) {
    QLabel* picture = pictures_[static_cast<std::size_t>(i)];
    QLabel* name = names_[static_cast<std::size_t>(i)];
    picture->clear();
    const int index = logic_.EntryOnPage(i);
    if (index < 0) {
      picture->hide();
      name->hide();
      continue;
    }
    const QString shown = PathToQt(logic_.EntryName(index));
    picture->setToolTip(PlainToolTip(shown));
    name->setText(QFontMetrics(name->font()).elidedText(shown, Qt::ElideRight, kCell));
    picture->show();
    name->show();
  }
}

void FrmVisLoaderView::PrintWindow() {
  if (!printer_) return;
  const QImage look = grab().toImage();
  if (printer_->PrintImage(look, "Visual Playlist Selector") == PrintResult::kFailed)
    selectedName_->setText(QStringLiteral("The window could not be printed."));
}

void FrmVisLoaderView::ToggleListView() {
  const bool list = !entries_->isVisible();
  entries_->setVisible(list);
  grid_->setVisible(!list);
}

void FrmVisLoaderView::ToggleBackground() {
  dark_ = !dark_;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, dark_ ? Qt::black : Qt::white);
  pal.setColor(QPalette::WindowText, dark_ ? Qt::white : Qt::black);
  pal.setColor(QPalette::Base, dark_ ? Qt::black : Qt::white);
  pal.setColor(QPalette::Text, dark_ ? Qt::white : Qt::black);
  setPalette(pal);
  setAutoFillBackground(true);
}

void FrmVisLoaderView::Highlight(int i) {
  if (i == highlighted_) return;
  if (highlighted_ >= 0) pictures_[static_cast<std::size_t>(highlighted_)]->setLineWidth(0);
  highlighted_ = i;
  if (i >= 0) pictures_[static_cast<std::size_t>(i)]->setLineWidth(2);
}

bool FrmVisLoaderView::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < kPlaylistsPerPage; ++i) {
    if (watched != pictures_[static_cast<std::size_t>(i)]) continue;
    switch (event->type()) {
      case QEvent::Enter:
        Highlight(i);
        break;
      case QEvent::Leave:
        Highlight(-1);
        break;
      case QEvent::MouseButtonPress:
        logic_.ShowPlaylistContents(i);
        return true;
      case QEvent::MouseButtonDblClick:
        logic_.ShowPlaylistContents(i);
        logic_.OpenSelected();
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FrmVisLoaderView::closeEvent(QCloseEvent* event) {
  // Closing stops what still runs; its answers are dropped.
  logic_.Form_Unload();
  event->accept();
}

}  // namespace varlo
