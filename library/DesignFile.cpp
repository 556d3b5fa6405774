#include "library/DesignFile.h"

#include "library/Cp1252.h"
#include "model/Int16Reader.h"
#include "model/WholeNumber.h"

#include <QDir>

namespace qf {

namespace {

QString valueText(const QString &fieldText, ShownValues values)
{
    if (values == ShownValues::AsShown)
        return fieldText;
    return QString::number(readWholeNumber(fieldText));
}

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the file's bytes token by token, the way the design file was always read.
class TokenReader {
public:
    explicit TokenReader(const QByteArray &bytes) : m_bytes(bytes) {}

    void skipWhiteSpace()
    {
        while (m_pos < m_bytes.size() && isWhiteSpace(m_bytes[m_pos]))
            ++m_pos;
    }

    // The next run of non-blank characters; empty at the end of the file.
    QByteArray nextToken()
    {
        skipWhiteSpace();
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && !isWhiteSpace(m_bytes[m_pos]))
            ++m_pos;
        return m_bytes.mid(start, m_pos - start);
    }

    // Up to and including the next LF (or to the end of the file).
    void skipRestOfLine()
    {
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != '\n')
            ++m_pos;
        if (m_pos < m_bytes.size())
            ++m_pos;
    }

    // An optional sign and the digits after it, stopping at the first other
    // character, which is left for the next token.
    QByteArray nextNumberText()
    {
        skipWhiteSpace();
        const qsizetype start = m_pos;
        if (m_pos < m_bytes.size() && (m_bytes[m_pos] == '+' || m_bytes[m_pos] == '-'))
            ++m_pos;
        while (m_pos < m_bytes.size() && isDigit(m_bytes[m_pos]))
            ++m_pos;
        return m_bytes.mid(start, m_pos - start);
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

} // namespace

QStringList DesignSectionLines(const DesignerFigures &f, ShownValues values)
{
    auto v = [values](const QString &text) { return valueText(text, values); };
    QStringList lines;
    lines << QString()
          << QStringLiteral("[Bauelemente]")
          << QStringLiteral("Schiffsbasiselement ") + v(f.sbe);
    for (const ComponentField &field : ComponentFields())
        lines << QString::fromLatin1(field.fileKey) + u' ' + v(f.level(field.id));
    lines << QString()
          << QStringLiteral("[Spezialeinheiten]");
    for (const ActionField &field : ActionFields()) {
        if (f.action(field.id))
            lines << QString::fromLatin1(field.fileKey);
    }
    lines << QString()
          << QStringLiteral("[Schiffsstatistiken]")
          << QStringLiteral("Stabilität ") + v(f.stability)
          << QStringLiteral("Lagerraum ") + v(f.storageCapacity)
          << QStringLiteral("Panzerung ") + v(f.armor)
          << QStringLiteral("Angriffsstärke ") + v(f.as)
          << QStringLiteral("Beschleunigung ") + v(f.acceleration)
          << QStringLiteral("Tatsächliche Flugzeit in % ") + f.flightTimePercent
          << QStringLiteral("Flugzeit (") + v(f.distance) + QStringLiteral("pa) ") + f.fullFlightTime
          << QString()
          << QStringLiteral("[Kosten]")
          << QStringLiteral("Eisen ") + v(f.fe)
          << QStringLiteral("Silizium ") + v(f.si)
          << QStringLiteral("Kohlenstoff ") + v(f.c)
          << QStringLiteral("Bewohner ") + v(f.crew)
          << QStringLiteral("Wasser ") + v(f.h2o)
          << QStringLiteral("Sauerstoff ") + v(f.o2);
    return lines;
}

QByteArray FormatDesignFile(const DesignerFigures &shown)
{
    QStringList lines;
    lines << QStringLiteral(";Version 30");
    lines << DesignSectionLines(shown, ShownValues::AsWholeNumbers);
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

bool IsDesignFileContent(const QByteArray &bytes)
{
    return bytes.size() <= kMaxDesignFileSize && !bytes.contains('\0');
}

QString DesignNameFromPath(const QString &path)
{
    const QString normal = QDir::fromNativeSeparators(path);
    QString fileName = normal.mid(normal.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot >= 0)
        fileName.truncate(dot);
    return fileName;
}

ShipDesign ReadDesignFile(const QByteArray &bytes, const QString &name,
                          const std::function<void(Component component, int value)> &onLevel)
{
    ShipDesign design;
    design.SetName(name);

    TokenReader reader(bytes);
    for (;;) {
        const QByteArray token = reader.nextToken();
        if (token.isEmpty())
            break; // end of file
        if (token.startsWith(';') || token.startsWith('[')) {
            reader.skipRestOfLine();
            continue;
        }

        // The base-element count is derived, and so is every statistic and cost.
        if (token == "Schiffsbasiselement") {
            reader.skipRestOfLine();
            continue;
        }

        const ComponentField *component = nullptr;
        for (const ComponentField &field : ComponentFields()) {
            if (token == field.fileKey) {
                component = &field;
                break;
            }
        }
        if (component) {
            const Int16Reading number = ReadInt16(reader.nextNumberText());
            if (!number.valid || !number.inRange)
                break; // a number that cannot be read ends the file; the component keeps its value
            design.SetLevel(component->id, number.value);
            if (onLevel)
                onLevel(component->id, number.value);
            continue; // the rest of the line may hold further keys
        }

        for (const ActionField &field : ActionFields()) {
            if (token == field.fileKey) {
                design.SetFlag(field.id, true);
                break;
            }
        }
        // After an action, and for any line the reader does not know, the
        // rest of the line is of no interest.
        reader.skipRestOfLine();
    }

    design.MarkSaved();
    return design;
}

} // namespace qf
