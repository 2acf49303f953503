#include "platform/qt/qt_launcher.h"

#include <QProcess>
#include <QStringList>

namespace varlo {

bool QtLauncher::StartDetached(const std::string& program, const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& a : args) list << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(program), list);
}

}  // namespace varlo
