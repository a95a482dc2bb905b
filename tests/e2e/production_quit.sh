#!/usr/bin/env bash
# Escape, pressed at any time, and closing the window end the production
# normally, with status 1. Usage: production_quit.sh ZEPH DATA
source "$(dirname "$0")/production_lib.sh"
ZEPH=$1
DATA=$2
production_inputs "$ZEPH"
frame_setup 1024x768
production_folder run

e2e_log "Escape right after the window shows"
production_start run
window=$(production_window run)
xdotool windowfocus --sync "$window" key Escape || e2e_fail "xdotool key failed"
expect_status 1

e2e_log "Escape in the second picture's time"
production_start run
window=$(production_window run)
sleep 25
kill -0 "$DEMO_PID" || e2e_fail "the production ended by itself"
xdotool windowfocus --sync "$window" key Escape || e2e_fail "xdotool key failed"
expect_status 1

e2e_log "closing the window"
production_start run
window=$(production_window run)
sleep 3
python3 "$E2E_HERE/close_window.py" "$window" || e2e_fail "close request failed"
expect_status 1
e2e_log "production_quit: passed"
