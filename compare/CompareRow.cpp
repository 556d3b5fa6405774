#include "compare/CompareRow.h"

#include "battle/Fleet.h"
#include "model/DesignerFigures.h"
#include "model/Production.h"
#include "model/WholeNumber.h"

#include <QRegularExpression>

namespace qf {

const QString kNoFigure = QStringLiteral("\u2013");

namespace {

QString actionList(const DesignerFigures &f)
{
    QStringList set;
    for (const ActionField &field : ActionFields()) {
        if (f.action(field.id))
            set << QString::fromUtf8(field.caption);
    }
    return set.join(QStringLiteral(", "));
}

// A figure per 1000 Solar, two decimals, as the page writes decimals. Every
// design costs something; a cost of 0 would give no figure rather than infinity.
QString perThousandSolar(const QString &figure, int64_t solar, const QLocale &locale)
{
    if (solar <= 0)
        return kNoFigure;
    const ext ratio = static_cast<ext>(readWholeNumber(figure)) * 1000 / static_cast<ext>(solar);
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(static_cast<double>(ratio), 'f', 2);
}

// The texts of a row, column by column.
struct RowTexts {
    DesignerFigures figures;
    ProductionFigures production;
    QString solar;
    int64_t solarValue = 0;
};

QString textOf(const CompareColumn &column, const RowTexts &r, const CompareSettings &s)
{
    using Id = CompareColumnId;
    const DesignerFigures &f = r.figures;
    switch (column.id) {
    case Id::Name: return f.name;
    case Id::Level: return f.levels[size_t(column.component)];
    case Id::Actions: return actionList(f);
    case Id::SBE: return f.sbe;
    case Id::FreeSBE: return f.freeSBE;
    case Id::Stability: return f.stability;
    case Id::Storage: return f.storageCapacity;
    case Id::Armor: return f.armor;
    case Id::Attack: return f.as;
    case Id::Travel: return s.flightTime ? f.fullFlightTime : f.acceleration;
    case Id::FE: return f.fe;
    case Id::SI: return f.si;
    case Id::C: return f.c;
    case Id::Crew: return f.crew;
    case Id::H2O: return f.h2o;
    case Id::O2: return f.o2;
    case Id::Solar: return r.solar;
    case Id::ProductionTime: return r.production.productionTime;
    case Id::FEMine: return r.production.feMine;
    case Id::SIMine: return r.production.siMine;
    case Id::CMine: return r.production.cMine;
    case Id::AttackPerSolar: return perThousandSolar(f.as, r.solarValue, s.locale);
    case Id::StabilityPerSolar: return perThousandSolar(f.stability, r.solarValue, s.locale);
    case Id::ArmorPerSolar: return perThousandSolar(f.armor, r.solarValue, s.locale);
    case Id::StoragePerSolar: return perThousandSolar(f.storageCapacity, r.solarValue, s.locale);
    }
    return QString();
}

} // namespace

CompareRow CompareRowOf(const ShipDesign &design, const CompareSettings &settings)
{
    RowTexts texts;
    texts.figures = ComputeDesignerFigures(design, settings.distanceText, settings.locale);
    // The mines pay for the costs as the page shows them.
    texts.production = ComputeProduction(design, settings.shipFactory, settings.warFactory,
                                         readWholeNumber(texts.figures.fe), readWholeNumber(texts.figures.si),
                                         readWholeNumber(texts.figures.c));
    // The cost of one ship as the fleets count it.
    texts.solarValue = SolarCost(readWholeNumber(texts.figures.fe), readWholeNumber(texts.figures.si),
                                 readWholeNumber(texts.figures.c));
    texts.solar = QString::number(texts.solarValue);

    CompareRow row;
    for (const CompareColumn &column : CompareColumns(settings.flightTime)) {
        CompareCell cell;
        cell.text = textOf(column, texts, settings);
        cell.key = CellKey(column.kind, cell.text, settings.locale);
        row.push_back(cell);
    }
    return row;
}

std::optional<ext> CellKey(CellKind kind, const QString &text, const QLocale &locale)
{
    bool ok = false;
    switch (kind) {
    case CellKind::Text:
        return std::nullopt;
    case CellKind::Number: {
        const qlonglong n = text.toLongLong(&ok);
        return ok ? std::optional<ext>(static_cast<ext>(n)) : std::nullopt;
    }
    case CellKind::Decimal: {
        const double d = locale.toDouble(text, &ok);
        return ok ? std::optional<ext>(static_cast<ext>(d)) : std::nullopt;
    }
    case CellKind::Time: {
        static const QRegularExpression time(QStringLiteral("^(\\d+):(\\d\\d):(\\d\\d)$"));
        const QRegularExpressionMatch m = time.match(text);
        if (!m.hasMatch())
            return std::nullopt;
        const qlonglong hours = m.captured(1).toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        return static_cast<ext>(hours) * 3600 + m.captured(2).toInt() * 60 + m.captured(3).toInt();
    }
    }
    return std::nullopt;
}

Standing StandingOf(const CompareColumn &column, const CompareCell &cell, const CompareCell &reference)
{
    if (column.better == Better::Neither || !cell.key || !reference.key || *cell.key == *reference.key)
        return Standing::Neutral;
    const bool more = *cell.key > *reference.key;
    return more == (column.better == Better::More) ? Standing::Better : Standing::Worse;
}

bool CellBefore(const CompareColumn &column, const CompareCell &a, const CompareCell &b)
{
    if (column.kind == CellKind::Text)
        return QString::localeAwareCompare(a.text.toCaseFolded(), b.text.toCaseFolded()) < 0;
    if (a.key.has_value() != b.key.has_value())
        return a.key.has_value();
    return a.key && *a.key < *b.key;
}

} // namespace qf
