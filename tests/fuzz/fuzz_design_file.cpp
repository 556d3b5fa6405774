// The design-file reader on any bytes: the design it gives keeps every rule of a
// design, and writing it out and reading it back gives the same levels and units.
#include "DesignChecks.h"
#include "FuzzSupport.h"
#include "library/DesignFile.h"

#include <QSet>

using namespace qf;
using namespace qf::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    int levelsRead = 0;
    const ShipDesign design = ReadDesignFile(bytes, QStringLiteral("Fuzz"),
                                             [&](Component c, int value) {
                                                 QF_FUZZ_CHECK(indexOf(c) >= 0 && indexOf(c) < kComponentCount);
                                                 QF_FUZZ_CHECK(value >= -32768 && value <= 32767);
                                                 ++levelsRead;
                                             });
    QF_FUZZ_CHECK(design.GetName() == QStringLiteral("Fuzz"));
    QF_FUZZ_CHECK(!design.IsChanged());
    checkDesign(design);
    QF_FUZZ_CHECK(IsDesignFileContent(bytes) == (!bytes.contains('\0')));

    // An empty name keeps the default one.
    QF_FUZZ_CHECK(ReadDesignFile(bytes, QString()).GetName() == QStringLiteral("Neues Schiff"));

    // Written out as the program saves it and read back: the same design.
    const DesignerFigures shown = checkedFigures(design, QStringLiteral("2000"));
    const QByteArray file = FormatDesignFile(shown);
    QF_FUZZ_CHECK(IsDesignFileContent(file));
    QF_FUZZ_CHECK(file.endsWith("\r\n"));
    int levelsReadBack = 0;
    const ShipDesign back = ReadDesignFile(file, QStringLiteral("Fuzz"),
                                           [&](Component, int) { ++levelsReadBack; });
    QF_FUZZ_CHECK(levelsReadBack == 8);
    QF_FUZZ_CHECK(levelsOf(back) == levelsOf(design));
    QF_FUZZ_CHECK(flagsOf(back) == flagsOf(design));
    QF_FUZZ_CHECK(back.GetSBE() == design.GetSBE());
    QF_FUZZ_CHECK(FormatDesignFile(checkedFigures(back, QStringLiteral("2000"))) == file);
    (void)levelsRead;
    return 0;
}
