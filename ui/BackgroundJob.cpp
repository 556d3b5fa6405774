#include "ui/BackgroundJob.h"

#include <QDeadlineTimer>
#include <QThread>

namespace qf {

BackgroundJob::BackgroundJob(QObject *parent) : QObject(parent) {}

BackgroundJob::~BackgroundJob() { cancelAndWait(); }

void BackgroundJob::start(std::function<void()> work)
{
    if (thread_)
        return;
    cancel_ = false;
    QThread *thread = QThread::create(std::move(work));
    thread->setParent(this); // deleted with the job at the latest, always after its work returned
    thread_ = thread;
    // Queued: the thread reports from itself, the owner hears it in its own thread.
    connect(thread, &QThread::finished, this, [this, thread] {
        if (thread != thread_)
            return; // already taken by waitFor or cancelAndWait
        release();
        emit finished();
    }, Qt::QueuedConnection);
    thread->start();
}

bool BackgroundJob::waitFor(int milliseconds)
{
    if (!thread_)
        return true;
    if (!thread_->wait(QDeadlineTimer(milliseconds)))
        return false;
    release();
    return true;
}

void BackgroundJob::cancelAndWait()
{
    if (!thread_)
        return;
    cancel();
    thread_->wait();
    release();
}

void BackgroundJob::release()
{
    thread_->deleteLater();
    thread_ = nullptr;
}

} // namespace qf
