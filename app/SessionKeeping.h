#pragma once
// What the desktop program hands from one run to the next. The battle simulator's
// fleets and report are kept at a clean end and come back at the next start. The
// designs with unsaved changes are written to the recovery file about a second
// after each change, in the background; a clean end removes that file, and a
// start that finds it offers to bring the designs back.
#include "session/KeptPlanning.h"
#include "session/RecoveryFile.h"
#include "ui/BackgroundJob.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QLockFile;
class QWidget;

namespace qf {

struct AppState;
class BattlePage;
class DebugLog;
class ShipDesign;
class UserPrompts;

class SessionKeeping : public QObject {
    Q_OBJECT
public:
    // `appendDesign` puts a recovered design into the library as a new one.
    // `battle(build)` is the Kampfsimulator page, made first when `build`; null when it
    // was never made (then it never showed fleets or a report).
    using BattlePageAccess = std::function<BattlePage *(bool build)>;
    SessionKeeping(AppState &state, BattlePageAccess battle, UserPrompts &prompts, DebugLog &log,
                   std::function<void(const ShipDesign &)> appendDesign, QWidget *window);
    ~SessionKeeping() override;
    // At start-up: the kept fleets and report are shown.
    void restorePlanning();
    // Once the window is on the screen: the designs of a run that did not end
    // cleanly are offered back, over the window. From then on every change of the
    // designs is kept.
    void startKeepingDesigns();
    // A clean end, after the quit questions: keeps the fleets and the report and
    // removes the recovery file. Nothing is kept after it.
    void endCleanly();

private:
    // Whether this run keeps the recovery file: only one run at a time does.
    bool takeRecoveryFile();
    void offerRecovery();
    // A design changed: the recovery file follows within about a second.
    void designsChanged();
    void writeRecovery();
    void recoveryWritten();

    AppState &state_;
    BattlePageAccess battle_;
    UserPrompts &prompts_;
    DebugLog &log_;
    std::function<void(const ShipDesign &)> appendDesign_;
    QWidget *window_;
    KeptPlanning planning_;
    RecoveryFile recovery_;
    std::unique_ptr<QLockFile> recoveryLock_;
    QTimer delay_;
    BackgroundJob writer_;
    // What the writer found, read once it has finished.
    struct WriteOutcome {
        bool ok = true;
        QString why;
    };
    std::shared_ptr<WriteOutcome> outcome_ = std::make_shared<WriteOutcome>();
    bool changedWhileWriting_ = false;
    bool failureLogged_ = false;
    bool ended_ = false;
    bool keepingStarted_ = false;
};

} // namespace qf
