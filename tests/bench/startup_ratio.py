#!/usr/bin/env python3
"""Start-up benchmark: the CPU time (user + system) of the program from its
start to its first event-loop turn, against a bare Qt window's, both offscreen.

    tests/bench/startup_ratio.py build/app/schiffsdesigner build/tests/startup_bare_window [N]

Starts each N times (default 40), alternating, in a fresh settings folder, and
prints the medians and their ratio. The goal is a ratio of at most 1.3.
"""
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(program, env):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run([program], env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   cwd=env["HOME"], timeout=60)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, wall


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    program, bare = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 40
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QF_QUIT_AFTER_FIRST_TURN="1", HOME=home,
                   XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "data"),
                   XDG_STATE_HOME=os.path.join(home, "state"))
        times = {program: [], bare: []}
        for _ in range(2):  # warm the file cache
            run_once(program, env), run_once(bare, env)
        for _ in range(count):
            for p in (program, bare):
                times[p].append(run_once(p, env))
    med = {p: (statistics.median(c for c, _ in t), statistics.median(w for _, w in t)) for p, t in times.items()}
    print(f"program: {med[program][0] * 1000:.1f} ms CPU, {med[program][1] * 1000:.1f} ms wall")
    print(f"bare window: {med[bare][0] * 1000:.1f} ms CPU, {med[bare][1] * 1000:.1f} ms wall")
    print(f"ratio: {med[program][0] / med[bare][0]:.2f} CPU, {med[program][1] / med[bare][1]:.2f} wall (goal: CPU <= 1.30)")


if __name__ == "__main__":
    main()
