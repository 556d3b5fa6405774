#pragma once
// Windows-1252 text, the code page of design files and of the game's text.
// Qt 6 brings no codec for it, so the table lives here.
#include <QByteArray>
#include <QString>

namespace qf {

// Every character that has a byte becomes that byte; every other character
// (one for each code point, so a surrogate pair gives one) becomes '?'.
QByteArray toCp1252(const QString &text);

// Every byte gives one character. The five bytes Windows leaves unassigned
// (81, 8D, 8F, 90, 9D hex) give the control characters of the same number,
// so that all 256 bytes survive a trip there and back.
QString fromCp1252(const QByteArray &bytes);

} // namespace qf
