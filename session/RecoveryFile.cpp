#include "session/RecoveryFile.h"

#include "library/Cp1252.h"
#include "library/DesignFile.h"
#include "library/FileReading.h"
#include "library/FileWriting.h"
#include "model/DesignerFigures.h"
#include "model/Distance.h"
#include "session/StateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace qf {

namespace {
// Hundreds of designs of about a kilobyte each.
constexpr qint64 kMaxRecoverySize = 64 * 1024 * 1024;

const QString kName = QStringLiteral("name");
const QString kFile = QStringLiteral("file");

// One entry back as a design, or a reason why it is not one.
ShipDesign readEntry(const QJsonValue &value, QString *reason)
{
    const QJsonObject entry = value.toObject();
    const QByteArray file = toCp1252(entry.value(kFile).toString());
    const QString name = entry.value(kName).toString();
    if (!value.isObject() || !entry.value(kName).isString() || !entry.value(kFile).isString() || name.isEmpty()
        || !IsDesignFileContent(file)) {
        *reason = QStringLiteral("kein Schiffstyp");
        return ShipDesign();
    }
    ShipDesign design = ReadDesignFile(file, name);
    design.SetName(name); // unsaved again, as it was
    return design;
}

std::vector<ShipDesign> readDesigns(const QByteArray &bytes, QString *reason)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray()) {
        *reason = QStringLiteral("kein JSON-Feld");
        return {};
    }
    std::vector<ShipDesign> designs;
    for (const QJsonValue &value : document.array()) {
        designs.push_back(readEntry(value, reason));
        if (!reason->isEmpty())
            return {};
    }
    return designs;
}
} // namespace

RecoveryFile::RecoveryFile(QString path) : path_(std::move(path)) {}

bool RecoveryFile::exists() const { return !path_.isEmpty() && QFileInfo::exists(path_); }

QByteArray RecoveryFile::format(const std::vector<ShipDesign> &designs)
{
    const QString distance = QString::number(kDefaultDistance);
    QJsonArray entries;
    for (const ShipDesign &design : designs) {
        QJsonObject entry;
        entry.insert(kName, design.GetName());
        entry.insert(kFile, fromCp1252(FormatDesignFile(ComputeDesignerFigures(design, distance))));
        entries.append(entry);
    }
    return QJsonDocument(entries).toJson(QJsonDocument::Indented);
}

bool RecoveryFile::write(const std::vector<ShipDesign> &designs, QString *why) const
{
    if (path_.isEmpty())
        return true;
    if (designs.empty()) {
        remove();
        return true;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    return WriteFileReplacing(path_, format(designs), why);
}

RecoveryRead RecoveryFile::read() const
{
    RecoveryRead result;
    if (!exists())
        return result;
    const FileRead file = ReadRegularFile(path_, kMaxRecoverySize);
    if (file.ok())
        result.designs = readDesigns(file.bytes, &result.failure);
    else
        result.failure = ReadFailureText(file, kMaxRecoverySize);
    if (!result.ok())
        result.setAsideAs = SetFileAside(path_);
    return result;
}

void RecoveryFile::remove() const
{
    if (!path_.isEmpty())
        QFile::remove(path_);
}

QString RecoveryFilePath()
{
    const QString folder = StateFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/Wiederherstellung.json");
}

} // namespace qf
