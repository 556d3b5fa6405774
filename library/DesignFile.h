#pragma once
// The ship design file (.shp): one design per file, in sections, Windows-1252
// text with CR LF line ends. The file keeps the eight component levels and the
// special actions; the statistics and costs in it are for the reader's eye only
// and are recomputed on loading. The design is named after the file.
#include "model/DesignerFigures.h"
#include "model/ShipDesign.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace qf {

// How the values of the Designer page go into the design text.
enum class ShownValues {
    AsWholeNumbers, // the field's text read as a whole number (0 when it is not one)
    AsShown,        // the field's text unchanged
};

// Everything of the design text after its first line: the sections
// "[Bauelemente]", "[Spezialeinheiten]", "[Schiffsstatistiken]" and "[Kosten]"
// with the empty lines between them (31 lines plus one per set action).
// The percentage and the flight-time text are always taken as shown.
QStringList DesignSectionLines(const DesignerFigures &shown, ShownValues values);

// The design file's bytes from the texts the Designer page shows: ";Version 30"
// followed by the sections, Windows-1252, CR LF at the end of every line.
QByteArray FormatDesignFile(const DesignerFigures &shown);

// Largest file taken for a design file; anything bigger is something else.
constexpr qint64 kMaxDesignFileSize = 1024 * 1024;

// A file larger than 1 MiB, or one holding a NUL byte, is not a design file.
bool IsDesignFileContent(const QByteArray &bytes);

// The design name from a path: without the directory part and without the
// last extension (the text from the last "." of the file name on).
QString DesignNameFromPath(const QString &path);

// Reads a design from the file's bytes: a new design named `name` (an empty
// name keeps "Neues Schiff"), then every key found in the file is applied
// through the design's setters, in file order. A number that cannot be read
// (not a number, or outside -32768..65535) ends the reading; what was read
// before stays. onLevel(component, value) is called for every component
// number read, after its setter. The design comes back marked saved.
ShipDesign ReadDesignFile(const QByteArray &bytes, const QString &name,
                          const std::function<void(Component component, int value)> &onLevel = {});

} // namespace qf
