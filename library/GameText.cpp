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

ShipDesign ImportGameText(const QString &text)
{
    ShipDesign design;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = text.split(lineEnd);
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
