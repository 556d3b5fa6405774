#pragma once
// Where the tab stops of the battle report go, so that its columns line up in
// a fixed-width font. The report's rows follow a ship's name with two tabs when
// it has at most 10 characters and with one tab when it has 11 to 20, so the
// name column takes two stops: the first after 10 characters, the second after
// 20. Every further stop comes after the widest text before it in any line.
#include <QList>
#include <QStringList>

namespace qf {

// Tab stop positions in characters of a fixed-width font, left to right. They
// lie halfway between two characters, so no text ends exactly on a stop.
QList<double> ReportTabStops(const QStringList &lines);

} // namespace qf
