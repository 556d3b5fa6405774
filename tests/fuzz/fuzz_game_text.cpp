// The import of pasted game text on any Windows-1252 bytes, and the number a
// pasted line carries.
#include "DesignChecks.h"
#include "FuzzSupport.h"
#include "library/Cp1252.h"
#include "library/GameText.h"

#include <optional>

using namespace qf;
using namespace qf::fuzz;

namespace {

// The number of a line as the import reads it, worked out separately: the at
// most three bytes after the last blank (or the first three of a line without
// one), as an optional sign and digits; 1 for anything else.
int referenceLineNumber(const QByteArray &line)
{
    const qsizetype blank = line.lastIndexOf(' ');
    const QByteArray digits = blank >= 0 ? line.mid(blank + 1, 3) : line.left(3);
    qsizetype i = 0;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-'))
        negative = digits[i++] == '-';
    if (i == digits.size())
        return 1;
    int value = 0;
    for (; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return 1;
        value = value * 10 + (digits[i] - '0');
    }
    return negative ? -value : value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const QString text = fromCp1252(bytes);
    QF_FUZZ_CHECK(text.size() == bytes.size());
    QF_FUZZ_CHECK(toCp1252(text) == bytes); // every byte survives the trip

    const ShipDesign design = ImportGameText(text);
    const bool exportText = IsExportText(text);
    QF_FUZZ_CHECK(exportText || design.GetName() == QStringLiteral("Importiert"));
    QF_FUZZ_CHECK(!design.GetName().isEmpty());
    QF_FUZZ_CHECK(design.IsChanged());
    checkDesign(design);
    // A level of the game's display comes from three characters at most.
    for (int level : levelsOf(design))
        QF_FUZZ_CHECK(exportText || level <= 999);

    // The same text with other line ends gives the same design.
    QString unix = text;
    unix.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const ShipDesign same = ImportGameText(unix);
    QF_FUZZ_CHECK(levelsOf(same) == levelsOf(design));
    QF_FUZZ_CHECK(flagsOf(same) == flagsOf(design));

    for (const QByteArray &line : bytes.split('\n')) {
        const int n = ImportLineNumber(line);
        QF_FUZZ_CHECK(n == referenceLineNumber(line));
        QF_FUZZ_CHECK(n >= -99 && n <= 999);
    }
    QF_FUZZ_CHECK(ImportLineNumber(bytes) == referenceLineNumber(bytes));

    // The export of the imported design: every value a finite text.
    const QStringList exported = ExportLines(checkedFigures(design, QStringLiteral("2000")));
    QF_FUZZ_CHECK(exported.value(0) == design.GetName());
    // The program's own export text comes back as the same design.
    const ShipDesign back = ImportGameText(exported.join(QStringLiteral("\r\n")));
    QF_FUZZ_CHECK(levelsOf(back) == levelsOf(design));
    QF_FUZZ_CHECK(flagsOf(back) == flagsOf(design));
    for (const QString &line : exported)
        QF_FUZZ_CHECK(showsNoNonFinite(line));
    return 0;
}
