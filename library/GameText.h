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

// Whether the text is the program's own export text: it has the lines
// "[Bauelemente]" and "[Spezialeinheiten]".
bool IsExportText(const QString &text);

// A new design from pasted text; lines end at LF, CR LF or CR. The program's
// own export text is read by the rules of the design file, so every level and
// action comes back exactly, and the design is named after the text's first
// line. Any other text is the game's display: every line is applied (the first
// key word found in a line decides) and the design is named "Importiert".
// The design is not marked saved.
ShipDesign ImportGameText(const QString &text);

// The export text, one entry per line: the design's name, then the sections
// of the design file with every value exactly as the Designer page shows it.
QStringList ExportLines(const DesignerFigures &shown);

} // namespace qf
