#include "ui/plain_text.h"

#include <QLabel>

namespace varlo {

QString PlainToolTip(const QString& text) {
  if (text.isEmpty()) return {};
  return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

void ShowAsPlainText(QLabel* label) {
  label->setTextFormat(Qt::PlainText);
}

}  // namespace varlo
