#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/qt/path_text.h"

namespace varlo {
namespace {
QString Plain(const std::string& text) {
  // Message texts use carriage returns as line breaks.
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

// "*.mp?" matches ".MP3" and ".mp3" alike.
QString BothCases(const QString& pattern) {
  if (pattern == QStringLiteral("*.*")) return QStringLiteral("*");
  QString out;
  for (QChar c : pattern) {
    if (c.isLetter() && c.toLower() != c.toUpper())
      out += QStringLiteral("[") + c.toLower() + c.toUpper() + QStringLiteral("]");
    else
      out += c;
  }
  return out;
}
}  // namespace

QString QtFilterText(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QChar('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QChar(';'), Qt::SkipEmptyParts))
      patterns << BothCases(p.trimmed());
    entries << parts[i] + QStringLiteral(" (") + patterns.join(QChar(' ')) + QStringLiteral(")");
  }
  return entries.join(QStringLiteral(";;"));
}

MsgResult QtDialogs::MsgBox(const std::string& text, MsgButtons buttons,
                            const std::string& caption) {
  if (ended_) return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
  // Above the window the user works in (the skin browser stays on top of the main window).
  QWidget* active = QApplication::activeWindow();
  QMessageBox box(active ? active : parent_.data());
  box.setWindowTitle(QString::fromStdString(caption));
  box.setTextFormat(Qt::PlainText);
  box.setText(Plain(text));
  if (buttons == MsgButtons::YesNo) {
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MsgResult::Ok;
}

namespace {
std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         bool save) {
  QFileDialog dialog(parent, QString::fromStdString(request.title), PathToQt(request.initialDir),
                     QtFilterText(request.filter));
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  const QStringList filters = dialog.nameFilters();
  if (request.filterIndex >= 0 && request.filterIndex < filters.size())
    dialog.selectNameFilter(filters[request.filterIndex]);
  if (!request.initialName.empty()) dialog.selectFile(PathToQt(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromQt(dialog.selectedFiles().first());
}
}  // namespace

std::optional<std::string> QtDialogs::OpenFile(const FileDialogRequest& request) {
  if (ended_) return std::nullopt;
  return RunFileDialog(parent_, request, false);
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogRequest& request) {
  if (ended_) return std::nullopt;
  return RunFileDialog(parent_, request, true);
}

std::optional<std::string> QtDialogs::BrowseFolder(const std::string& prompt) {
  if (ended_) return std::nullopt;
  const QString dir = QFileDialog::getExistingDirectory(parent_, QString::fromStdString(prompt));
  if (dir.isEmpty()) return std::nullopt;
  return PathFromQt(dir);
}

}  // namespace varlo
