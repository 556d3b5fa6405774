#include "library/FileErrors.h"

#include <algorithm>
#include <cerrno>

namespace qf {

QString SystemErrorText(int code)
{
    switch (code) {
    case EACCES:
    case EPERM:
        return QStringLiteral("keine Berechtigung");
    case EROFS:
        return QStringLiteral("Dateisystem nur lesbar");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Datenträger voll");
    case ENOENT:
        return QStringLiteral("Datei oder Ordner nicht vorhanden");
    case ENOTDIR:
        return QStringLiteral("ein Teil des Pfades ist kein Ordner");
    case EISDIR:
        return QStringLiteral("ist ein Ordner");
    case EFBIG:
        return QStringLiteral("Datei zu groß");
    case ENAMETOOLONG:
        return QStringLiteral("Name zu lang");
    case ELOOP:
        return QStringLiteral("zu viele symbolische Verknüpfungen");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("zu viele offene Dateien");
    case ENOMEM:
        return QStringLiteral("zu wenig Speicher");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Datei wird benutzt");
    case EXDEV:
        return QStringLiteral("anderes Dateisystem");
    case EEXIST:
        return QStringLiteral("Datei schon vorhanden");
    case EINVAL:
        return QStringLiteral("ungültiger Name oder Zugriff");
    default:
        return QStringLiteral("Systemfehler %1").arg(code);
    }
}

namespace {
QString jsonReason(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::NoError:
        return QString();
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("Objekt nicht abgeschlossen");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("Doppelpunkt fehlt");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("Liste nicht abgeschlossen");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("Komma fehlt");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("ungültiger Wert");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("Text endet in einer Zahl");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("ungültige Zahl");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("ungültige Escape-Folge");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("ungültiges UTF-8");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("Zeichenkette nicht abgeschlossen");
    case QJsonParseError::MissingObject:
        return QStringLiteral("Objekt fehlt nach Komma");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("zu tief verschachtelt");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("Dokument zu groß");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("überzählige Zeichen am Ende");
    }
    return QStringLiteral("unbekannter Fehler");
}
} // namespace

QString JsonErrorText(const QByteArray &json, const QJsonParseError &error)
{
    // The offset counts bytes of the UTF-8 text; the column counts characters.
    const qsizetype offset = std::clamp<qsizetype>(error.offset, 0, json.size());
    const QByteArray before = json.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = QString::fromUtf8(before.mid(lineStart)).toUcs4().size() + 1;
    return QStringLiteral("Zeile %1, Spalte %2: %3").arg(line).arg(column).arg(jsonReason(error.error));
}

} // namespace qf
