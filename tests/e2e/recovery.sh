#!/usr/bin/env bash
# End to end: unsaved work survives a killed program. Types levels into the real
# schiffsdesigner under Xvfb, kills it with SIGKILL once the recovery file had time,
# starts it again, answers "Wiederherstellen" and saves the design that came back:
# its file must hold the figures schiffsdesigner-cli gives for the same levels.
#   recovery.sh APP CLI [SCREENSHOT_DIR]
set -uo pipefail

APP=$(realpath "$1")
CLI=$(realpath "$2")
SHOTS=${3:+$(realpath -m "$3")}
SKIP=77
for tool in Xvfb xdotool iconv; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIPPED: $tool is not installed"; exit $SKIP; }
done

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
work=$(mktemp -d)
# The program's own folders, not the user's.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
xvfb_pid= app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
shot() { [ -n "$SHOTS" ] && mkdir -p "$SHOTS" && import -window root "$SHOTS/recovery-$1.png"; }
die() { echo "FAIL: $*" >&2; shot failed; exit 1; }

exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&5 || { echo "SKIPPED: Xvfb did not start"; exit $SKIP; }
export DISPLAY=":$display"

key() { xdotool key --clearmodifiers "$@"; sleep 0.25; }
tabs() { for _ in $(seq "$1"); do xdotool key Tab; sleep 0.05; done; sleep 0.2; }
typ() { xdotool type --delay 40 "$1"; sleep 0.3; }
wait_window() { # title regex
  for _ in $(seq 150); do
    local w
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    if [ -n "$w" ]; then xdotool windowfocus --sync "$w"; sleep 0.3; return 0; fi
    sleep 0.1
  done
  die "window '$1' did not appear"
}
start() { "$APP" -cfg e2e.ini >>"$work/app.log" 2>&1 & app_pid=$!; }
recovery_file() { find "$XDG_DATA_HOME" -name Wiederherstellung.json 2>/dev/null; }

cd "$work"
printf ';Version 30\r\n\r\n[Designer]\r\nFlugzeit\r\nDistanz 2000\r\n\r\n[KRM]\r\nActivesTab 0\r\n' >e2e.ini
start
wait_window '^Quarzfink Schiffsdesigner 3.0a$'
tabs 3
for level in 3 2 1 2 1 4 5 1; do typ "$level"; tabs 1; done
sleep 3
[ -n "$(recovery_file)" ] || die "no recovery file 3 s after the last change"
kill -9 "$app_pid"; wait "$app_pid" 2>/dev/null; app_pid=

start
wait_window '^Wiederherstellen$'
shot question
key Return # the default answer: "Wiederherstellen"
wait_window '^Quarzfink Schiffsdesigner 3.0a$'
key ctrl+a # "Speichern Als..." for the design that came back, which is shown
wait_window 'Schiffsdesign Speichern'
key ctrl+a
typ "$work/Wieder.shp"
key Return
for _ in $(seq 50); do [ -s "$work/Wieder.shp" ] && break; sleep 0.1; done

expected=$("$CLI" design --name X --set Lager=3 --set Panzer=2 --set Verbrenner=1 --set Fusionsantrieb=2 \
  --set ZVA=1 --set Raketenbatterie=4 --set Laserkanonen=5 --set Plasmawerfer=1 | head -n -4 | tail -n +2)
saved=$(iconv -f CP1252 -t UTF-8 "$work/Wieder.shp" 2>/dev/null | tr -d '\r' | tail -n +2)
[ "$saved" == "$expected" ] || die "restored design differs:"$'\n'"$saved"$'\n'"expected:"$'\n'"$expected"

# "Beenden" with nothing unsaved ends at once, and the recovery file goes with it.
wait_window '^Quarzfink Schiffsdesigner 3.0a$'
key alt; key Left; key Return
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && die "the program did not end after Beenden"
app_pid=
[ -z "$(recovery_file)" ] || die "the recovery file is still there after Beenden"
echo "recovery end-to-end: all checks passed"
