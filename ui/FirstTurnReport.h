#pragma once
// The start-up benchmark (tests/bench/startup_ratio.py) starts the program with
// QF_QUIT_AFTER_FIRST_TURN=1: at the first turn of the event loop it prints the CPU
// time used so far ("startup-cpu-us N") and quits, so the tear-down is not counted.
#include <QCoreApplication>
#include <QTimer>

#include <sys/resource.h>
#include <cstdio>

namespace qf {

inline void QuitAfterFirstTurnWhenAsked(QCoreApplication &app)
{
    if (!qEnvironmentVariableIsSet("QF_QUIT_AFTER_FIRST_TURN"))
        return;
    QTimer::singleShot(0, &app, [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long long micro = (static_cast<long long>(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000000LL
                                + usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
        std::printf("startup-cpu-us %lld\n", micro);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
}

} // namespace qf
