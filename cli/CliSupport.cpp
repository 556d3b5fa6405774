#include "cli/CliSupport.h"

#include <QJsonDocument>
#include <cstdio>

namespace qf::cli {

QString ArgReader::valueFor(const QString &option)
{
    if (atEnd())
        throw UsageError(option + QStringLiteral(" braucht einen Wert"));
    return next();
}

void printLines(const QStringList &lines)
{
    for (const QString &line : lines) {
        const QByteArray bytes = line.toUtf8();
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fputc('\n', stdout);
    }
}

void printJson(const QJsonObject &object)
{
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printFields(const std::vector<OutputField> &fields, bool json)
{
    if (json) {
        QJsonObject object;
        for (const OutputField &f : fields)
            object.insert(f.key, f.value);
        printJson(object);
        return;
    }
    QStringList lines;
    for (const OutputField &f : fields)
        lines << f.line;
    printLines(lines);
}

} // namespace qf::cli
