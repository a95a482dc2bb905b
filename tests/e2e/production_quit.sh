#!/usr/bin/env bash
# Escape, pressed at any time, and closing the window end the production
# normally, with status 1; left alone, with music shorter than its 80 s, it
# ends by itself about 80 s after it starts (natively: the clock is portable
# code, and the Windows run is long enough). The production plays on the Null
# output: no sound server. Usage: production_quit.sh ZEPH DATA
source "$(dirname "$0")/production_lib.sh"
ZEPH=$1
DATA=$2
production_inputs "$ZEPH"
frame_setup 1024x768 silent

# now: seconds since the epoch, to the millisecond.
now() { date +%s.%3N; }

# The production left alone runs beside the cases below, which pass over its
# window; a watcher notes when it ends (a zombie counts as ended).
alone_window=""
if [ -z "${ZEPH_E2E_RUNNER:-}" ]; then
  e2e_log "60 s music, left alone"
  production_folder alone
  make_music alone.ogg 60
  cp alone.ogg alone/data/tovi_does_brask.ogg
  alone_started=$(now)
  production_start alone
  ALONE_PID=$DEMO_PID
  alone_window=$(production_window alone)
  alone_shown=$(now)
  # shellcheck disable=SC2016
  e2e_spawn bash -c 'while [ -e /proc/$1 ] && [ "$(cut -d" " -f3 /proc/$1/stat 2>/dev/null)" != Z ]; do
    sleep 0.1; done; date +%s.%3N >"$2"' watch "$ALONE_PID" alone.ended
fi

production_folder run
e2e_log "Escape right after the window shows"
production_start run
window=$(production_window run "$alone_window")
xdotool windowfocus --sync "$window" key Escape || e2e_fail "xdotool key failed"
expect_status 1

e2e_log "Escape in the second picture's time"
production_start run
window=$(production_window run "$alone_window")
sleep 25
kill -0 "$DEMO_PID" || e2e_fail "the production ended by itself"
xdotool windowfocus --sync "$window" key Escape || e2e_fail "xdotool key failed"
expect_status 1

e2e_log "closing the window"
production_start run
window=$(production_window run "$alone_window")
sleep 3
python3 "$E2E_HERE/close_window.py" "$window" || e2e_fail "close request failed"
expect_status 1

if [ -z "${ZEPH_E2E_RUNNER:-}" ]; then
  e2e_log "60 s music: waiting for the production to end by itself"
  # At most 100 s after its window showed (it started before that).
  left=$(awk -v s="$alone_shown" -v n="$(now)" 'BEGIN { l = int(s + 101 - n); print (l > 1 ? l : 1) }')
  e2e_wait_exit "$ALONE_PID" "$left"
  [ "$E2E_STATUS" = 1 ] || { cat alone.err >&2; e2e_fail "exit status $E2E_STATUS, expected 1"; }
  e2e_wait_for 10 test -s alone.ended || e2e_fail "the watcher noted no end"
  read -r ran shown_ran < <(awk -v s="$alone_started" -v w="$alone_shown" -v e="$(cat alone.ended)" \
    'BEGIN { printf "%.1f %.1f\n", e - s, e - w }')
  e2e_log "ended by itself ${ran} s after it started, ${shown_ran} s after its window showed"
  awk -v r="$ran" -v w="$shown_ran" 'BEGIN { exit !(r >= 75 && w <= 100) }' ||
    e2e_fail "ended ${ran} s after it started (${shown_ran} s after its window): expected about 80 s"
fi
e2e_log "production_quit: passed"
