#include "library/Cp1252.h"

#include <QStringView>

namespace qf {

namespace {

// Characters of the bytes 80..9F hex; the unassigned ones keep their own number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char16_t charOfByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

// The byte of a code point, or -1 if Windows-1252 has none for it.
int byteOfCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QByteArray toCp1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    const QStringView view(text);
    for (qsizetype i = 0; i < view.size(); ++i) {
        char32_t cp = view[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < view.size() && view[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(view[i], view[i + 1]);
            ++i;
        }
        const int byte = byteOfCodePoint(cp);
        out.append(byte < 0 ? '?' : char(byte));
    }
    return out;
}

QString fromCp1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        out.append(QChar(charOfByte(static_cast<unsigned char>(b))));
    return out;
}

} // namespace qf
