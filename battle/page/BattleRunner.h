#pragma once
// Long work of the battle page (a battle, a search for the minimum count) runs
// beside the window. Work that is done within about 100 ms simply shows its
// result; longer work goes on in a worker thread while a progress bar
// (b_Progress) shows how far it is and a button (b_Cancel) stops it. Both are
// hidden while nothing runs; the page places them.
#include "ui/BackgroundJob.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>

class QProgressBar;
class QPushButton;
class QWidget;

namespace qf {

struct RunProgress {
    QString text;     // what the bar says: rounds so far, ships left, ...
    int permille = 0; // how far the work has got, 0 to 1000
};

class BattleRunner : public QObject {
    Q_OBJECT
public:
    // The progress bar and the button are made as children of `parent`.
    explicit BattleRunner(QWidget *parent);

    using Work = std::function<void(const std::atomic<bool> &cancel)>;
    // Starts `work`; `done` runs on this thread once it has returned (at once
    // when that is within about 100 ms); `progress` is asked every 100 ms while
    // the work runs. Nothing happens while another work runs.
    void run(Work work, std::function<void()> done, std::function<RunProgress()> progress);
    bool isRunning() const { return job_.isRunning() || done_ != nullptr; }
    // Stops the work, waits for it and runs its `done`: the state it leaves is whole.
    void cancelAndFinish();

    QProgressBar *progressBar() const { return b_Progress; }
    QPushButton *cancelButton() const { return b_Cancel; }

    // How long work runs before the bar shows it.
    static constexpr int kShowAfterMs = 100;

signals:
    void runningChanged(bool running);

private:
    void finish();
    void setShown(bool shown);
    void showProgress();

    QProgressBar *b_Progress;
    QPushButton *b_Cancel;
    BackgroundJob job_;
    QTimer poll_;
    std::function<void()> done_;
    std::function<RunProgress()> progress_;
};

} // namespace qf
