#include "library/GameText.h"

#include "library/Cp1252.h"
#include "library/DesignFile.h"
#include "model/WholeNumber.h"

#include <QRegularExpression>
#include <optional>
#include <vector>

namespace qf {

namespace {

// A key word of the import and what a line holding it does.
struct ImportKey {
    QByteArray word; // Windows-1252 bytes
    std::optional<Component> component;
    std::optional<Action> action;
};

// Tried in this order; the first word found in a line decides and the rest are
// not tried, so "Lagerraum" counts as storage bays and "Laser" beats "Plasma".
const std::vector<ImportKey> &importKeys()
{
    static const std::vector<ImportKey> keys = [] {
        std::vector<ImportKey> k;
        for (const ComponentField &field : ComponentFields())
            k.push_back({QByteArray(field.importWord), field.id, std::nullopt});
        for (const ActionField &field : ActionFields())
            k.push_back({toCp1252(QString::fromUtf8(field.importWord)), std::nullopt, field.id});
        return k;
    }();
    return keys;
}

} // namespace

QStringList ImportGuidanceLines()
{
    return {
        QStringLiteral("Hier den Ausschnitt der Schiffstyp-Anzeige aus Astrakor"),
        QStringLiteral("einfügen, der die Schiffsbauelemente und Spezialeinheiten auflistet."),
        QStringLiteral("Schiffswerte und -name sollten nicht mit eingefügt werden, es fehlen"),
        QStringLiteral("Filter gegen Fehleingaben!"),
        QStringLiteral("Es geht niks kaputt, aber das Ergebnis könnte Müll werden."),
    };
}

int ImportLineNumber(const QByteArray &line)
{
    const qsizetype blank = line.lastIndexOf(' ');
    const QByteArray digits = blank >= 0 ? line.mid(blank + 1, 3) : line.left(3);
    return readWholeNumber(QString::fromLatin1(digits), 1);
}

namespace {

QStringList linesOf(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    return text.split(lineEnd);
}

qsizetype sectionLine(const QStringList &lines, QLatin1String section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() == section)
            return i;
    }
    return -1;
}

const QLatin1String kComponents("[Bauelemente]");
const QLatin1String kActions("[Spezialeinheiten]");

// The program's own export text, read by the rules of the design file from its
// "[Bauelemente]" line on, so that every level and action comes back exactly.
// The name is the text's first line: the last line with text before the sections.
ShipDesign importExportText(const QStringList &lines)
{
    const qsizetype start = sectionLine(lines, kComponents);
    QString name = QStringLiteral("Importiert");
    for (qsizetype i = start - 1; i >= 0; --i) {
        if (!lines[i].trimmed().isEmpty()) {
            name = lines[i].trimmed();
            break;
        }
    }
    ShipDesign design = ReadDesignFile(toCp1252(lines.mid(start).join(u'\n')), QString());
    design.SetName(name); // a new name: the design is not saved yet
    return design;
}

} // namespace

bool IsExportText(const QString &text)
{
    const QStringList lines = linesOf(text);
    return sectionLine(lines, kComponents) >= 0 && sectionLine(lines, kActions) >= 0;
}

ShipDesign ImportGameText(const QString &text)
{
    const QStringList lines = linesOf(text);
    if (sectionLine(lines, kComponents) >= 0 && sectionLine(lines, kActions) >= 0)
        return importExportText(lines);

    ShipDesign design;
    for (const QString &lineText : lines) {
        const QByteArray line = toCp1252(lineText);
        for (const ImportKey &key : importKeys()) {
            if (!line.contains(key.word))
                continue;
            if (key.component)
                design.SetLevel(*key.component, ImportLineNumber(line));
            else
                design.SetFlag(*key.action, true);
            break;
        }
    }
    design.SetName(QStringLiteral("Importiert"));
    return design;
}

QStringList ExportLines(const DesignerFigures &shown)
{
    QStringList lines;
    lines << shown.name;
    lines << DesignSectionLines(shown, ShownValues::AsShown);
    return lines;
}

} // namespace qf
