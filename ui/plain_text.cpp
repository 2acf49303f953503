#include "ui/plain_text.h"

#include <QLabel>
#include <QTextDocument>

namespace varlo {

QString PlainToolTip(const QString& text) {
  if (text.isEmpty()) return {};
  return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

QString PlainTrayTip(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  constexpr QChar kWordJoiner(0x2060);
  QString out;
  out.reserve(text.size() + 8);
  for (const QChar c : text) {
    out.append(c);
    if (c == u'<' || c == u'&') out.append(kWordJoiner);
  }
  return out;
}

void ShowAsPlainText(QLabel* label) {
  label->setTextFormat(Qt::PlainText);
}

}  // namespace varlo
