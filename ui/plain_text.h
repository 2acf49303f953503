#pragma once
#include <QString>

class QLabel;

namespace varlo {

// Text from files, tags, skins and the network as a tooltip. Qt guesses whether a tooltip
// is markup, so a file named "<img src=...>" would be drawn as a picture: the text goes in
// escaped, inside markup Qt always takes as such and that keeps every blank and line break
// as it is. Empty text stays empty (no tooltip).
QString PlainToolTip(const QString& text);

// Text for the tray icon's tip, which some hosts show as plain text and others (an XEmbed
// tray's tooltip) after Qt's guess at markup: the text stays as it is, except that when Qt
// would take it for markup, an invisible word joiner follows each "<" and "&" so that no tag
// or entity is recognised.
QString PlainTrayTip(const QString& text);

// Makes a label show whatever text it is given as it is, never as markup.
void ShowAsPlainText(QLabel* label);

}  // namespace varlo
