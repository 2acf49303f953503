#pragma once
#include <QString>
#include <QUrl>
#include <string>

namespace varlo {

// File names are bytes, shown through Qt in the file system's encoding (UTF-8). Qt's own
// conversions (QFile::decodeName, QString::fromStdString) turn bytes that are not UTF-8
// into U+FFFD, and the name they came from is lost. These keep each such byte b as the
// unpaired code point U+DC00 + b (drawn like any unknown character) and turn it back into
// that byte, so a name survives the round trip through widgets, dialogs and drops.
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);

// The local file a "file:" URL names, taken from its percent-encoded bytes so that a
// dropped file keeps its name whatever the bytes; empty for any other URL.
std::string PathFromUrl(const QUrl& url);

}  // namespace varlo
