#pragma once
// The battle simulator's planning kept over a restart: both fleets as a fleets
// JSON ("Flotten.json", the file "Flotten speichern..." writes) and the last
// battle report as text ("Kampfbericht.txt"), in the program's state folder.
#include "battle/Fleet.h"

#include <QString>
#include <QStringList>

namespace qf {

struct Planning {
    Fleet home;
    Fleet foreign;
    QString report; // the battle report as shown, lines separated by LF; empty when none
};

struct PlanningRead {
    Planning planning;
    // A line for the debug log for every kept file that could not be read back
    // and was set aside; those parts start empty.
    QStringList notes;
};

class KeptPlanning {
public:
    // `folder` holds the kept files; empty keeps nothing.
    explicit KeptPlanning(QString folder);

    QString fleetsPath() const;
    QString reportPath() const;

    // Keeps the fleets (unless both are empty) and the report (unless there is
    // none); a part with nothing to keep has its old file removed. Each file
    // holds all its new bytes or stays as it was. False, with the reason in `why`,
    // when a file could not be written.
    bool keep(const Planning &planning, QString *why = nullptr) const;
    // What was kept. A file that cannot be read back is set aside (SetFileAside).
    PlanningRead restore() const;

private:
    QString folder_;
};

} // namespace qf
