#pragma once
// Compact JSON text written directly, byte for byte as
// QJsonDocument::toJson(QJsonDocument::Compact) writes the same value: members in
// key order, numbers and strings as Qt writes them. Building a QJsonObject and
// writing it costs batch most of its time for a design; this costs a fraction.
#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace qf::cli {

// A scalar (null, bool, number, string) as Qt writes it.
QByteArray JsonScalarText(const QJsonValue &value);
// A list of strings.
QByteArray JsonStringListText(const QStringList &list);

// An object of members added in any order; the text lists them by key.
class JsonObjectText {
public:
    JsonObjectText &add(const char *key, const QJsonValue &scalar) { return addText(key, JsonScalarText(scalar)); }
    JsonObjectText &add(const char *key, const JsonObjectText &object) { return addText(key, object.text()); }
    JsonObjectText &add(const char *key, const QStringList &lines) { return addText(key, JsonStringListText(lines)); }
    JsonObjectText &add(const char *key, const class JsonArrayText &array);
    // A member whose value is JSON text already.
    JsonObjectText &addText(const char *key, QByteArray json);

    QByteArray text() const;

private:
    std::vector<std::pair<const char *, QByteArray>> members_; // keys are ASCII
};

// A list of objects, in the order added.
class JsonArrayText {
public:
    JsonArrayText &add(const JsonObjectText &object);
    QByteArray text() const { return text_ + ']'; }

private:
    QByteArray text_ = QByteArrayLiteral("[");
};

} // namespace qf::cli
