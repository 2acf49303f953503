#include "platform/qt/path_text.h"

#include <QByteArray>
#include <QUtf8StringView>
#include <algorithm>

namespace varlo {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // stray byte b is kept as U+DC00 + b

bool Continuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at s[i] (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0 when there is none.
std::size_t SequenceLength(const std::string& s, std::size_t i, char32_t& code) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char b = at(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    code = b & 0x1Fu;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    code = b & 0x0Fu;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    code = b & 0x07u;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > s.size() || at(1) < low || at(1) > high) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if (!Continuation(at(k))) return 0;
    code = (code << 6) | (at(k) & 0x3Fu);
  }
  return length;
}

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
    } else if (const std::size_t n = SequenceLength(path, i, code)) {
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
