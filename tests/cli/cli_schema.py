#!/usr/bin/env python3
"""Every command's --json output, and batch's answer to each kind of request, checked
against its definition in docs/cli-schema.json. Usage: cli_schema.py CLI SCHEMA DATA"""
import json, os, subprocess, sys, tempfile

try:
    import jsonschema
except ImportError:
    print("python3-jsonschema fehlt: übersprungen")
    sys.exit(77)

cli, schema_path, data = sys.argv[1:4]
tmp = tempfile.mkdtemp()
env = dict(os.environ, LC_ALL="C", **{k: tmp for k in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME")})
ship = lambda n, count, attack: {"count": count, "name": n, "as": attack, "armor": 1, "stability": 50, "fe": 9, "si": 5, "c": 1}
fleets = {
    "win": {"home": [ship("Jäger", 10, 30), {"count": 3, "design": f"{data}/example.shp"}], "foreign": [ship("Feind", 20, 20)]},
    "stall": {"home": [ship("A", 1, 0)], "foreign": [ship("B", 1, 0)]},
    "full": {"home": [ship(f"T{i}", 1, 0) for i in range(10)], "foreign": [ship("B", 3, 5)]},
}
for name, fleet in fleets.items():
    json.dump(fleet, open(f"{tmp}/{name}.json", "w"))
shp = [f"{data}/example.shp", f"{data}/lager3.shp"]
open(f"{tmp}/T3.shp", "w").write(open(shp[1]).read().replace("Lager 3", "Lager 1"))
win, stall, full = (f"{tmp}/{name}.json" for name in ("win", "stall", "full"))
calls = [  # the command's definition is its name
    ["design"], ["design", shp[0], "--set", "Kolonisation=1", "--distance", "0", "--name", 'a"b\\c\td'],
    ["design", "--set", "Lager=2000000", "--set", "ZVA=40", "--ship-factory", "7"],
    ["battle", win], ["battle", stall], ["mincount", win, "--entry", "0"], ["mincount", stall, "--entry", "0"],
    ["flight"], ["flight", "--start", "x", "--stability", "-5"],
    ["battlecalc", "--begin", "1:00:00", "--end", "1:30:00"], ["battlecalc", "--begin", "x", "--stability", "0"],
    ["actions", "--attacker", "1"], ["actions", "--attacker", "99999", "--defender", "-5", "--ships", "1000000"],
    ["compare"] + shp, ["compare"] + shp + ["--acceleration", "--war-factory", "0"],
    ["counter", win, "--design", shp[0], "--design", shp[1]],
    ["counter", full, "--design", shp[1], "--design", f"{tmp}/T3.shp"],
]
requests = [(kind, dict(command=kind, **(extra or {}))) for kind, extra in [
    ("design", {"set": [{"Laserkanonen": 7}, {"Bemannt": 1}], "distance": 3000, "name": 'a"\\\u0001ä\U0001F680'}),
    ("battle", {"fleets": fleets["win"]}), ("mincount", {"fleets": win, "entry": 1}),
    ("flight", {"start": "1:2:a"}), ("battlecalc", {"end": "2:00:00"}), ("actions", {"ships": 3}),
    ("compare", {"files": shp}), ("counter", {"fleets": fleets["win"], "design": [shp[1]]})]]
requests += [("error", line) for line in ['kein JSON', '{"command": "design", "set": {"Lager": "abc"}}',
                                          '{"command": "battle", "fleets": {"home": []}}', '{"command": "flug"}']]

schema = json.load(open(schema_path))
jsonschema.Draft202012Validator.check_schema(schema)
failures = 0
def check(kind, text, what):
    global failures
    validator = jsonschema.Draft202012Validator({"$defs": schema["$defs"], "$ref": f"#/$defs/{kind}"})
    try:
        errors = [f"{'/'.join(map(str, e.absolute_path))}: {e.message}" for e in validator.iter_errors(json.loads(text))]
    except ValueError as e:
        errors = [f"kein JSON: {e}: {text[:200]}"]
    for e in errors:
        print(f"{what}: {kind}: {e}")
    failures += bool(errors)

for args in calls:
    run = subprocess.run([cli] + args + ["--json"], env=env, capture_output=True, text=True)
    check(args[0], run.stdout, " ".join(args) + " " + run.stderr)
lines = [r if isinstance(r, str) else json.dumps(r) for _, r in requests]
answers = subprocess.run([cli, "batch"], env=env, input="\n".join(lines) + "\n", capture_output=True, text=True).stdout
answers = answers.splitlines()
if len(answers) != len(requests):
    sys.exit(f"batch: {len(answers)} Antworten auf {len(requests)} Anfragen")
for (kind, _), line, answer in zip(requests, lines, answers):
    check(kind, answer, f"batch {line[:60]}")
print(f"{len(calls)} Aufrufe, {len(requests)} batch-Anfragen, {failures} Fehler")
sys.exit(1 if failures else 0)
