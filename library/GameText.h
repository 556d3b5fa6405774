#pragma once
// Designs exchanged with the game as plain text: the import reads the game's
// ship-type display line by line for key words, the export writes the design
// in the layout of the design file with the name on the first line.
#include "model/DesignerFigures.h"
#include "model/ShipDesign.h"

#include <QString>
#include <QStringList>

namespace qf {

// The five lines the import box starts with.
QStringList ImportGuidanceLines();

// The number a pasted line carries: the at most three characters after the
// line's last blank, or the first three characters of a line without a blank,
// read as a whole number; 1 when they are not one. `line` is Windows-1252.
int ImportLineNumber(const QByteArray &line);

// A new design with every line of the text applied (the first key word found
// in a line decides), named "Importiert". Lines end at LF, CR LF or CR.
// The design is not marked saved.
ShipDesign ImportGameText(const QString &text);

// The export text, one entry per line: the design's name, then the sections
// of the design file with every value exactly as the Designer page shows it.
QStringList ExportLines(const DesignerFigures &shown);

} // namespace qf
