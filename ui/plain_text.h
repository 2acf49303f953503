#pragma once
#include <QString>

class QLabel;

namespace varlo {

// Text from files, tags, skins and the network as a tooltip. Qt guesses whether a tooltip
// is markup, so a file named "<img src=...>" would be drawn as a picture: the text goes in
// escaped, inside markup Qt always takes as such and that keeps every blank and line break
// as it is. Empty text stays empty (no tooltip).
QString PlainToolTip(const QString& text);

// Makes a label show whatever text it is given as it is, never as markup.
void ShowAsPlainText(QLabel* label);

}  // namespace varlo
