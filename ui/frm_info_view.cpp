#include "ui/frm_info_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPixmap>
#include <QVBoxLayout>

#include "platform/qt/path_text.h"
#include "platform/qt/qt_picture_loader.h"
#include "player/id3v1_tag.h"
#include "ui/plain_text.h"

namespace varlo {

namespace {
QLineEdit* Field(int maxLength) {
  auto* edit = new QLineEdit;
  if (maxLength > 0) edit->setMaxLength(maxLength);
  return edit;
}
}  // namespace

FrmInfoView::FrmInfoView(TrackInfoForm& form)
    : QWidget(nullptr, Qt::Window),
      form_(form),
      txtFileName_(Field(0)),
      txtTitle_(Field(static_cast<int>(kTagTitleBytes))),
      txtArtist_(Field(static_cast<int>(kTagArtistBytes))),
      txtAlbum_(Field(static_cast<int>(kTagAlbumBytes))),
      txtYear_(Field(static_cast<int>(kTagYearBytes))),
      txtComment_(Field(static_cast<int>(kTagCommentBytes) - 1)),
      txtTrack_(Field(3)),
      cboGenre_(new QComboBox),
      imgCover_(new QLabel),
      stream_(new QLabel),
      cbEdit_(new QCheckBox(QStringLiteral("Edit"))) {
  setWindowTitle(QStringLiteral("Track Info"));
  // A side window never keeps the program running once the main window has closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  for (std::string_view genre : kGenreNames)
    cboGenre_->addItem(QString::fromUtf8(genre.data(), static_cast<qsizetype>(genre.size())));
  cboGenre_->setMaxVisibleItems(20);
  imgCover_->setFixedSize(120, 120);
  imgCover_->setScaledContents(true);
  ShowAsPlainText(imgCover_);
  imgCover_->setFrameShape(QFrame::StyledPanel);

  auto* fields = new QGridLayout;
  int row = 0;
  auto addRow = [&](const char* caption, QWidget* w, QWidget* extra = nullptr) {
    fields->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
    fields->addWidget(w, row, 1, 1, extra ? 1 : 2);
    if (extra) fields->addWidget(extra, row, 2);
    ++row;
  };
  QPushButton* cmdSetTitle =
      Command(QStringLiteral("Title from file"), [](TrackInfoForm& f) { f.cmdSetTitle_Click(); });
  cmdSetTitle->setToolTip(
      QStringLiteral("Title from the file name, artist, album and year from mem*"));
  addRow("File", txtFileName_);
  addRow("Title", txtTitle_, cmdSetTitle);
  addRow("* Artist", txtArtist_);
  addRow("* Album", txtAlbum_);
  addRow("* Year", txtYear_);
  addRow("Comment", txtComment_);
  addRow("Track", txtTrack_);
  addRow("Genre", cboGenre_);
  ShowAsPlainText(stream_);
  stream_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  addRow("Stream", stream_);

  auto* coverBox = new QVBoxLayout;
  coverBox->addWidget(new QLabel(QStringLiteral("Album Cover")));
  coverBox->addWidget(imgCover_);
  coverBox->addStretch();

  auto* top = new QHBoxLayout;
  top->addLayout(fields, 1);
  top->addLayout(coverBox);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cbEdit_);
  buttons->addWidget(Command(QStringLiteral("copy"), [](TrackInfoForm& f) { f.cmdCpy_Click(); }));
  buttons->addWidget(Command(QStringLiteral("mem*"), [](TrackInfoForm& f) { f.cmdMem_Click(); }));
  cmdCurrent_ = Command(QStringLiteral("Current"), [](TrackInfoForm& f) { f.cmdCurrent_Click(); });
  buttons->addWidget(cmdCurrent_);
  buttons->addStretch();
  buttons->addWidget(Command(QStringLiteral("Save"), [](TrackInfoForm& f) { f.cmdSave_Click(); }));
  buttons->addWidget(Command(QStringLiteral("OK"), [](TrackInfoForm& f) { f.cmdOk_Click(); }));

  auto* note = new QLabel(QStringLiteral(
      "Click \"Edit\" to avoid tag updates. NOTE: Tag cannot be saved if file is playing!"));
  note->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(note);
  layout->addLayout(buttons);

  connect(cbEdit_, &QCheckBox::toggled, this, [this](bool ticked) {
    Pull();
    form_.cbEdit_Click(ticked);
  });
  form_.onChanged = [this] { Push(); };
  form_.onClose = [this] { close(); };
  timer1_.setParent(this);  // found by its name, like the main window's timers
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer1_.setInterval(500);
  connect(&timer1_, &QTimer::timeout, this, [this] {
    Pull();
    form_.Timer1_Timer();
  });
}

QPushButton* FrmInfoView::Command(const QString& caption,
                                  std::function<void(TrackInfoForm&)> handler) {
  auto* button = new QPushButton(caption);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, handler = std::move(handler)] {
    Pull();
    handler(form_);
  });
  return button;
}

void FrmInfoView::Pull() {
  TrackInfoFields& f = form_.Fields();
  f.fileName = PathFromQt(txtFileName_->text());
  f.title = txtTitle_->text().toStdString();
  f.artist = txtArtist_->text().toStdString();
  f.album = txtAlbum_->text().toStdString();
  f.year = txtYear_->text().toStdString();
  f.comment = txtComment_->text().toStdString();
  f.track = txtTrack_->text().toStdString();
  f.genre = cboGenre_->currentIndex();
  f.edit = cbEdit_->isChecked();
}

void FrmInfoView::Push() {
  const TrackInfoFields& f = form_.Fields();
  txtFileName_->setText(PathToQt(f.fileName));
  txtTitle_->setText(QString::fromStdString(f.title));
  txtArtist_->setText(QString::fromStdString(f.artist));
  txtAlbum_->setText(QString::fromStdString(f.album));
  txtYear_->setText(QString::fromStdString(f.year));
  txtComment_->setText(QString::fromStdString(f.comment));
  txtTrack_->setText(QString::fromStdString(f.track));
  cboGenre_->setCurrentIndex(f.genre);
  // The label texts with their units; nothing for media other than MPEG audio.
  QStringList stream;
  if (!f.bitRate.empty()) stream << QString::fromStdString(f.bitRate) + QStringLiteral(" kbit/s");
  if (!f.sampleRate.empty())
    stream << QString::fromStdString(f.sampleRate) + QStringLiteral(" kHz");
  if (!f.mode.empty()) stream << QString::fromStdString(f.mode);
  stream_->setText(stream.join(QStringLiteral(", ")));
  imgCover_->setPixmap(QPixmap::fromImage(ReadImageFile(f.cover)));
  {
    const QSignalBlocker block(cbEdit_);
    cbEdit_->setChecked(f.edit);
  }
  cmdCurrent_->setEnabled(form_.CurrentEnabled());
}

void FrmInfoView::showEvent(QShowEvent* event) {
  Push();
  timer1_.start();
  QWidget::showEvent(event);
}

void FrmInfoView::hideEvent(QHideEvent* event) {
  timer1_.stop();
  QWidget::hideEvent(event);
}

}  // namespace varlo
