#!/usr/bin/env bash
# End to end: the real schiffsdesigner under Xvfb, driven with real key presses as a
# player drives it. Designs a ship, saves and opens it, exports it, uses every
# calculator, fights a battle, finds the minimum count to win, and ends with "Beenden" answering its save question.
# Every figure read from the window is compared with schiffsdesigner-cli.
#   e2e.sh APP CLI SCREENSHOT_DIR
set -uo pipefail

APP=$(realpath "$1")
CLI=$(realpath "$2")
SHOTS=$(realpath -m "$3")
SKIP=77

for tool in Xvfb xdotool xclip import iconv; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (tools/setup.sh installs it)"
    exit $SKIP
  fi
done

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
work=$(mktemp -d)
# The program's own settings, data and state folders, not the user's
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
mkdir -p "$SHOTS"
failures=0
xvfb_pid=
app_pid=

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { # name actual expected
  if [ "$2" == "$3" ]; then echo "ok: $1 = $2"; else fail "$1: got '$2', expected '$3'"; fi
}

# A display of our own.
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&5 || { echo "SKIPPED: Xvfb did not start"; exit $SKIP; }
export DISPLAY=":$display"

key() { xdotool key --clearmodifiers "$@"; sleep 0.25; }
tabs() { for _ in $(seq "$1"); do xdotool key Tab; sleep 0.05; done; sleep 0.2; }
typ() { xdotool type --delay 40 "$1"; sleep 0.3; }
field() { # copies the focused field's text (Tab has selected it) and prints it
  printf '' | xclip -selection clipboard
  key ctrl+c
  xclip -o -selection clipboard 2>/dev/null
}
shot() { sleep 0.4; import -window root -crop "${geometry}+0+0" "$SHOTS/$1.png"; }
wait_window() { # title regex
  for _ in $(seq 200); do
    local w
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    if [ -n "$w" ]; then xdotool windowfocus --sync "$w"; sleep 0.3; echo "$w"; return 0; fi
    sleep 0.1
  done
  fail "window '$1' did not appear"
  return 1
}
wait_file() { for _ in $(seq 50); do [ -s "$1" ] && return 0; sleep 0.1; done; fail "file $1 was not written"; }

cd "$work"
printf ';Version 30\r\n\r\n[Designer]\r\nFlugzeit\r\nDistanz 2000\r\n\r\n[KRM]\r\nActivesTab 0\r\n' >e2e.ini
# The very first start on a fresh machine may find the display not quite ready: one more try.
for attempt in 1 2; do
  "$APP" -cfg e2e.ini >"$work/app.log" 2>&1 &
  app_pid=$!
  main=$(wait_window '^Quarzfink Schiffsdesigner 3.0a$') && break
  echo "the program did not show its window (attempt $attempt); its output:" >&2
  cat "$work/app.log" >&2
  kill "$app_pid" 2>/dev/null
  app_pid=
  [ "$attempt" -eq 2 ] && exit 1
  failures=0
  sleep 2
done
geometry=$(xdotool getwindowgeometry "$main" | awk '/Geometry/ {print $2}')

# --- Designer: Lager 3, Panzer 2, Verbrenner 1, Fusion 2, ZVA 1, Raketen 4, Laser 5, Plasma 1, Bemannt
tabs 3
for level in 3 2 1 2 1 4 5 1; do typ "$level"; tabs 1; done
tabs 9          # past SBE, factories, production figures, Kolonisation, Invasion
key space       # Bemannt
shot designer

set_args=(--set Lager=3 --set Panzer=2 --set Verbrenner=1 --set Fusionsantrieb=2 --set ZVA=1
          --set Raketenbatterie=4 --set Laserkanonen=5 --set Plasmawerfer=1 --set Bemannt=1)
expected_export=$("$CLI" design --name Kreuzer "${set_args[@]}" | head -n -4)

# --- Save as Kreuzer.shp with Ctrl+A while a text field (Waffenfabrik) has the
#     focus: the menu's shortcut wins over the field's select-all
for _ in $(seq 7); do key shift+Tab; done
key ctrl+a
wait_window 'Schiffsdesign Speichern' >/dev/null
key ctrl+a
typ "$work/Kreuzer.shp"
key Return
wait_file "$work/Kreuzer.shp"
wait_window '^Quarzfink Schiffsdesigner 3.0a$' >/dev/null
saved=$(iconv -f CP1252 -t UTF-8 "$work/Kreuzer.shp" | tr -d '\r' | tail -n +2)
check "saved file = design figures" "$saved" "$(echo "$expected_export" | tail -n +2)"
check "saved file ends lines with CR LF" "$(head -c 13 "$work/Kreuzer.shp" | od -An -c | tr -s ' ')" " ; V e r s i o n 3 0 \r \n"

# --- Export with Ctrl+E in the same field (under X11 also its end-of-line key),
#     copied from the dialog's text
key ctrl+e
wait_window '^Exportieren$' >/dev/null
shot export
key ctrl+a
exported=$(field)
key Escape
check "export text" "$exported" "$expected_export"
wait_window '^Quarzfink Schiffsdesigner 3.0a$' >/dev/null
key shift+Tab; key Tab   # into the field again: Tab selects its text
check "Waffenfabrik unchanged by the shortcuts" "$(field)" "1"
tabs 7                   # back to "Bemannt"

# --- Open the same file again: it arrives as Kreuzer(0)
wait_window '^Quarzfink Schiffsdesigner 3.0a$' >/dev/null
key ctrl+f
wait_window 'Schiffsdesign Laden' >/dev/null
key ctrl+a
typ "$work/Kreuzer.shp"
key Return
wait_window '^Quarzfink Schiffsdesigner 3.0a$' >/dev/null

# --- Rechner: from the first field of the page
tabs 3
key ctrl+Tab
shot rechner-start
typ "444:111:a"; tabs 1
typ "666:999:f"; tabs 1
check "Entfernung" "$(field)" "7623"
tabs 7
check "Flug" "$(field)" "68:35:49"
key shift+Tab
key space       # Design verwenden
tabs 1
stability=$("$CLI" design "${set_args[@]}" --json | sed -n 's/.*"stability": \([0-9]*\).*/\1/p')
expected_flight=$("$CLI" flight --thruster 1 --fusion 2 --zva 1 --stability "$stability" | sed -n 's/^Flug: //p')
check "Flug mit Design" "$(field)" "$expected_flight"
tabs 6
typ 5; tabs 1   # Angreiferlevel
typ 3; tabs 1   # Verteidigerlevel
check "Stufendifferenz" "$(field)" "2"
tabs 3
check "Wahrscheinlichkeit (%)" "$(field)" "59.41"
tabs 4
typ 3; tabs 1   # Anzahl Schiffe
check "Wahrscheinlichkeit (%) Schiffe" "$(field)" "90.86"
tabs 1
typ 4; tabs 1   # Enttarnungs-Versuche
check "Wahrscheinlichkeit (%) Enttarnung" "$(field)" "87.54"
tabs 1
typ "12:00:00"; tabs 1
typ "12:30:00"; tabs 1
check "Kampfdauer" "$(field)" "00:30:00"
tabs 1
typ 150; tabs 2
check "Angreifer AS ca." "$(field)" "399"
shot rechner

# --- Kampfsimulator: 3 Kreuzer at home, "+" makes 4; 5 Kreuzer abroad; Simulieren
key ctrl+Tab
tabs 5
typ 3; tabs 2
key space       # Hinzufügen: focus goes to the fleet list
key plus
tabs 13
typ 5; tabs 2
key space
tabs 10
key space       # Simulieren
key shift+Tab
key ctrl+a
report=$(field)
shot kampfsimulator
cat >"$work/fleets.json" <<JSON
{"home": [{"count": 4, "design": "Kreuzer.shp"}], "foreign": [{"count": 5, "design": "Kreuzer.shp"}]}
JSON
check "battle report" "$report" "$("$CLI" battle "$work/fleets.json")"

# --- Mindestanzahl for the chosen home entry (Kreuzer): the count is set and its
# battle shown, as schiffsdesigner-cli mincount finds and fights it
xdotool mousemove 189 8 click 1; sleep 0.5   # the Kampfsimulator menu
key Down Down Down Down Down Down Down       # ... Bericht speichern, Verlauf speichern, Mindestanzahl...
key Return
wait_window '^Mindestanzahl$' >/dev/null
shot mindestanzahl
key shift+Tab   # from "Nicht übernehmen", the default, to "Übernehmen"
key space
key ctrl+a
mincount=$("$CLI" mincount "$work/fleets.json" --entry 0)
check "Mindestanzahl" "$(field)" "$(tail -n +2 <<<"$mincount")"
check "Mindestanzahl found" "$(head -1 <<<"$mincount" | grep -c '^Mindestanzahl: [0-9]')" "1"

# --- The debug page
key ctrl+Tab
shot debug

# --- Beenden: the copy Kreuzer(0) has unsaved changes; OK saves it as Zweiter.shp
key alt
key Left
key Return
wait_window '^Schiffstyp speichern$' >/dev/null
shot exit-question
key shift+Tab; key shift+Tab   # from "Abbrechen", the default, to "Speichern"
key space
wait_window 'Schiffsdesign Speichern' >/dev/null
key ctrl+a
typ "$work/Zweiter.shp"
key Return
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
  fail "the program did not end after Beenden"
else
  wait "$app_pid"; status=$?
  app_pid=
  check "exit status" "$status" "0"
fi
check "second design saved" "$(tail -n +2 "$work/Zweiter.shp" 2>/dev/null)" "$(tail -n +2 "$work/Kreuzer.shp")"
check "settings written" "$(tr -d '\r' <"$work/e2e.ini" | grep ActivesTab)" "ActivesTab 3"

if [ "$failures" -ne 0 ]; then
  echo "$failures end-to-end check(s) failed; screenshots in $SHOTS"
  exit 1
fi
echo "end-to-end: all checks passed; screenshots in $SHOTS"
