#include "battle/page/BattleRunner.h"

#include <QProgressBar>
#include <QPushButton>

namespace qf {

BattleRunner::BattleRunner(QWidget *parent)
    : QObject(parent), b_Progress(new QProgressBar(parent)),
      b_Cancel(new QPushButton(QStringLiteral("Abbrechen"), parent))
{
    b_Progress->setObjectName(QStringLiteral("b_Progress"));
    b_Progress->setRange(0, 1000);
    b_Progress->setTextVisible(true);
    b_Progress->setAlignment(Qt::AlignCenter);
    b_Cancel->setObjectName(QStringLiteral("b_Cancel"));
    setShown(false);

    poll_.setInterval(100);
    connect(&poll_, &QTimer::timeout, this, &BattleRunner::showProgress);
    connect(b_Cancel, &QPushButton::clicked, this, [this] { job_.cancel(); });
    connect(&job_, &BackgroundJob::finished, this, &BattleRunner::finish);
}

void BattleRunner::run(Work work, std::function<void()> done, std::function<RunProgress()> progress)
{
    if (isRunning())
        return;
    done_ = std::move(done);
    progress_ = std::move(progress);
    const std::atomic<bool> &cancel = job_.cancelFlag();
    job_.start([work = std::move(work), &cancel] { work(cancel); });
    if (job_.waitFor(kShowAfterMs)) {
        finish();
        return;
    }
    showProgress();
    setShown(true);
    poll_.start();
    emit runningChanged(true);
}

void BattleRunner::cancelAndFinish()
{
    if (!isRunning())
        return;
    job_.cancelAndWait();
    finish();
}

void BattleRunner::finish()
{
    const bool shown = !b_Progress->isHidden();
    poll_.stop();
    setShown(false);
    const std::function<void()> done = std::move(done_);
    done_ = nullptr;
    progress_ = nullptr;
    if (shown)
        emit runningChanged(false);
    if (done)
        done();
}

void BattleRunner::setShown(bool shown)
{
    b_Progress->setVisible(shown);
    b_Cancel->setVisible(shown);
}

void BattleRunner::showProgress()
{
    if (!progress_)
        return;
    const RunProgress p = progress_();
    b_Progress->setFormat(p.text);
    b_Progress->setValue(p.permille);
}

} // namespace qf
