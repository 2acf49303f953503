#include "platform/qt/qt_link_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace varlo {

bool QtLinkOpener::Open(const std::string& address) {
  const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
  if (!url.isValid()) return false;
  const QString scheme = url.scheme().toLower();
  if (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
      scheme != QLatin1String("mailto"))
    return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace varlo
