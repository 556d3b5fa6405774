#pragma once
// One piece of long work (a battle, a search) in a thread of its own, so the
// window stays responsive. The work polls the cancel flag; the job reports
// when it is done on the thread that started it.
#include <QObject>
#include <atomic>
#include <functional>

class QThread;

namespace qf {

class BackgroundJob : public QObject {
    Q_OBJECT
public:
    explicit BackgroundJob(QObject *parent = nullptr);
    // A job still running is cancelled and waited for: no thread outlives its owner.
    ~BackgroundJob() override;

    // Starts the work; the cancel flag is cleared first. Only one work at a time.
    void start(std::function<void()> work);
    // Waits up to `milliseconds` for the work. True when it is done (or none runs):
    // then the caller takes its result at once, and `finished` is not emitted.
    bool waitFor(int milliseconds);
    bool isRunning() const { return thread_ != nullptr; }
    // Asks the work to stop; it stops at its next look at the flag.
    void cancel() { cancel_ = true; }
    // Cancels and waits until the work has returned. `finished` is not emitted.
    void cancelAndWait();
    const std::atomic<bool> &cancelFlag() const { return cancel_; }

signals:
    // The work has returned (after waitFor gave up), on the thread that started it.
    void finished();

private:
    void release();

    QThread *thread_ = nullptr;
    std::atomic<bool> cancel_{false};
};

} // namespace qf
