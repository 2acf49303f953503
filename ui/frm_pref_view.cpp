#include "ui/frm_pref_view.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "common/app_settings.h"
#include "platform/qt/path_text.h"
#include "shell/schedule_entry.h"
#include "ui/app_icon.h"
#include "ui/plain_text.h"

namespace varlo {
namespace {

QString Text(const std::string& s) {
  return PathToQt(s);
}
std::string Std(const QString& s) {
  return PathFromQt(s);
}

QComboBox* List(QWidget* parent, std::initializer_list<const char*> items) {
  auto* box = new QComboBox(parent);
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  return box;
}

QGroupBox* Frame(const char* caption, QWidget* parent) {
  return new QGroupBox(QString::fromUtf8(caption), parent);
}

QPushButton* Button(const char* caption, QWidget* parent) {
  return new QPushButton(QString::fromUtf8(caption), parent);
}

void SetIndex(QComboBox* box, int index) {
  box->setCurrentIndex(std::clamp(index, 0, box->count() - 1));
}

}  // namespace

FrmPrefView::FrmPrefView(SettingsHost& host, InputGate& gate)
    : QWidget(nullptr, Qt::Window),
      host_(host),
      gate_(gate),
      logic_(host),
      tabs_(new QTabWidget(this)) {
  setWindowTitle(QStringLiteral("Varlo Prefs"));
  setWindowIcon(VarloIcon());
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  tabs_->addTab(InfoTab(), QStringLiteral("Info"));
  tabs_->addTab(DocsTab(), QStringLiteral("Docs"));
  tabs_->addTab(OptionsTab(), QStringLiteral("Options"));
  tabs_->addTab(AutoTab(), QStringLiteral("Auto"));
  tabs_->addTab(PathsTab(), QStringLiteral("Paths"));
  tabs_->addTab(PlayerTab(), QStringLiteral("Player"));
  tabs_->addTab(HalvernTab(), QStringLiteral("Halvern"));
  tabs_->addTab(MiscTab(), QStringLiteral("Misc"));
  layout->addWidget(tabs_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* apply = Button("Apply", this);
  auto* ok = Button("Okay", this);
  buttons->addWidget(apply);
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  connect(apply, &QPushButton::clicked, this, [this] { Act([this] { logic_.cmdApply_Click(); }); });
  connect(ok, &QPushButton::clicked, this, [this] { Act([this] { logic_.cmdOK_Click(); }); });

  logic_.onChanged = [this] { ShowFields(); };
  logic_.onClose = [this] { close(); };
  Act([this] {
    logic_.Form_Load();
    logic_.Form_Activate();
  });
  resize(700, 540);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

FrmPrefView::~FrmPrefView() = default;

QCheckBox* FrmPrefView::Check(const char* caption, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  return box;
}

void FrmPrefView::Act(std::function<void()> action) {
  if (showing_) return;  // the window is being filled from the fields, not edited
  QPointer<FrmPrefView> self(this);
  gate_.Submit([self, action = std::move(action)] {
    if (!self) return;
    self->ReadControls();
    action();
  });
}

QWidget* FrmPrefView::InfoTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* frame = Frame("Skin", tab);
  auto* inner = new QVBoxLayout(frame);
  lblCurSkin_ = new QLabel(frame);
  skinInf_ = new QLabel(frame);
  ShowAsPlainText(lblCurSkin_);
  ShowAsPlainText(skinInf_);
  skinInf_->setWordWrap(true);
  skinInf_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  auto* select = Button("Select Skin", frame);
  inner->addWidget(lblCurSkin_);
  inner->addWidget(skinInf_, 1);
  inner->addWidget(select, 0, Qt::AlignLeft);
  layout->addWidget(frame, 1);
  connect(select, &QPushButton::clicked, this,
          [this] { Act([this] { logic_.cSelSkin_Click(); }); });
  return tab;
}

QWidget* FrmPrefView::DocsTab() {
  static constexpr const char* kCaptions[5] = {"Documentation", "Readme", "Skins", "FAQ",
                                               "Credits"};
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* row = new QHBoxLayout;
  for (int i = 0; i < 5; ++i) {
    optView_[static_cast<std::size_t>(i)] = new QRadioButton(QString::fromUtf8(kCaptions[i]), tab);
    row->addWidget(optView_[static_cast<std::size_t>(i)]);
    connect(optView_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
            [this, i] { Act([this, i] { logic_.optView_Click(i); }); });
  }
  row->addStretch(1);
  layout->addLayout(row);
  txtMsg_ = new QPlainTextEdit(tab);
  txtMsg_->setReadOnly(true);
  txtMsg_->setLineWrapMode(QPlainTextEdit::NoWrap);  // the documents are laid out in lines
  txtMsg_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(txtMsg_, 1);
  return tab;
}

QWidget* FrmPrefView::OptionsTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* window = Frame("Window", tab);
  auto* w = new QVBoxLayout(window);
  w->addWidget(cbOnTop_ = Check("&Always on top", window));
  w->addWidget(cbSnap_ = Check("Snap to &Viewpoint", window));
  auto* shutdown = Frame("Shutdown", tab);
  (new QVBoxLayout(shutdown))->addWidget(cbSaveWin_ = Check("Save Window Position", shutdown));
  auto* top = new QHBoxLayout;
  top->addWidget(window);
  top->addWidget(shutdown);
  layout->addLayout(top);

  auto* startup = Frame("Startup", tab);
  auto* s = new QVBoxLayout(startup);
  static constexpr const char* kStart[3] = {"Blank Playlist", "Last Playlist",
                                            "File or Directory:"};
  for (int i = 0; i < 3; ++i) {
    auto*& option = startOpt_[static_cast<std::size_t>(i)];
    option = new QRadioButton(QString::fromUtf8(kStart[i]), startup);
    s->addWidget(option);
    connect(option, &QRadioButton::clicked, this,
            [this, i] { Act([this, i] { logic_.StartOpt_Click(i); }); });
  }
  auto* fileRow = new QHBoxLayout;
  startFile_ = new QLineEdit(startup);
  auto* selFile = Button("...F", startup);
  auto* selDir = Button("...D", startup);
  fileRow->addWidget(startFile_, 1);
  fileRow->addWidget(selFile);
  fileRow->addWidget(selDir);
  s->addLayout(fileRow);
  s->addWidget(cbStartMin_ = Check("Start Minimized", startup));
  layout->addWidget(startup);
  connect(selFile, &QPushButton::clicked, this,
          [this] { Act([this] { logic_.cSelFile_Click(); }); });
  connect(selDir, &QPushButton::clicked, this, [this] { Act([this] { logic_.cSelDir_Click(); }); });

  auto* general = Frame("General Options", tab);
  auto* g = new QVBoxLayout(general);
  g->addWidget(cbAutoCover_ = Check("Auto open separate Cover window", general));
  g->addWidget(cbNoRMB_ = Check("Disable Varlo Right-Click menu", general));
  g->addWidget(cbUseSkinB_ = Check("Use Skin Browser", general));
  g->addWidget(cbTimeFmt_ = Check("24hr Time Format", general));
  layout->addWidget(general);
  layout->addStretch(1);
  return tab;
}

QWidget* FrmPrefView::AutoTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* onOff = Frame("Auto On/Off", tab);
  auto* o = new QGridLayout(onOff);
  ooDay_ = new QComboBox(onOff);
  for (const char* day : kScheduleDays) ooDay_->addItem(QString::fromUtf8(day));
  ooOnTime_ = new QLineEdit(QStringLiteral("00:00"), onOff);
  ooOffTime_ = new QLineEdit(QStringLiteral("00:00"), onOff);
  ooPreset_ = new QLineEdit(onOff);
  for (QLineEdit* time : {ooOnTime_, ooOffTime_}) time->setMaxLength(5);
  auto* add = Button("Add", onOff);
  ooList_ = new QListWidget(onOff);
  ooList_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* del = Button("Delete Selected", onOff);
  o->addWidget(ooDay_, 0, 0, 1, 4);
  o->addWidget(new QLabel(QStringLiteral("Time: On:"), onOff), 1, 0);
  o->addWidget(ooOnTime_, 1, 1);
  o->addWidget(new QLabel(QStringLiteral("Off:"), onOff), 1, 2);
  o->addWidget(ooOffTime_, 1, 3);
  o->addWidget(new QLabel(QStringLiteral("File/Playlist:"), onOff), 2, 0);
  o->addWidget(ooPreset_, 2, 1);
  o->addWidget(add, 2, 3);
  o->addWidget(new QLabel(QStringLiteral("On/Off List:"), onOff), 3, 0, 1, 4);
  o->addWidget(ooList_, 4, 0, 1, 4);
  o->addWidget(del, 5, 0, 1, 4, Qt::AlignLeft);
  connect(add, &QPushButton::clicked, this, [this] { Act([this] { logic_.OOAddBtn_Click(); }); });
  connect(del, &QPushButton::clicked, this, [this] { Act([this] { logic_.OODelBtn_Click(); }); });

  auto* right = new QVBoxLayout;
  auto* snooze = Frame("Snooze", tab);
  auto* s = new QGridLayout(snooze);
  s->addWidget(cbSnoozeEn_ = Check("Enable Snooze", snooze), 0, 0, 1, 3);
  snzMd_[0] = new QRadioButton(QStringLiteral("After:"), snooze);
  snzMd_[1] = new QRadioButton(QStringLiteral("Set Time:"), snooze);
  snzMin_ = List(snooze, {"5", "10", "15", "20", "25", "30", "40", "45", "60"});
  snoozeAt_ = new QLineEdit(snooze);
  s->addWidget(snzMd_[0], 1, 0);
  s->addWidget(snzMin_, 1, 1);
  s->addWidget(new QLabel(QStringLiteral("minutes"), snooze), 1, 2);
  s->addWidget(snzMd_[1], 2, 0);
  s->addWidget(snoozeAt_, 2, 1);
  for (int i = 0; i < 2; ++i)
    connect(snzMd_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
            [this, i] { Act([this, i] { logic_.SnzMd_Click(i); }); });
  connect(cbSnoozeEn_, &QCheckBox::clicked, this,
          [this](bool on) { Act([this, on] { logic_.cbSnoozeEn_Click(on); }); });
  connect(snzMin_, &QComboBox::activated, this,
          [this](int i) { Act([this, i] { logic_.SnzMin_Click(i); }); });
  right->addWidget(snooze);
  auto* options = Frame("Options", tab);
  auto* op = new QVBoxLayout(options);
  op->addWidget(cbAutoEn_ = Check("Enable Auto On/Off", options));
  op->addWidget(cbMinOnSnz_ = Check("Minimize on Off/Snooze", options));
  right->addWidget(options);
  right->addStretch(1);
  auto* row = new QHBoxLayout;
  row->addWidget(onOff, 1);
  row->addLayout(right);
  layout->addLayout(row);
  return tab;
}

QWidget* FrmPrefView::PathsTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* paths = Frame("Paths", tab);
  auto* p = new QGridLayout(paths);
  cddaDir_ = new QLineEdit(paths);
  visPLD_ = new QLineEdit(paths);
  skinPath_ = new QLineEdit(paths);
  auto* setCdda = Button("...", paths);
  auto* setVpd = Button("...", paths);
  auto* setSkinDir = Button("...", paths);
  p->addWidget(new QLabel(QStringLiteral("CD Audio Data:"), paths), 0, 0);
  p->addWidget(cddaDir_, 0, 1);
  p->addWidget(setCdda, 0, 2);
  p->addWidget(new QLabel(QStringLiteral("Vis PL Selector:"), paths), 1, 0);
  p->addWidget(visPLD_, 1, 1);
  p->addWidget(setVpd, 1, 2);
  p->addWidget(new QLabel(QStringLiteral("Skins:"), paths), 2, 0);
  p->addWidget(skinPath_, 2, 1);
  p->addWidget(setSkinDir, 2, 2);
  layout->addWidget(paths);
  connect(setVpd, &QPushButton::clicked, this, [this] { Act([this] { logic_.cSetVPD_Click(); }); });
  connect(setSkinDir, &QPushButton::clicked, this,
          [this] { Act([this] { logic_.cSetSkinDir_Click(); }); });

  auto* favourites = Frame("Favorite Skins", tab);
  auto* f = new QGridLayout(favourites);
  cboSkinPath_ = new QComboBox(favourites);
  for (std::string_view name : kFavouriteSlotNames)
    cboSkinPath_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  txtFavSkin_ = new QLineEdit(favourites);
  auto* favSel = Button("Favorite:", favourites);
  f->addWidget(favSel, 0, 0);
  f->addWidget(cboSkinPath_, 0, 1);
  f->addWidget(new QLabel(QStringLiteral("Path to Skin:"), favourites), 1, 0);
  f->addWidget(txtFavSkin_, 1, 1);
  layout->addWidget(favourites);
  layout->addStretch(1);
  connect(cboSkinPath_, &QComboBox::activated, this,
          [this](int slot) { Act([this, slot] { logic_.cboSkinPath_Click(slot); }); });
  connect(txtFavSkin_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Act([this, path = Std(text)] { logic_.txtFavSkin_Change(path); });
  });
  connect(favSel, &QPushButton::clicked, this, [this] { Act([this] { logic_.FavSel_Click(); }); });
  return tab;
}

QWidget* FrmPrefView::PlayerTab() {
  auto* tab = new QWidget;
  auto* layout = new QGridLayout(tab);
  auto* startMode = Frame("Player Mode at Startup", tab);
  cboStartPMd_ = List(startMode, {"Last Mode Used", "Media Mode", "CD Mode"});
  (new QVBoxLayout(startMode))->addWidget(cboStartPMd_);
  layout->addWidget(startMode, 0, 0);
  auto* loudness = Frame("ReplayGain", tab);
  replayGain_ = List(loudness, {"Off", "Track", "Album"});
  replayGain_->setToolTip(
      QStringLiteral("Evens out loudness with the files' ReplayGain tags (clipping prevented)"));
  (new QVBoxLayout(loudness))->addWidget(replayGain_);
  layout->addWidget(loudness, 0, 1);

  auto* cddb = Frame("CDDB", tab);
  auto* c = new QFormLayout(cddb);
  cbUseCDDB_ = Check("Use CDDB; Server:", cddb);
  txtCDDBcmd_ = new QLineEdit(cddb);
  txtEmail_ = new QLineEdit(cddb);
  c->addRow(cbUseCDDB_, txtCDDBcmd_);
  c->addRow(QStringLiteral("Your e-mail address:"), txtEmail_);
  layout->addWidget(cddb, 1, 0, 1, 2);

  auto* options = Frame("Options", tab);
  auto* o = new QVBoxLayout(options);
  o->addWidget(cbUseCDP_ = Check("Read CDPlayer INI", options));
  o->addWidget(cbAutoPlay_ = Check("AutoPlay on Playlist/CD Load", options));
  o->addWidget(cbClrPl_ = Check("Clear Playlist before Load", options));
  o->addWidget(cbScrollName_ = Check("Scroll Songname", options));
  o->addWidget(cbTagCover_ = Check("Load Album cover using ID3Tag info", options));
  o->addWidget(cbFriendly_ = Check("Use Friendly Names in Playlist", options));
  o->addWidget(cbAutoCloseQF_ = Check("Auto Close Quick Find/Play", options));
  layout->addWidget(options, 2, 0, 3, 1);
  connect(cbAutoCloseQF_, &QCheckBox::clicked, this,
          [this](bool on) { Act([this, on] { logic_.cbAutoCloseQF_Click(on); }); });

  auto* ext = Frame("DirAdd Extensions", tab);
  valExt_ = new QLineEdit(ext);
  (new QVBoxLayout(ext))->addWidget(valExt_);
  layout->addWidget(ext, 2, 1);
  auto* device = Frame("Media Mode - MCI Device", tab);
  mciDev_ = List(device, {"MPEGVideo", "MPEGVideo2", "ActiveMovie"});
  (new QVBoxLayout(device))->addWidget(mciDev_);
  layout->addWidget(device, 3, 1);
  auto* continuous = Frame("Continuous Playback", tab);
  auto* cp = new QHBoxLayout(continuous);
  cp->addWidget(contPB_ = Check("Enable; Overlap (ms):", continuous));
  pbOverlap_ = new QLineEdit(continuous);
  cp->addWidget(pbOverlap_);
  layout->addWidget(continuous, 4, 1);
  layout->setRowStretch(5, 1);
  return tab;
}

QWidget* FrmPrefView::HalvernTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* shutdown = Frame("Shutdown", tab);
  auto* sd = new QFormLayout(shutdown);
  exMute_ = List(shutdown, {"No", "Yes", "Ask Me!"});
  sd->addRow(QStringLiteral("Mute Audio:"), exMute_);
  layout->addWidget(shutdown);

  auto* startup = Frame("Startup", tab);
  auto* st = new QGridLayout(startup);
  static constexpr const char* kTune[3] = {"Last Station", "Preset:", "Frequency:"};
  st->addWidget(new QLabel(QStringLiteral("Tune to:"), startup), 0, 0);
  for (int i = 0; i < 3; ++i) {
    auto*& option = tuneOpt_[static_cast<std::size_t>(i)];
    option = new QRadioButton(QString::fromUtf8(kTune[i]), startup);
    st->addWidget(option, i, 1);
    connect(option, &QRadioButton::clicked, this,
            [this, i] { Act([this, i] { logic_.TuneOpt_Click(i); }); });
  }
  startPreset_ = new QLineEdit(startup);
  startFreq_ = new QLineEdit(startup);
  st->addWidget(startPreset_, 1, 2);
  st->addWidget(startFreq_, 2, 2);
  layout->addWidget(startup);

  auto* card = Frame("Tuner Card", tab);
  auto* c = new QFormLayout(card);
  cbFMEnable_ = Check("Enable FM Radio", card);
  c->addRow(cbFMEnable_);
  crdTyp_ =
      List(card, {"Aztech/PB/CompExpress", "Aims Labs RadioTrack", "Aims Labs RadioTrack II"});
  crdAddr_ = new QComboBox(card);
  c->addRow(QStringLiteral("Type:"), crdTyp_);
  c->addRow(QStringLiteral("Address:"), crdAddr_);
  auto* note = new QLabel(
      QStringLiteral("A real card needs port access: run as root or give the program "
                     "CAP_SYS_RAWIO. Without a card, start with HALVERN_PORT=sim for the "
                     "emulated one; leave the radio disabled otherwise."),
      card);
  note->setWordWrap(true);
  c->addRow(note);
  layout->addWidget(card);
  layout->addStretch(1);
  connect(crdTyp_, &QComboBox::activated, this,
          [this](int type) { Act([this, type] { logic_.CrdTyp_Click(type); }); });
  connect(crdAddr_, &QComboBox::activated, this,
          [this](int choice) { Act([this, choice] { logic_.CrdAddr_Click(choice); }); });
  return tab;
}

QWidget* FrmPrefView::MiscTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* display = Frame("External Display", tab);
  auto* d = new QFormLayout(display);
  exEnable_ = Check("&Enable", display);
  d->addRow(exEnable_);
  exDev_ = List(display, {"ProLite TruColorII ", "LCD Module"});
  d->addRow(QStringLiteral("Device:"), exDev_);
  exPort_ = new QComboBox(display);
  exPort_->setEditable(true);  // any device path may be typed
  for (const char* port : kDisplayPorts) exPort_->addItem(QString::fromUtf8(port));
  d->addRow(QStringLiteral("Port:"), exPort_);
  exParm_ = new QLineEdit(display);
  d->addRow(QStringLiteral("Settings:"), exParm_);
  layout->addWidget(display);
  layout->addStretch(1);
  return tab;
}

void FrmPrefView::ReadControls() {
  PrefsFields& f = logic_.Fields();
  f.onTop = cbOnTop_->isChecked();
  f.snap = cbSnap_->isChecked();
  f.saveWin = cbSaveWin_->isChecked();
  for (int i = 0; i < 3; ++i)
    if (startOpt_[static_cast<std::size_t>(i)]->isChecked()) f.startOpt = i;
  f.startFile = Std(startFile_->text());
  f.startMin = cbStartMin_->isChecked();
  f.autoCover = cbAutoCover_->isChecked();
  f.noRMB = cbNoRMB_->isChecked();
  f.useSkinB = cbUseSkinB_->isChecked();
  f.timeFmt = cbTimeFmt_->isChecked();

  f.ooDay = ooDay_->currentIndex();
  f.ooOnTime = Std(ooOnTime_->text());
  f.ooOffTime = Std(ooOffTime_->text());
  f.ooPreset = Std(ooPreset_->text());
  f.ooSelected = ooList_->currentRow();
  f.snoozeEn = cbSnoozeEn_->isChecked();
  f.snzMd = snzMd_[1]->isChecked() ? 1 : 0;
  f.snzMin = snzMin_->currentIndex();
  f.snoozeAt = Std(snoozeAt_->text());
  f.autoEn = cbAutoEn_->isChecked();
  f.minOnSnz = cbMinOnSnz_->isChecked();

  f.cddaDir = Std(cddaDir_->text());
  f.visPLD = Std(visPLD_->text());
  f.skinPath = Std(skinPath_->text());
  f.favSlot = cboSkinPath_->currentIndex();

  f.startPMd = cboStartPMd_->currentIndex();
  f.useCDDB = cbUseCDDB_->isChecked();
  f.cddbCmd = Std(txtCDDBcmd_->text());
  f.email = Std(txtEmail_->text());
  f.useCDP = cbUseCDP_->isChecked();
  f.autoPlay = cbAutoPlay_->isChecked();
  f.clrPl = cbClrPl_->isChecked();
  f.scrollName = cbScrollName_->isChecked();
  f.tagCover = cbTagCover_->isChecked();
  f.friendly = cbFriendly_->isChecked();
  f.autoCloseQF = cbAutoCloseQF_->isChecked();
  f.validExt = Std(valExt_->text());
  f.mciDev = mciDev_->currentIndex();
  f.contPB = contPB_->isChecked();
  f.pbOverlap = Std(pbOverlap_->text());
  f.replayGain = replayGain_->currentIndex();

  f.exMute = exMute_->currentIndex();
  for (int i = 0; i < 3; ++i)
    if (tuneOpt_[static_cast<std::size_t>(i)]->isChecked()) f.tuneOpt = i;
  f.startPreset = Std(startPreset_->text());
  f.startFreq = Std(startFreq_->text());
  f.fmEnable = cbFMEnable_->isChecked();
  f.cardType = crdTyp_->currentIndex();
  f.cardPort = crdAddr_->currentIndex();

  f.exEnable = exEnable_->isChecked();
  f.exDev = exDev_->currentIndex();
  const QString port = exPort_->currentText().trimmed();
  const int listed = exPort_->findText(port);
  f.exPort = listed >= 0 ? listed : f.exPort;
  f.exDevice = listed >= 0 ? std::string() : Std(port);
  f.exParm = Std(exParm_->text());
}

void FrmPrefView::ShowFields() {
  showing_ = true;
  const PrefsFields& f = logic_.Fields();
  lblCurSkin_->setText(Text(logic_.CurrentSkin()));
  skinInf_->setText(Text(logic_.SkinInfo()));
  optView_[static_cast<std::size_t>(logic_.DocIndex())]->setChecked(true);
  if (txtMsg_->toPlainText() != QString::fromStdString(logic_.DocText()))
    txtMsg_->setPlainText(QString::fromStdString(logic_.DocText()));

  cbOnTop_->setChecked(f.onTop);
  cbSnap_->setChecked(f.snap);
  cbSaveWin_->setChecked(f.saveWin);
  startOpt_[static_cast<std::size_t>(std::clamp(f.startOpt, 0, 2))]->setChecked(true);
  startFile_->setText(Text(f.startFile));
  cbStartMin_->setChecked(f.startMin);
  cbAutoCover_->setChecked(f.autoCover);
  cbNoRMB_->setChecked(f.noRMB);
  cbUseSkinB_->setChecked(f.useSkinB);
  cbTimeFmt_->setChecked(f.timeFmt);

  SetIndex(ooDay_, f.ooDay);
  ooOnTime_->setText(Text(f.ooOnTime));
  ooOffTime_->setText(Text(f.ooOffTime));
  ooPreset_->setText(Text(f.ooPreset));
  ooList_->clear();
  for (const std::string& line : f.ooList) ooList_->addItem(Text(line));
  ooList_->setCurrentRow(f.ooSelected);
  cbSnoozeEn_->setChecked(f.snoozeEn);
  snzMd_[static_cast<std::size_t>(std::clamp(f.snzMd, 0, 1))]->setChecked(true);
  SetIndex(snzMin_, f.snzMin);
  snoozeAt_->setText(Text(f.snoozeAt));
  cbAutoEn_->setChecked(f.autoEn);
  cbMinOnSnz_->setChecked(f.minOnSnz);

  cddaDir_->setText(Text(f.cddaDir));
  visPLD_->setText(Text(f.visPLD));
  skinPath_->setText(Text(f.skinPath));
  SetIndex(cboSkinPath_, f.favSlot);
  txtFavSkin_->setText(Text(logic_.FavouritePath()));

  SetIndex(cboStartPMd_, f.startPMd);
  cbUseCDDB_->setChecked(f.useCDDB);
  txtCDDBcmd_->setText(Text(f.cddbCmd));
  txtEmail_->setText(Text(f.email));
  cbUseCDP_->setChecked(f.useCDP);
  cbAutoPlay_->setChecked(f.autoPlay);
  cbClrPl_->setChecked(f.clrPl);
  cbScrollName_->setChecked(f.scrollName);
  cbTagCover_->setChecked(f.tagCover);
  cbFriendly_->setChecked(f.friendly);
  cbAutoCloseQF_->setChecked(f.autoCloseQF);
  valExt_->setText(Text(f.validExt));
  SetIndex(mciDev_, f.mciDev);
  contPB_->setChecked(f.contPB);
  pbOverlap_->setText(Text(f.pbOverlap));
  SetIndex(replayGain_, f.replayGain);

  SetIndex(exMute_, f.exMute);
  tuneOpt_[static_cast<std::size_t>(std::clamp(f.tuneOpt, 0, 2))]->setChecked(true);
  startPreset_->setText(Text(f.startPreset));
  startFreq_->setText(Text(f.startFreq));
  cbFMEnable_->setChecked(f.fmEnable);
  SetIndex(crdTyp_, f.cardType);
  crdAddr_->clear();
  for (const std::string& address : CardAddresses(f.cardType)) crdAddr_->addItem(Text(address));
  SetIndex(crdAddr_, f.cardPort);

  exEnable_->setChecked(f.exEnable);
  SetIndex(exDev_, f.exDev);
  if (f.exDevice.empty())
    SetIndex(exPort_, f.exPort);
  else
    exPort_->setEditText(Text(f.exDevice));
  exParm_->setText(Text(f.exParm));
  showing_ = false;
}

void FrmPrefView::SkinFolderChanged() {
  Act([this] { logic_.SkinFolderChanged(); });
}

void FrmPrefView::SkinLoaded() {
  Act([this] { ShowFields(); });
}

void FrmPrefView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    Act([this] { logic_.Form_Activate(); });
}

void FrmPrefView::closeEvent(QCloseEvent* event) {
  Act([this] { logic_.Form_Unload(); });
  QWidget::closeEvent(event);
}

}  // namespace varlo
