#!/usr/bin/env python3
"""Start-up benchmark: the CPU time (user + system) of the program from its
start to its first event-loop turn (each reports its own), against a bare Qt
window's, both offscreen.

    tests/bench/startup_ratio.py build/app/schiffsdesigner build/tests/startup_bare_window [N]

Starts each N times (default 40), alternating, in a fresh settings folder, and
prints the medians and their ratio. The goal is a ratio of at most 1.3.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run_once(program, env):
    """The CPU time the program reports at its first event-loop turn, and the wall
    time of the whole run (tear-down included)."""
    start = time.perf_counter()
    done = subprocess.run([program], env=env, check=True, capture_output=True, text=True,
                          cwd=env["HOME"], timeout=60)
    wall = time.perf_counter() - start
    reported = [line.split()[1] for line in done.stdout.splitlines() if line.startswith("startup-cpu-us ")]
    if not reported:
        sys.exit(f"{program} did not report its CPU time at the first turn")
    return int(reported[0]) / 1e6, wall


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
    print(f"program: {med[program][0] * 1000:.1f} ms CPU, {med[program][1] * 1000:.1f} ms wall (whole run)")
    print(f"bare window: {med[bare][0] * 1000:.1f} ms CPU, {med[bare][1] * 1000:.1f} ms wall (whole run)")
    print(f"ratio: {med[program][0] / med[bare][0]:.2f} CPU, {med[program][1] / med[bare][1]:.2f} wall (goal: CPU <= 1.30)")


if __name__ == "__main__":
    main()
