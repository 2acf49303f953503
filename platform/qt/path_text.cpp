#include "platform/qt/path_text.h"

#include <QByteArray>
#include <QUtf8StringView>
#include <algorithm>

#include "common/utf8_text.h"

namespace varlo {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // stray byte b is kept as U+DC00 + b

void AppendUtf8(std::string& out, char32_t c) {
  const auto byte = [&](char32_t v) { out.push_back(static_cast<char>(v)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

}  // namespace

QString PathToQt(const std::string& path) {
  if (QUtf8StringView(path.data(), static_cast<qsizetype>(path.size())).isValidUtf8())
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
  QString out;
  out.reserve(static_cast<qsizetype>(path.size()));
  for (std::size_t i = 0; i < path.size();) {
    char32_t code = 0;
    const auto b = static_cast<unsigned char>(path[i]);
    if (b < 0x80) {
      out.append(QChar(static_cast<char16_t>(b)));
      ++i;
    } else if (const std::size_t n = Utf8Decode(std::string_view(path).substr(i), code)) {
      out.append(QString::fromUcs4(&code, 1));
      i += n;
    } else {
      out.append(QChar(static_cast<char16_t>(kEscapeBase + b)));
      ++i;
    }
  }
  return out;
}

std::string PathFromQt(const QString& path) {
  if (std::none_of(path.begin(), path.end(), [](QChar c) { return c.isSurrogate(); }))
    return path.toStdString();
  std::string out;
  out.reserve(static_cast<std::size_t>(path.size()));
  for (qsizetype i = 0; i < path.size(); ++i) {
    const char16_t u = path[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < path.size() && path[i + 1].isLowSurrogate()) {
      AppendUtf8(out, QChar::surrogateToUcs4(u, path[++i].unicode()));
    } else if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF) {
      out.push_back(static_cast<char>(u - kEscapeBase));
    } else if (QChar::isSurrogate(u)) {
      AppendUtf8(out, 0xFFFD);  // an unpaired surrogate that no byte stands for
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

std::string PathFromUrl(const QUrl& url) {
  if (!url.isLocalFile()) return {};
  std::string path =
      QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
  const QString host = url.host();
  if (!host.isEmpty() && host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) != 0)
    path = "//" + PathFromQt(host) + path;  // a file on another machine, as Qt names it
  return path;
}

}  // namespace varlo
