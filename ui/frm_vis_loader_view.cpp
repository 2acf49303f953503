#include "ui/frm_vis_loader_view.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>
#include <QVBoxLayout>
#include <filesystem>

#include "common/paths.h"
#include "platform/qt/path_text.h"
#include "platform/qt/qt_picture_loader.h"
#include "player/display_name.h"
#include "player/visual_selector.h"
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

FrmVisLoaderView::FrmVisLoaderView(PlayerMode& player, InputGate& gate,
                                   const std::string& programFolder, PicturePrinter* printer)
    : QWidget(nullptr, Qt::Window),
      player_(player),
      gate_(gate),
      programFolder_(programFolder),
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

  connect(prev_, &QPushButton::clicked, this, [this] {
    if (busy_ || page_ <= 0) return;
    --page_;
    ShowPage();
  });
  connect(next_, &QPushButton::clicked, this, [this] {
    if (busy_ || page_ >= LastPage(static_cast<int>(found_.size()))) return;
    ++page_;
    ShowPage();
  });
  connect(load_, &QPushButton::clicked, this, [this] { OpenSelected(); });
  connect(selectDir_, &QPushButton::clicked, this, [this] {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Select directory containing media files:"));
    if (!folder.isEmpty()) Scan(PathFromQt(folder));
  });
  connect(cancelButton_, &QPushButton::clicked, this, [this] {
    if (busy_ && cancel_) {
      *cancel_ = true;
      return;
    }
    close();
  });
  connect(togglePL_, &QPushButton::clicked, this, [this] { ToggleListView(); });
  connect(print_, &QPushButton::clicked, this, [this] { PrintWindow(); });
  connect(background_, &QPushButton::clicked, this, [this] { ToggleBackground(); });
  connect(entries_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) {
      page_ = row / kPlaylistsPerPage;
      SelectOnPage(row % kPlaylistsPerPage);
    }
  });
  connect(entries_, &QListWidget::itemDoubleClicked, this, [this] { OpenSelected(); });
  connect(contents_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const int row = contents_->row(item);
    if (row < 0 || static_cast<std::size_t>(row) >= selectedPaths_.size()) return;
    const std::string path = selectedPaths_[static_cast<std::size_t>(row)];
    gate_.Submit([this, path] { player_.AppendAndPlay(path); });
  });
}

FrmVisLoaderView::~FrmVisLoaderView() {
  if (cancel_) *cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void FrmVisLoaderView::Start() {
  const std::string nocover = AddSlash(programFolder_) + "nocover.bmp";
  defaultPicture_ = FileExists(nocover) ? nocover : std::string();
  const std::string& folder = player_.Settings().visPLPath;
  Scan(folder.empty() ? programFolder_ : folder);
}

void FrmVisLoaderView::Run(std::function<void(const std::atomic<bool>& stop)> work) {
  // The task before is stopped first; its walk ends at the next folder, its decoding at the
  // next picture.
  if (cancel_) *cancel_ = true;
  if (worker_.joinable()) worker_.join();
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  worker_ = std::thread([work = std::move(work), stop = cancel_] { work(*stop); });
}

void FrmVisLoaderView::Scan(const std::string& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return;  // the lists stay as they are
  SetBusy(true);
  selectedName_->setText(QStringLiteral("One moment, looking for playlists..."));
  // The walk reports its count now and then; results come back as queued calls, which Qt
  // drops once the window is gone.
  Run([this, folder](const std::atomic<bool>& stop) {
    std::vector<std::string> found = ScanPlaylists(
        folder,
        [this](std::size_t taken) {
          QMetaObject::invokeMethod(
              this,
              [this, taken] {
                status_->setText(QStringLiteral("Looking for playlists... %1 found").arg(taken));
              },
              Qt::QueuedConnection);
        },
        &stop);
    QMetaObject::invokeMethod(
        this, [this, folder, found = std::move(found)]() mutable { ScanDone(folder, found); },
        Qt::QueuedConnection);
  });
}

void FrmVisLoaderView::ScanDone(const std::string& folder, std::vector<std::string> found) {
  found_ = std::move(found);
  page_ = 0;
  selected_.clear();
  entries_->clear();
  for (const std::string& path : found_) entries_->addItem(PathToQt(GetFileName(path)));
  if (setDefault_->isChecked()) player_.Settings().visPLPath = folder;
  SetBusy(false);
  ShowPage();
}

void FrmVisLoaderView::ShowPage() {
  contents_->clear();
  selectedPaths_.clear();
  const int count = static_cast<int>(found_.size());
  status_->setText(QString::fromStdString(PageStatus(page_, count)));
  selectedName_->setText(QStringLiteral("One moment, loading playlist pictures..."));
  std::vector<std::string> files;
  for (int i = 0; i < kPlaylistsPerPage; ++i) {
    const int index = page_ * kPlaylistsPerPage + i;
    QLabel* picture = pictures_[static_cast<std::size_t>(i)];
    QLabel* name = names_[static_cast<std::size_t>(i)];
    picture->clear();
    if (index >= count) {
      picture->hide();
      name->hide();
      continue;
    }
    const std::string& path = found_[static_cast<std::size_t>(index)];
    const QString shown = PathToQt(DisplayName(GetFileName(path), 1));
    picture->setToolTip(PlainToolTip(shown));
    name->setText(QFontMetrics(name->font()).elidedText(shown, Qt::ElideRight, kCell));
    picture->show();
    name->show();
    files.push_back(PlaylistPicture(path, defaultPicture_));
  }
  SetBusy(true);
  const int page = page_;
  Run([this, page, files](const std::atomic<bool>& stop) {
    // Each picture is decoded and scaled once, here, off the window's thread.
    std::vector<QImage> images;
    for (const std::string& file : files) {
      if (stop) break;
      QImage image = file.empty() ? QImage() : ReadImageFile(file);
      if (!image.isNull())
        image = image.scaled(kCell, kCell, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      images.push_back(std::move(image));
    }
    QMetaObject::invokeMethod(
        this, [this, page, images = std::move(images)]() mutable { PicturesDone(page, images); },
        Qt::QueuedConnection);
  });
}

void FrmVisLoaderView::PicturesDone(int page, std::vector<QImage> images) {
  if (page == page_) {
    for (std::size_t i = 0; i < images.size() && i < pictures_.size(); ++i)
      if (!images[i].isNull()) pictures_[i]->setPixmap(QPixmap::fromImage(images[i]));
  }
  selectedName_->setText(QStringLiteral("Select playlist..."));
  SetBusy(false);
}

void FrmVisLoaderView::SelectOnPage(int i) {
  const int index = page_ * kPlaylistsPerPage + i;
  if (i < 0 || index >= static_cast<int>(found_.size())) return;
  selected_ = found_[static_cast<std::size_t>(index)];
  selectedName_->setText(PathToQt(DisplayName(GetFileName(selected_), 1)));
  const PlaylistContents contents = ReadPlaylistContents(selected_);
  contents_->clear();
  for (const std::string& line : contents.lines) contents_->addItem(PathToQt(line));
  selectedPaths_ = contents.paths;
}

void FrmVisLoaderView::OpenSelected() {
  if (selected_.empty() || busy_) return;
  if (IsFolderEntry(selected_)) return Scan(FolderOfEntry(selected_));
  const std::string path = selected_;
  gate_.Submit([this, path] { player_.LoadAndPlay(path); });
  close();
}

void FrmVisLoaderView::PrintWindow() {
  if (!printer_) return;
  const QImage look = grab().toImage();
  if (printer_->PrintImage(look, "Visual Playlist Selector") == PrintResult::kFailed)
    selectedName_->setText(QStringLiteral("The window could not be printed."));
}

void FrmVisLoaderView::SetBusy(bool busy) {
  busy_ = busy;
  cancelButton_->setText(busy ? QStringLiteral("Stop") : QStringLiteral("&Exit"));
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
        SelectOnPage(i);
        return true;
      case QEvent::MouseButtonDblClick:
        SelectOnPage(i);
        OpenSelected();
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FrmVisLoaderView::closeEvent(QCloseEvent* event) {
  // Closing stops what still runs; its results are dropped with the window's queued calls.
  if (cancel_) *cancel_ = true;
  event->accept();
}

}  // namespace varlo
