#include "library/GameText.h"

#include "library/Cp1252.h"
#include "library/DesignFile.h"
#include "model/WholeNumber.h"

#include <QRegularExpression>
#include <vector>

namespace qf {

namespace {

struct ImportKey {
    QByteArray word; // Windows-1252 bytes
    void (ShipDesign::*levelSetter)(int);
    void (ShipDesign::*flagSetter)(bool);
};

// Tried in this order; the first word found in a line decides and the rest are
// not tried, so "Lagerraum" counts as storage bays and "Laser" beats "Plasma".
const std::vector<ImportKey> &importKeys()
{
    static const std::vector<ImportKey> keys = {
        {"Lager", &ShipDesign::SetStorageBays, nullptr},
        {"Panzer", &ShipDesign::SetArmorLevel, nullptr},
        {"Verbrenn", &ShipDesign::SetThruster, nullptr},
        {"Fusion", &ShipDesign::SetFusi, nullptr},
        {"Zeitverz", &ShipDesign::SetZVA, nullptr},
        {"Raketen", &ShipDesign::SetMissles, nullptr},
        {"Laser", &ShipDesign::SetLaser, nullptr},
        {"Plasma", &ShipDesign::SetPlasma, nullptr},
        {"Bemannt", nullptr, &ShipDesign::SetCrewed},
        {"Spio", nullptr, &ShipDesign::SetSpy},
        {"Tarn", nullptr, &ShipDesign::SetCloak},
        {"Kolo", nullptr, &ShipDesign::SetKolo},
        {"Inva", nullptr, &ShipDesign::SetInva},
        {"Recy", nullptr, &ShipDesign::SetRecy},
        {toCp1252(QStringLiteral("Plün")), nullptr, &ShipDesign::SetRaid},
        {"Sabo", nullptr, &ShipDesign::SetSabo},
    };
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
            if (key.levelSetter)
                (design.*key.levelSetter)(ImportLineNumber(line));
            else
                (design.*key.flagSetter)(true);
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
