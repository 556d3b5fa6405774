#!/usr/bin/env python3
"""Runs two builds of schiffsdesigner-cli on the same random calls (text output,
no --json) and reports every call whose exit status or output differs.
Usage: tools/compare_cli_text.py OLD NEW [N] [SEED]"""
import json, os, random, subprocess, sys, tempfile

DATA = os.path.join(os.path.dirname(__file__), '..', 'tests', 'data')
LEVELS = ['Lager', 'Panzer', 'Verbrenner', 'Fusionsantrieb', 'ZVA', 'Raketenbatterie',
          'Laserkanonen', 'Plasmawerfer']
FLAGS = ['Bemannt', 'Spionage', 'Tarnung', 'Kolonisation', 'Invasion', 'Recycling',
         'Pluendern', 'Sabotage']
TEXTS = ['', '0', '1', '7', '-3', '42', '100', '250', 'abc', '1:30', '12:00:00', '3.5']


def design_call(r, folder):
    args = ['design']
    if r.random() < 0.5:
        args.append(os.path.join(DATA, r.choice(['example.shp', 'lager3.shp'])))
    for _ in range(r.randint(0, 5)):
        key = r.choice(LEVELS + FLAGS)
        args += ['--set', f'{key}={r.randint(0, 1) if key in FLAGS else r.randint(0, 120)}']
    if r.random() < 0.5:
        args += ['--distance', str(r.randint(0, 8000))]
    if r.random() < 0.3:
        args += ['--ship-factory', str(r.randint(1, 30)), '--war-factory', str(r.randint(1, 30))]
    return args


def fleet(r):
    return [{'count': r.randint(1, 400), 'name': f'Typ{r.randint(1, 6)}', 'as': r.randint(0, 900),
             'armor': r.randint(0, 60), 'stability': r.randint(1, 3000), 'fe': r.randint(0, 5000),
             'si': r.randint(0, 5000), 'c': r.randint(0, 5000)} for _ in range(r.randint(1, 4))]


def fleets_call(r, folder, n):
    path = os.path.join(folder, f'f{n}.json')
    with open(path, 'w') as f:
        json.dump({'home': fleet(r), 'foreign': fleet(r)}, f)
    if r.random() < 0.3:
        return ['mincount', path, '--entry', '0']
    return ['battle', path, '--max-rounds', '100000']


def calc_call(r):
    command, options = r.choice([
        ('flight', ['--start', '--target', '--thruster', '--fusion', '--zva', '--stability', '--spaceport']),
        ('battlecalc', ['--begin', '--end', '--stability', '--armor']),
        ('actions', ['--attacker', '--defender', '--ships', '--attempts'])])
    args = [command]
    for option in r.sample(options, r.randint(0, len(options))):
        args += [option, r.choice(TEXTS + ['444:111:a', '1:2:3'])]
    return args


def compare_call(r):
    files = [os.path.join(DATA, f) for f in ('example.shp', 'lager3.shp')]
    args = ['compare'] + files
    if r.random() < 0.5:
        args.append(r.choice(['--csv', '--acceleration']))
    return args


def main():
    old, new = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 300
    r = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 1)
    differences = 0
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, XDG_CONFIG_HOME=folder, XDG_DATA_HOME=folder, XDG_STATE_HOME=folder)
        for n in range(count):
            kind = r.random()
            args = (design_call(r, folder) if kind < 0.4 else fleets_call(r, folder, n) if kind < 0.6
                    else calc_call(r) if kind < 0.9 else compare_call(r))
            runs = [subprocess.run([exe] + args, capture_output=True, env=env, timeout=120)
                    for exe in (old, new)]
            a, b = runs
            if (a.returncode, a.stdout, a.stderr) != (b.returncode, b.stdout, b.stderr):
                differences += 1
                print('differs:', ' '.join(args), a.returncode, b.returncode)
    print(f'{count} calls, {differences} differences')
    return 1 if differences else 0


if __name__ == '__main__':
    sys.exit(main())
