#!/usr/bin/env bash
# Unsaved work survives SIGKILL: levels typed under Xvfb, a kill 3 s later, a new start answered
# "Wiederherstellen": the design, saved, has schiffsdesigner-cli's figures.   recovery.sh APP CLI
set -uo pipefail
APP=$(realpath "$1") CLI=$(realpath "$2")
for tool in Xvfb xdotool iconv; do command -v $tool >/dev/null || { echo "SKIPPED: no $tool"; exit 77; }; done
export LC_ALL=C.UTF-8; unset QT_QPA_PLATFORM
work=$(mktemp -d) xvfb_pid= app_pid=
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
trap '[ -n "$app_pid" ] && kill -9 $app_pid; [ -n "$xvfb_pid" ] && kill $xvfb_pid; rm -rf "$work"' EXIT
die() { echo "FAIL: $*" >&2; exit 1; }
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb_pid=$!
read -r -t 20 display <&5 && export DISPLAY=":$display" || { echo "SKIPPED: Xvfb did not start"; exit 77; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.25; }
typ() { xdotool type --delay 40 "$1"; sleep 0.3; }
wait_window() { # title regex
  for _ in $(seq 150); do
    w=$(xdotool search --onlyvisible --name "$1" | head -1)
    [ -n "$w" ] && { xdotool windowfocus --sync "$w"; sleep 0.3; return 0; }; sleep 0.1
  done; die "window '$1' did not appear"
}
start() { "$APP" -cfg e2e.ini >>"$work/app.log" 2>&1 & app_pid=$!; }
cd "$work" && printf '[KRM]\r\nActivesTab 0\r\n' >e2e.ini

start; wait_window '^Quarzfink Schiffsdesigner 3.0a$'
key Tab Tab Tab; for level in 3 2 1 2 1 4 5 1; do typ $level; key Tab; done
sleep 3; [ -n "$(find data -name Wiederherstellung.json)" ] || die "no recovery file 3 s after the last change"
# A loaded machine may hand the program the last keys late: the file is left alone for 2 s first.
for _ in $(seq 50); do [ -n "$(find data -name Wiederherstellung.json -mmin -0.034)" ] || break; sleep 0.2; done
kill -9 $app_pid; wait $app_pid 2>/dev/null

start; wait_window '^Wiederherstellen$'; key Return # its default
wait_window '^Quarzfink Schiffsdesigner 3.0a$'; key ctrl+a # "Speichern Als..." the design that came back
wait_window 'Schiffsdesign Speichern'; key ctrl+a; typ "$work/Wieder.shp"; key Return
for _ in $(seq 50); do [ -s Wieder.shp ] && break; sleep 0.1; done
expected=$("$CLI" design --name X --set Lager=3 --set Panzer=2 --set Verbrenner=1 --set Fusionsantrieb=2 \
  --set ZVA=1 --set Raketenbatterie=4 --set Laserkanonen=5 --set Plasmawerfer=1 | head -n -4 | tail -n +2)
saved=$(iconv -f CP1252 -t UTF-8 Wieder.shp | tr -d '\r' | tail -n +2)
[ "$saved" == "$expected" ] || die "restored design:"$'\n'"$saved"$'\n'"expected:"$'\n'"$expected"
echo "recovery end-to-end: all checks passed"
