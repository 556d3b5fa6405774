#include "app/SessionKeeping.h"

#include "battle/page/BattlePage.h"
#include "library/FileWriting.h"
#include "session/StateFolder.h"
#include "ui/AppState.h"
#include "ui/DebugLog.h"
#include "ui/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace qf {

namespace {
// The recovery file follows a change within this time, plus the writing.
constexpr int kRecoveryDelayMs = 1000;

const QString kRestore = QStringLiteral("Wiederherstellen");
const QString kDiscard = QStringLiteral("Verwerfen");

QString recoveryQuestion(const std::vector<ShipDesign> &designs)
{
    QStringList names;
    for (const ShipDesign &design : designs)
        names << design.GetName();
    const QString what = designs.size() == 1
                             ? QStringLiteral("den ungespeicherten Schiffstyp")
                             : QStringLiteral("die %1 ungespeicherten Schiffstypen").arg(designs.size());
    return QStringLiteral("Das Programm wurde beim letzten Mal nicht ordentlich beendet.\n"
                          "Soll es %1 wiederherstellen?\n\n%2")
        .arg(what, names.join(QStringLiteral(", ")));
}
} // namespace

SessionKeeping::SessionKeeping(AppState &state, BattlePageAccess battle, UserPrompts &prompts, DebugLog &log,
                               std::function<void(const ShipDesign &)> appendDesign, QWidget *window)
    : QObject(window), state_(state), battle_(std::move(battle)), prompts_(prompts), log_(log),
      appendDesign_(std::move(appendDesign)), window_(window), planning_(StateFolder()),
      recovery_(RecoveryFilePath())
{
    delay_.setSingleShot(true);
    delay_.setInterval(kRecoveryDelayMs);
    connect(&delay_, &QTimer::timeout, this, &SessionKeeping::writeRecovery);
    connect(&writer_, &BackgroundJob::finished, this, &SessionKeeping::recoveryWritten);
}

SessionKeeping::~SessionKeeping() = default;

void SessionKeeping::startKeepingDesigns()
{
    if (keepingStarted_ || ended_)
        return;
    keepingStarted_ = true;
    if (!takeRecoveryFile())
        return;
    offerRecovery();
    // Only now: the recovery file must stay as it is while its question is open.
    DesignCollection *designs = &state_.designs;
    connect(designs, &DesignCollection::designChanged, this, &SessionKeeping::designsChanged);
    connect(designs, &QAbstractItemModel::rowsInserted, this, &SessionKeeping::designsChanged);
    connect(designs, &QAbstractItemModel::rowsRemoved, this, &SessionKeeping::designsChanged);
    connect(designs, &QAbstractItemModel::modelReset, this, &SessionKeeping::designsChanged);
    designsChanged();
}

void SessionKeeping::restorePlanning()
{
    const PlanningRead read = planning_.restore();
    for (const QString &note : read.notes)
        log_.append(note);
    const Planning &kept = read.planning;
    if (!kept.home.isEmpty() || !kept.foreign.isEmpty()) {
        state_.homeFleet = kept.home;
        state_.foreignFleet = kept.foreign;
        battle_(true)->fleetsReplaced();
    }
    if (!kept.report.isEmpty())
        battle_(true)->showKeptReport(kept.report);
}

bool SessionKeeping::takeRecoveryFile()
{
    if (recovery_.path().isEmpty())
        return false;
    // A second window of the program would offer the first one's unsaved designs as
    // lost ones and remove their file when it ends. The lock of a run that crashed or
    // was killed is stale (its process is gone) and taken over.
    QDir().mkpath(QFileInfo(recovery_.path()).absolutePath());
    recoveryLock_ = std::make_unique<QLockFile>(recovery_.path() + QStringLiteral(".lock"));
    recoveryLock_->setStaleLockTime(0); // never stale by age alone: a run may last for days
    if (recoveryLock_->tryLock(0))
        return true;
    recoveryLock_.reset();
    log_.append(QStringLiteral("Das Programm läuft schon in einem anderen Fenster: dieses sichert seine "
                               "ungespeicherten Schiffstypen nicht für den Fall eines Absturzes."));
    return false;
}

void SessionKeeping::offerRecovery()
{
    if (!recovery_.exists())
        return;
    const RecoveryRead read = recovery_.read();
    if (!read.ok()) {
        log_.append(SetAsideNote(QStringLiteral("Die Wiederherstellungsdatei"), recovery_.path(), read.failure,
                                 read.setAsideAs));
        return;
    }
    // "Wiederherstellen" is the default: closing the box loses nothing.
    if (read.designs.empty()
        || prompts_.askChoice(window_, kRestore, recoveryQuestion(read.designs), {kRestore, kDiscard}, 0) != 0) {
        recovery_.remove();
        return;
    }
    for (const ShipDesign &design : read.designs)
        appendDesign_(design);
    log_.append(QStringLiteral("%1 ungespeicherte Schiffstypen wiederhergestellt").arg(read.designs.size()));
}

void SessionKeeping::designsChanged()
{
    if (!ended_ && !delay_.isActive())
        delay_.start();
}

void SessionKeeping::writeRecovery()
{
    if (ended_)
        return;
    if (writer_.isRunning()) {
        changedWhileWriting_ = true;
        return;
    }
    std::vector<ShipDesign> unsaved;
    for (const ShipDesign &design : state_.designs.designs()) {
        if (design.IsChanged())
            unsaved.push_back(design);
    }
    // The page goes on at once; a slow disk only delays the file.
    writer_.start([file = recovery_, designs = std::move(unsaved), outcome = outcome_] {
        outcome->why.clear();
        outcome->ok = file.write(designs, &outcome->why);
    });
}

void SessionKeeping::recoveryWritten()
{
    if (!outcome_->ok && !failureLogged_)
        log_.append(QStringLiteral("Die ungespeicherten Schiffstypen konnten nicht gesichert werden: ")
                    + SaveFailureText(recovery_.path(), outcome_->why));
    failureLogged_ = !outcome_->ok;
    if (changedWhileWriting_) {
        changedWhileWriting_ = false;
        writeRecovery();
    }
}

void SessionKeeping::endCleanly()
{
    ended_ = true;
    delay_.stop();
    writer_.cancelAndWait();
    if (recoveryLock_) {
        recovery_.remove();
        recoveryLock_.reset();
    }
    const BattlePage *page = battle_(false);
    Planning planning{state_.homeFleet, state_.foreignFleet,
                      page && page->showsBattleReport() ? page->reportText() : QString()};
    QString why;
    if (!planning_.keep(planning, &why)) {
        log_.append(QStringLiteral("Flotten und Bericht nicht aufbewahrt: ") + why);
        prompts_.showWarning(window_, QStringLiteral("Flotten nicht aufbewahrt"),
                             QStringLiteral("Die Flotten und der letzte Bericht konnten nicht für den nächsten "
                                            "Start aufbewahrt werden: ")
                                 + why);
    }
}

} // namespace qf
