#pragma once
// The battle simulator's files: both fleets saved to and loaded from a fleets
// JSON (the file schiffsdesigner-cli battle fights), and the battle report
// saved as text, the course of the battle as a picture or CSV.
#include <QObject>

class QWidget;

namespace qf {

struct AppState;
class BattlePage;
class UserPrompts;

class BattleFileCommands : public QObject {
    Q_OBJECT
public:
    BattleFileCommands(AppState &state, BattlePage &page, UserPrompts &prompts, QWidget *window);

public slots:
    // "Flotten speichern...": both fleets, every entry with its values.
    void SaveFleetsClick();
    // "Flotten laden...": replaces both fleets with the file's entries, or tells why not.
    void LoadFleetsClick();
    // "Bericht speichern...": the report as shown, UTF-8 with LF line ends.
    void SaveReportClick();
    // "Verlauf speichern...": the chart as PNG or SVG, or its points as CSV, by the file's extension.
    void SaveCourseClick();

private:
    AppState &state_;
    BattlePage &page_;
    UserPrompts &prompts_;
    QWidget *window_;
};

} // namespace qf
