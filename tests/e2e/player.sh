#!/usr/bin/env bash
# zephtool play on the default data: started at 21 s it shows picture 1;
# Page Down seeks 20 s on, to picture 2, and what is heard is the music from
# the seek's time; paused, the sink plays silence and the picture stands
# still; a half-written picture file does not end it, the whole file then
# shows at R; resumed, the music goes on where it stopped; Escape ends it
# with status 0. Usage: player.sh ZEPHTOOL DATA MATCHER
source "$(dirname "$0")/production_lib.sh"
ZEPHTOOL=$1
DATA=$2
MATCHER=$3
production_inputs "$ZEPHTOOL" "$MATCHER"
frame_setup 1024x768
production_folder run
MUSIC=run/data/tovi_does_brask.ogg
SECOND_BYTES=176400

# music_time: the music time the window's title shows.
music_time() { xdotool getwindowname "$window" | sed -n 's/^zeph play \([0-9.]*\) s.*/\1/p'; }
music_past() { awk -v t="$(music_time)" -v s="$1" 'BEGIN { exit !(t != "" && t + 0 >= s) }'; }
title_has() { xdotool getwindowname "$window" | grep -qF "$1"; }
recorded() { stat -c %s recording.raw; }
press() { xdotool windowfocus --sync "$window" key "$1" || e2e_fail "could not press $1"; }
# said TEXT: the value in the player's latest line starting with TEXT.
said() { sed -n "s/^$1 \([0-9.]*\) s$/\1/p" player.out | tail -n1; }
wait_recorded() { e2e_wait_for 30 e2e_recorded_past "$1" || e2e_fail "the recorder stopped"; }

# The recording's length follows the sink closely.
e2e_record recording.raw
nice=()
[ "$(id -u)" -ne 0 ] || nice=(nice -n -10)
LP_NUM_THREADS=0 e2e_spawn "${nice[@]}" "$ZEPHTOOL" play run --from 21 >player.out 2>player.err
DEMO_PID=$E2E_LAST_PID
window=$(e2e_find_window '^zeph play' 60) || { cat player.out player.err >&2; e2e_fail "no player window"; }
expect_line player.out '^playing from 21.000 s$'

e2e_wait_for 30 music_past 22.5 || e2e_fail "the music does not play (title: $(music_time))"
capture_client "$window" shot1.png

press Next
wait_marker player.out "seek to" 10
seek=$(said "seek to")
e2e_log "seek to $seek s"
# Started early, so that a screenshot slowed by a busy machine still leaves
# the seek's picture and the rest of the music ahead of it.
awk -v s="$seek" 'BEGIN { exit !(s < 55) }' ||
  e2e_fail "Page Down came only at $((${seek%.*} - 20)) s (the test's own delay, an instrument failure): the seek's picture and music would run out"
e2e_wait_for 30 music_past "$(awk -v s="$seek" 'BEGIN { print s + 2.5 }')" || e2e_fail "no music after the seek"
capture_client "$window" shot2.png

press space
wait_marker player.out "paused at" 10
paused=$(said "paused at")
e2e_wait_for 10 title_has paused || e2e_fail "the title does not say paused"
# The sink has played out what the output had taken a second later.
wait_recorded $(($(recorded) + SECOND_BYTES))
silent_from=$(recorded)
capture_client "$window" still1.png
wait_recorded $((silent_from + 2 * SECOND_BYTES))
silent_to=$(recorded)
capture_client "$window" still2.png

# A half-written picture leaves the old one and says why; the whole file shows.
head -c 2000 run/data/vote.png >run/data/du_ogsaa.png
press r
wait_marker player.out "reloaded with 1 failures" 10
grep -q '^data/du_ogsaa.png: ' player.err || e2e_fail "no message for the half-written picture"
e2e_wait_for 10 title_has "data/du_ogsaa.png: " || e2e_fail "the title does not name the failed picture"
cp run/data/vote.png run/data/du_ogsaa.png
press r
wait_marker player.out "reloaded$" 10
e2e_wait_for 10 bash -c "! xdotool getwindowname $window | grep -qF du_ogsaa.png" ||
  e2e_fail "the title still names the picture"
capture_client "$window" reloaded.png

press space
wait_marker player.out "resumed at" 10
wait_recorded $(($(recorded) + 2 * SECOND_BYTES))
press Escape
e2e_wait_exit "$DEMO_PID" 30
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS, expected 0"
e2e_record_end
e2e_log "paused at $paused s; silence checked from byte $silent_from to $silent_to"

# Paused: nothing but silence, and the same picture.
python3 - recording.raw "$silent_from" "$silent_to" <<'EOF' || e2e_fail "the sink played sound while paused"
import sys
with open(sys.argv[1], "rb") as f:
    f.seek(int(sys.argv[2]))
    part = f.read(int(sys.argv[3]) - int(sys.argv[2]))
sys.exit(0 if part and part.count(0) == len(part) else 1)
EOF
finish_captures
differing=$(compare -metric AE still1.png still2.png null: 2>&1 || true)
[ "${differing%% *}" = 0 ] || e2e_fail "the picture changed while paused ($differing pixels)"

# From the seek on, the music without a gap; the pause's silence cut out,
# the music goes on after it as before (jumps up to 100 ms: the sink's own).
python3 - recording.raw joined.raw <<'EOF' || e2e_fail "could not cut the pause out"
import sys
data = open(sys.argv[1], "rb").read()
frames = [data[i:i + 4] for i in range(0, len(data) - 3, 4)]
out, run = bytearray(), []
for frame in frames:
    if frame == b"\0\0\0\0":
        run.append(frame)
        continue
    if len(run) < 4410:  # shorter than 0.1 s: part of the music
        out += b"".join(run)
    run = []
    out += frame
open(sys.argv[2], "wb").write(out)
EOF
until_pause=$(awk -v p="$paused" 'BEGIN { print p - 0.5 }')
"$ZEPH_E2E_AUDIO_COMPARE" "$MUSIC" recording.raw --allow-jumps 100 --from "$seek" --seconds "$until_pause" ||
  e2e_fail "after the seek, the recording is not the music from $seek s"
after_resume=$(awk -v p="$paused" 'BEGIN { print p + 1.5 }')
"$ZEPH_E2E_AUDIO_COMPARE" "$MUSIC" joined.raw --allow-jumps 100 --from "$seek" --seconds "$after_resume" ||
  e2e_fail "the music does not go on where the pause stopped it"

# Pictures: 1 at 21 s, 2 after the seek (held against the default set);
# reloaded, picture 2 is the new file (and no longer the old one).
expect_match() { "$MATCHER" "$1" "$2" "$3" >"$2.match" 2>&1; }
expect_match "$DATA" shot1.png 1 || e2e_fail "at 21 s: not picture 1 ($(cat shot1.png.match))"
expect_match "$DATA" shot2.png 2 || e2e_fail "after the seek: not picture 2 ($(cat shot2.png.match))"
expect_match "$PWD/run" reloaded.png 2 || e2e_fail "reloaded: not the new picture ($(cat reloaded.png.match))"
! expect_match "$DATA" reloaded.png 2 || e2e_fail "reloaded: still the old picture"
e2e_log "player: passed"
