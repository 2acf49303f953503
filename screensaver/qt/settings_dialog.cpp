#include "screensaver/qt/settings_dialog.h"

#include <QButtonGroup>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/path_text.h"

namespace varlo {
namespace {

// A file chosen in the "Select Skin" dialog; empty when cancelled.
std::string Choose(QWidget* parent, const std::string& folder, const QString& filter) {
  return PathFromQt(QFileDialog::getOpenFileName(parent, QStringLiteral("Select Skin"),
                                                 PathToQt(folder), filter));
}

// The chosen file, or `current` when cancelled.
std::string Choose(QWidget* parent, const std::string& folder, const QString& filter,
                   const std::string& current) {
  const std::string picked = Choose(parent, folder, filter);
  return picked.empty() ? current : picked;
}

const QString kSkinFilter = QStringLiteral("Skin Files (*.skin)");

}  // namespace

std::string SelectSaverSkin(QWidget* parent, const std::string& folder) {
  return Choose(parent, folder, kSkinFilter);
}

std::string QtSaverPrompts::SelectSkin(const std::string& folder) {
  return SelectSaverSkin(nullptr, folder);
}

void QtSaverPrompts::Message(const std::string& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("VarloSS"), PathToQt(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);  // paths are shown as they are
  box.exec();
}

bool RunSaverSettings(SaverSettings& settings, SettingsStore& store,
                      const std::string& programFolder, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Varlo ScreenSaver - Settings"));
  auto* grid = new QGridLayout(&dialog);
  auto* twelve = new QRadioButton(QStringLiteral("&12 Hour"), &dialog);
  auto* twentyFour = new QRadioButton(QStringLiteral("&24 Hour"), &dialog);
  auto* mode = new QButtonGroup(&dialog);
  mode->addButton(twelve, 0);
  mode->addButton(twentyFour, 1);
  (settings.timeFmt == 1 ? twentyFour : twelve)->setChecked(true);
  grid->addWidget(twelve, 0, 0);
  grid->addWidget(twentyFour, 0, 1);

  SaverSettings edited = settings;
  auto* skinName = new QLabel(PathToQt(edited.ssSkin), &dialog);
  auto* picName = new QLabel(PathToQt(edited.ssPic), &dialog);
  // File names are shown as they are, never taken for markup.
  skinName->setTextFormat(Qt::PlainText);
  picName->setTextFormat(Qt::PlainText);
  skinName->setObjectName(QStringLiteral("SkinName"));
  picName->setObjectName(QStringLiteral("PicName"));
  auto* selSkin = new QPushButton(QStringLiteral("Skin..."), &dialog);
  auto* selPic = new QPushButton(QStringLiteral("Picture..."), &dialog);
  auto* done = new QPushButton(QStringLiteral("&Done"), &dialog);
  grid->addWidget(selSkin, 1, 0);
  grid->addWidget(skinName, 1, 1);
  grid->addWidget(selPic, 2, 0);
  grid->addWidget(picName, 2, 1);
  grid->addWidget(done, 3, 1);

  const std::string folder = edited.skinPath.empty() ? programFolder : edited.skinPath;
  QObject::connect(selSkin, &QPushButton::clicked, &dialog, [&] {
    edited.ssSkin = Choose(&dialog, folder, kSkinFilter, edited.ssSkin);
    skinName->setText(PathToQt(edited.ssSkin));
  });
  QObject::connect(selPic, &QPushButton::clicked, &dialog, [&] {
    edited.ssPic = Choose(&dialog, folder,
                          QStringLiteral("Bitmap Files (*.gif *.bmp *.jpg *.jpeg)"), edited.ssPic);
    picName->setText(PathToQt(edited.ssPic));
  });
  QObject::connect(done, &QPushButton::clicked, &dialog, &QDialog::accept);
  if (dialog.exec() != QDialog::Accepted) return false;
  edited.timeFmt = static_cast<std::int16_t>(mode->checkedId() == 1 ? 1 : 0);
  settings = edited;
  const WriteStatus saved = WriteSaverSettings(store, settings);
  if (!saved) QtSaverPrompts().Message(SaverSettingsNotSaved(store.Path(), saved));
  return saved.Ok();
}

}  // namespace varlo
