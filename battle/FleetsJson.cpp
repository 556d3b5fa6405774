#include "battle/FleetsJson.h"

#include "library/FileErrors.h"

#include "library/DesignFile.h"
#include "model/ShipDesign.h"
#include "model/WholeNumber.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>

namespace qf {

namespace {

// The first fault in the input; caught in ParseFleetsJson and turned into its text.
struct InputFault {
    QString text;
};

// A value of a ship type: a JSON whole number from 0 to 2147483647.
int shipValue(const QJsonObject &entry, const QString &key, const QString &where)
{
    const QJsonValue v = entry.value(key);
    if (v.isUndefined())
        throw InputFault{QStringLiteral("%1: \"%2\" fehlt").arg(where, key)};
    const double d = v.toDouble(-1.0);
    if (!v.isDouble() || d != std::floor(d) || d < 0 || d > 2147483647.0)
        throw InputFault{
            QStringLiteral("%1: \"%2\" ist keine ganze Zahl von 0 bis 2147483647").arg(where, key)};
    return static_cast<int>(d);
}

// The number of ships, read as the count field is: a whole number, anything
// else counts as 1.
int shipCount(const QJsonObject &entry, const QString &where)
{
    const QJsonValue v = entry.value(QStringLiteral("count"));
    if (v.isUndefined())
        throw InputFault{QStringLiteral("%1: \"count\" fehlt").arg(where)};
    if (v.isString())
        return readWholeNumber(v.toString(), 1);
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d == std::floor(d) && d >= -2147483648.0 && d <= 2147483647.0)
            return static_cast<int>(d);
    }
    return 1;
}

// A path as an error text shows it: on one line, with every control character
// (a JSON string may hold line breaks) written as its JSON escape.
QString shownPath(const QString &path)
{
    QString shown;
    shown.reserve(path.size());
    for (const QChar ch : path) {
        const char16_t u = ch.unicode();
        if (u == u'\n')
            shown += QLatin1String("\\n");
        else if (u == u'\r')
            shown += QLatin1String("\\r");
        else if (u == u'\t')
            shown += QLatin1String("\\t");
        else if (u < 0x20 || u == 0x7f || u == 0x85 || u == 0x2028 || u == 0x2029)
            shown += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            shown += ch;
    }
    return shown;
}

ShipDesign readDesign(const QString &path, const DesignFileSource &designs, const QString &where)
{
    const DesignFileBytes file = designs(path);
    if (!file.bytes) {
        const QString reason = file.failure == ReadFailure::CannotOpen || file.failure == ReadFailure::None
                                   ? QStringLiteral("Design-Datei nicht lesbar")
                                   : ReadFailureText(file.failure, kMaxDesignFileSize);
        throw InputFault{QStringLiteral("%1: %2: %3").arg(where, reason, shownPath(file.path))};
    }
    if (!IsDesignFileContent(*file.bytes))
        throw InputFault{QStringLiteral("%1: keine Design-Datei: %2").arg(where, shownPath(file.path))};
    return ReadDesignFile(*file.bytes, DesignNameFromPath(file.path));
}

void addShips(Fleet &fleet, int count, int as, int armor, int stability, const QString &name, int fe,
              int si, int c, const QString &where, FleetsUse use)
{
    if (count < 1)
        return;
    FleetEdit edit = FleetEdit::Done;
    const int position = fleet.AddShips(count, as, armor, stability, name, fe, si, c, &edit);
    if (edit == FleetEdit::CountTooLarge)
        throw InputFault{QStringLiteral("%1: „%2“ hätte mehr als %3 Schiffe")
                             .arg(where, fleet.Names.value(position))
                             .arg(kMostShips)};
    if (edit == FleetEdit::TooLarge)
        throw InputFault{QStringLiteral("%1: die Summen der Flotte passen nicht mehr in 64 Bit").arg(where)};
    if (edit == FleetEdit::FleetFull && use == FleetsUse::Window)
        throw InputFault{QStringLiteral("%1: mehr als %2 Schiffstypen in einer Flotte").arg(where).arg(Fleet::Capacity)};
}

void addEntries(Fleet &fleet, const QJsonObject &root, const QString &key, const DesignFileSource &designs,
                FleetsUse use)
{
    const QJsonValue list = root.value(key);
    if (!list.isArray())
        throw InputFault{QStringLiteral("\"%1\" fehlt oder ist keine Liste").arg(key)};
    const QJsonArray entries = list.toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString where = QStringLiteral("%1[%2]").arg(key).arg(i);
        if (!entries.at(i).isObject())
            throw InputFault{QStringLiteral("%1 ist kein Objekt").arg(where)};
        const QJsonObject entry = entries.at(i).toObject();
        const int count = shipCount(entry, where);
        if (entry.contains(QStringLiteral("design"))) {
            const QJsonValue path = entry.value(QStringLiteral("design"));
            if (!path.isString())
                throw InputFault{QStringLiteral("%1: \"design\" ist kein Text").arg(where)};
            const ShipDesign design = readDesign(path.toString(), designs, where);
            addShips(fleet, count, design.GetAS(), design.GetArmor(), design.GetStability(),
                     design.GetName(), design.GetFE(), design.GetSI(), design.GetC(), where, use);
            continue;
        }
        const QJsonValue name = entry.value(QStringLiteral("name"));
        if (name.isUndefined())
            throw InputFault{QStringLiteral("%1: \"name\" oder \"design\" fehlt").arg(where)};
        if (!name.isString())
            throw InputFault{QStringLiteral("%1: \"name\" ist kein Text").arg(where)};
        const int as = shipValue(entry, QStringLiteral("as"), where);
        const int armor = shipValue(entry, QStringLiteral("armor"), where);
        const int stability = shipValue(entry, QStringLiteral("stability"), where);
        const int fe = shipValue(entry, QStringLiteral("fe"), where);
        const int si = shipValue(entry, QStringLiteral("si"), where);
        const int c = shipValue(entry, QStringLiteral("c"), where);
        addShips(fleet, count, as, armor, stability, name.toString(), fe, si, c, where, use);
    }
    if (fleet.isEmpty() && use == FleetsUse::Battle)
        throw InputFault{QStringLiteral("die Flotte \"%1\" ist leer").arg(key)};
}

} // namespace

DesignFileSource DesignFilesFrom(const QString &inputDirectory)
{
    return [inputDirectory](const QString &given) {
        DesignFileBytes result;
        result.path = given;
        if (QFileInfo(given).isRelative() && !QFileInfo::exists(given) && !inputDirectory.isEmpty()) {
            const QString beside = QDir(inputDirectory).filePath(given);
            if (QFileInfo::exists(beside))
                result.path = beside;
        }
        FileRead file = ReadRegularFile(result.path, kMaxDesignFileSize);
        result.failure = file.failure;
        if (file.ok())
            result.bytes = std::move(file.bytes);
        return result;
    };
}

FleetsJson ParseFleetsJson(const QByteArray &json, const DesignFileSource &designs, FleetsUse use)
{
    FleetsJson result;
    try {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(json, &error);
        if (error.error != QJsonParseError::NoError)
            throw InputFault{QStringLiteral("fehlerhaftes JSON: ") + JsonErrorText(json, error)};
        if (!document.isObject())
            throw InputFault{QStringLiteral("JSON-Objekt mit \"home\" und \"foreign\" erwartet")};
        const QJsonObject root = document.object();
        addEntries(result.home, root, QStringLiteral("home"), designs, use);
        addEntries(result.foreign, root, QStringLiteral("foreign"), designs, use);
    } catch (const InputFault &fault) {
        result.home = Fleet();
        result.foreign = Fleet();
        result.error = fault.text;
    }
    return result;
}

namespace {
QJsonArray entriesOf(const Fleet &fleet)
{
    QJsonArray entries;
    for (int i = 0; i <= fleet.LastIndex; ++i) {
        const Fleet::ShipClass &e = fleet.Classes[size_t(i)];
        QJsonObject entry;
        entry.insert(QStringLiteral("name"), e.Name);
        entry.insert(QStringLiteral("count"), e.Count);
        entry.insert(QStringLiteral("as"), e.AS);
        entry.insert(QStringLiteral("armor"), e.Armor);
        entry.insert(QStringLiteral("stability"), e.Stability);
        entry.insert(QStringLiteral("fe"), e.FE);
        entry.insert(QStringLiteral("si"), e.SI);
        entry.insert(QStringLiteral("c"), e.C);
        entries.append(entry);
    }
    return entries;
}
} // namespace

QByteArray FormatFleetsJson(const Fleet &home, const Fleet &foreign)
{
    QJsonObject root;
    root.insert(QStringLiteral("home"), entriesOf(home));
    root.insert(QStringLiteral("foreign"), entriesOf(foreign));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace qf
