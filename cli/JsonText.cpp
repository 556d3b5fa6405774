#include "cli/JsonText.h"

#include <QCborValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace qf::cli {

namespace {

// Qt keeps a whole double that fits as an integer and writes it so.
QByteArray numberText(const QJsonValue &value)
{
    const QCborValue stored = QCborValue::fromJsonValue(value);
    if (stored.isInteger())
        return QByteArray::number(stored.toInteger());
    const double d = value.toDouble();
    if (!std::isfinite(d))
        return QByteArrayLiteral("null");
    return QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
}

// Control characters and surrogates are left to Qt's own writer: rare in these
// texts, and its escapes are its own.
bool plainText(const QString &s)
{
    return std::none_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 0x20 || c.isSurrogate(); });
}

// Appends the string in quotes: '"' and '\\' escaped, the rest as UTF-8.
void appendString(QByteArray &out, const QString &s)
{
    if (!plainText(s)) {
        out += QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + 2 + 3 * s.size()); // a character takes at most three bytes here
    char *p = out.data() + start;
    *p++ = '"';
    for (const QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c < 0x80) {
            if (c == u'"' || c == u'\\')
                *p++ = '\\';
            *p++ = char(c);
        } else if (c < 0x800) {
            *p++ = char(0xc0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3f));
        } else {
            *p++ = char(0xe0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3f));
            *p++ = char(0x80 | (c & 0x3f));
        }
    }
    *p++ = '"';
    out.truncate(p - out.constData());
}

} // namespace

QByteArray JsonScalarText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool: return value.toBool() ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
    case QJsonValue::Double: return numberText(value);
    case QJsonValue::String: {
        QByteArray out;
        appendString(out, value.toString());
        return out;
    }
    default: return QByteArrayLiteral("null");
    }
}

QByteArray JsonStringListText(const QStringList &list)
{
    qsizetype size = 2;
    for (const QString &s : list)
        size += 3 * s.size() + 3;
    QByteArray out;
    out.reserve(size);
    out += '[';
    for (const QString &s : list) {
        if (out.size() > 1)
            out += ',';
        appendString(out, s);
    }
    return out += ']';
}

JsonObjectText &JsonObjectText::addText(const char *key, QByteArray json)
{
    // Kept in key order as they come: a few dozen members at most.
    const auto at = std::upper_bound(members_.begin(), members_.end(), key,
                                     [](const char *k, const auto &m) { return std::strcmp(k, m.first) < 0; });
    members_.emplace(at, key, std::move(json));
    return *this;
}

JsonObjectText &JsonObjectText::add(const char *key, const JsonArrayText &array)
{
    return addText(key, array.text());
}

JsonArrayText &JsonArrayText::add(const JsonObjectText &object)
{
    if (text_.size() > 1)
        text_ += ',';
    text_ += object.text();
    return *this;
}

QByteArray JsonObjectText::text() const
{
    qsizetype size = 2;
    for (const auto &m : members_)
        size += qsizetype(std::strlen(m.first)) + 4 + m.second.size();
    QByteArray out;
    out.reserve(size);
    out += '{';
    for (const auto &m : members_) {
        if (out.size() > 1)
            out += ',';
        out += '"';
        out += m.first;
        out += "\":";
        out += m.second;
    }
    return out += '}';
}

} // namespace qf::cli
