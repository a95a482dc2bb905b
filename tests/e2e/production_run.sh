#!/usr/bin/env bash
# The whole production, windowed, on its default data: a screenshot inside
# each picture's twenty seconds shows that picture the right way up with the
# object cutting through it; it quits by itself a little after 80 seconds of
# music with status 1, and what it played is the music from its start,
# without a gap. Usage: production_run.sh ZEPH DATA MATCHER
source "$(dirname "$0")/production_lib.sh"
ZEPH=$1
DATA=$2
MATCHER=$3
production_inputs "$ZEPH" "$MATCHER"
frame_setup 1024x768
production_folder run

e2e_record recording.raw
production_start run
window=$(production_window run)
# The music starts once the pictures and the object are loaded, right after
# the window shows. Shots 8 s into each picture's twenty seconds leave room
# on both sides, even on a busy machine.
start=$SECONDS
for picture in 0 1 2 3; do
  wait_until $((start + 8 + 20 * picture))
  capture_client "$window" "shot$picture.png"
  e2e_log "shot$picture.png at $((SECONDS - start)) s"
done
e2e_wait_exit "$DEMO_PID" $((start + 110 - SECONDS))
ran=$((SECONDS - start))
e2e_log "ended with status $E2E_STATUS after $ran s"
[ "$E2E_STATUS" = 1 ] || e2e_fail "exit status $E2E_STATUS, expected 1"
[ $ran -ge 79 ] && [ $ran -le 95 ] || e2e_fail "quit after $ran s, expected a little after 80 s"
e2e_record_stop 1 # the sink's last periods
# As in frame_audio.sh: every 23 ms block of the music must be there, exact
# and in order; the sound server's own short jumps on a starved machine (under
# 100 ms) pass, a lost, repeated or damaged stretch does not.
checks=(--allow-jumps 100 --from 0)
[ -z "${ZEPH_E2E_RUNNER:-}" ] || checks=(--allow-jumps 100 --from 1.5 --tolerance 1)
"$ZEPH_E2E_AUDIO_COMPARE" run/data/tovi_does_brask.ogg recording.raw --seconds 78 "${checks[@]}" ||
  e2e_sound_differs $?

finish_captures
expect_pictures shot0.png shot1.png shot2.png shot3.png
e2e_log "production_run: passed"
