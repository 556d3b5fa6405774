#!/usr/bin/env python3
"""Start-up benchmark: the CPU time (user + system) of the program started offscreen
and quit at its first event-loop turn, against a bare Qt window's.

    tests/bench/startup_ratio.py build/app/schiffsdesigner build/tests/startup_bare_window [N]

Starts each N times (default 40), alternating, in a fresh settings folder, and prints
the medians of two measures:
- "to first turn": the CPU time each program reports itself at its first turn;
- "whole run": the CPU time of the whole process as its parent sees it, exit included.
A bare window reads the font configuration only at its exit, a window with text at
its start, so the two measures differ most for it. Beside the bare window stands a
window with one label (startup_label_window, found next to the bare window): the
least any window with text costs. The goal is a ratio to the bare window of at most
1.3.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(program, env):
    """(CPU to the first turn, CPU of the whole run, wall time of the whole run) in ms."""
    start = time.perf_counter()
    child = subprocess.Popen([program], env=env, cwd=env["HOME"], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, text=True)
    output = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit(f"{program} ended with {child.returncode}")
    reported = [line.split()[1] for line in output.splitlines() if line.startswith("startup-cpu-us ")]
    if not reported:
        sys.exit(f"{program} did not report its CPU time at the first turn")
    return int(reported[0]) / 1000, (usage.ru_utime + usage.ru_stime) * 1000, wall * 1000


def medians(runs):
    return [statistics.median(run[i] for run in runs) for i in range(3)]


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    program, bare = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    label = os.path.join(os.path.dirname(bare), "startup_label_window")
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 40
    names = {program: "program", label: "window with a label", bare: "bare window"}
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QF_QUIT_AFTER_FIRST_TURN="1", HOME=home,
                   XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "data"),
                   XDG_STATE_HOME=os.path.join(home, "state"))
        runs = {p: [] for p in names}
        for _ in range(2):  # warm the file cache
            for p in names:
                run_once(p, env)
        for _ in range(count):
            for p in names:
                runs[p].append(run_once(p, env))
    med = {p: medians(r) for p, r in runs.items()}
    print(f"{'':24}{'to first turn':>16}{'whole run':>12}{'wall':>10}")
    for p, name in names.items():
        first, whole, wall = med[p]
        print(f"{name:24}{first:13.1f} ms{whole:9.1f} ms{wall:7.1f} ms")
    for (a, b, name) in ((program, bare, "program / bare"), (label, bare, "label / bare"),
                         (program, label, "program / label")):
        ratios = [med[a][i] / med[b][i] for i in range(3)]
        print(f"{name:24}{ratios[0]:16.2f}{ratios[1]:12.2f}{ratios[2]:10.2f}")
    print("goal: program / bare window at most 1.30")


if __name__ == "__main__":
    main()
