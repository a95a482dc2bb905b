#!/usr/bin/env bash
# The production built with output setting 2 ("DirectSound8"), windowed, under
# Wine: each picture shows at its music time, checked by screenshots taken
# one after another across every change (a picture a second late fails), the
# music time of each being where the sound recorded just before and after it
# lies in the music; Escape ends the run with status 1.
# Usage: directsound_production.sh ZEPH_DIRECTSOUND ZEPHTOOL
source "$(dirname "$0")/production_lib.sh"
ZEPH=$1
ZEPHTOOL=$2
[ -n "${ZEPH_E2E_RUNNER:-}" ] || { e2e_log "directsound_production: DirectSound is a Windows output; nothing to do"; exit 0; }
frame_setup 1024x768
run_program "$ZEPHTOOL" make-data made >/dev/null || e2e_fail "zephtool make-data failed"
DATA=$PWD/made
production_folder run
run_program "$ZEPHTOOL" decode made/data/tovi_does_brask.ogg music.raw >/dev/null || e2e_fail "zephtool decode failed"

# The recorder close behind the sink, so that the file's length tells the time.
e2e_spawn parec -d cap.monitor --format=s16le --rate=44100 --channels=2 --raw --latency-msec=20 recording.raw
RECORDER=$E2E_LAST_PID

# Wine says when a program asks for DirectSound's priority level: proof that
# this production plays through DirectSound.
export LP_NUM_THREADS=1
WINEDEBUG=-all,warn+dsound production_start run 2>run.err
window=$(production_window)

# music_start: the recording's byte offset of the music's first sample (the
# default music is loud from its first milliseconds), once it has arrived.
MUSIC_START=""
find_music_start() {
  MUSIC_START=$(python3 - recording.raw <<'EOF'
import array, sys
data = open(sys.argv[1], 'rb').read()
samples = array.array('h', data[:len(data) // 4 * 4])
for i, s in enumerate(samples):
    if abs(s) > 256:
        print((i // 2) * 4)
        break
EOF
  )
  [ -n "$MUSIC_START" ]
}
e2e_wait_for 90 find_music_start || e2e_fail "no music recorded within 90 s"
e2e_log "music starts at byte $MUSIC_START of the recording"

# music_at OFFSET...: the music time heard at each recording offset ("none"
# where the recording holds no music just before it).
music_at() { python3 "$E2E_HERE/directsound_music_time.py" music.raw recording.raw "$MUSIC_START" "$@"; }

# How far the recording's length runs ahead of the music: underruns below
# the output add silence. Measured now and then, to aim the shots.
LAG=0
measure_lag() {
  local size heard
  for _ in 1 2 3 4 5; do
    size=$(stat -c %s recording.raw)
    heard=$(music_at "$size")
    if [ "$heard" != none ]; then
      LAG=$(awk -v s="$size" -v m="$MUSIC_START" -v h="$heard" 'BEGIN { printf "%.3f\n", (s - m) / 176400 - h }')
      e2e_log "the recording runs $LAG s ahead of the music"
      return
    fi
    sleep 0.2
  done
  e2e_log "the music heard now was not found; the recording is taken to run $LAG s ahead"
}

# wait_music SECONDS: returns once the sink has played about that much music
# (within 120 s).
wait_music() {
  local bytes deadline=$((SECONDS + 120))
  bytes=$(awk -v t="$1" -v l="$LAG" -v m="$MUSIC_START" 'BEGIN { printf "%d\n", m + (t + l) * 176400 }')
  while [ "$(stat -c %s recording.raw)" -lt "$bytes" ]; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.01
  done
}
segment() { awk -v t="$1" 'BEGIN { s = int(t / 20) + 1; if (t < 0) s = 0; print (s > 4 ? 4 : s) }'; }

# shown_picture IMAGE: 1 to 4 by the corner markers of the default pictures, 0 for none.
shown_picture() {
  local left right i
  left=$(pixel "$1" 20 15)
  right=$(pixel "$1" 620 15)
  for i in 0 1 2 3; do
    if near_colour "$left" "${MARKER_LEFT[i]}" && near_colour "$right" "${MARKER_RIGHT[i]}"; then
      echo $((i + 1))
      return
    fi
  done
  echo 0
}
# near_colour R,G,B R,G,B: each channel within 24.
near_colour() {
  awk -v g="$1" -v w="$2" 'BEGIN { split(g, a, ","); split(w, b, ",");
    for (i = 1; i <= 3; i++) { d = a[i] - b[i]; if (d > 24 || d < -24) exit 1 } }'
}

# shoot NAME: a screenshot, with the recording's length before and after it.
shoot() {
  local before after
  kill -0 "$DEMO_PID" 2>/dev/null || e2e_fail "the production ended before shot $1"
  before=$(stat -c %s recording.raw)
  # The window is the client area; an uncompressed picture is quick to take.
  timeout 20 import -window "$window" "shot-$1.ppm" || e2e_fail "shot $1 failed"
  after=$(stat -c %s recording.raw)
  echo "$1 $before $after" >>shots.txt
}
music_below() { [ "$(stat -c %s recording.raw)" -lt "$(awk -v t="$1" -v l="$LAG" -v m="$MUSIC_START" \
  'BEGIN { printf "%d\n", m + (t + l) * 176400 }')" ]; }

# Shots one after another across every change, each judged afterwards by the
# music time really heard just before and just after it.
: >shots.txt
wait_music 10 || e2e_fail "the music did not reach 10 s"
shoot 10
for change in 20 40 60; do
  # Measuring takes a few seconds: well before the change.
  wait_music $((change - 7)) || e2e_fail "the music did not reach $((change - 7)) s"
  measure_lag
  wait_music $((change - 2)) || e2e_fail "the music did not reach $((change - 2)) s"
  n=0
  while music_below $((change + 2)) && [ $n -lt 40 ]; do
    n=$((n + 1))
    shoot "$change-$n"
  done
done
wait_music 70 || e2e_fail "the music did not reach 70 s"
shoot 70

xdotool key --window "$window" Escape
expect_status 1
grep -q DSSCL_PRIORITY run.err || { cat run.err >&2; e2e_fail "the production did not play through DirectSound"; }
e2e_stop "$RECORDER"

# shellcheck disable=SC2046
music_at $(awk '{print $2, $3}' shots.txt) >times.txt || e2e_fail "music times not found"
paste -d ' ' shots.txt <(paste -d ' ' - - <times.txt) >judged.txt
# Each line: shot, offsets, music time before and after it.
judged=0
close=""
while read -r shot _ _ from to; do
  if [ "$from" = none ] || [ "$to" = none ]; then
    e2e_log "shot $shot: music time not found, not judged"
    continue
  fi
  # The frame on screen was drawn a frame or two before the shot began.
  first=$(segment "$(awk -v t="$from" 'BEGIN { print t - 0.15 }')")
  last=$(segment "$to")
  if [ "$first" != "$last" ]; then
    e2e_log "shot $shot: music $from-$to s spans a change, not judged"
    continue
  fi
  shown=$(shown_picture "shot-$shot.ppm")
  e2e_log "shot $shot: music $from-$to s, picture $shown (expected $first)"
  [ "$shown" = "$first" ] || e2e_fail "at music $from-$to s picture $shown shows, expected $first"
  judged=$((judged + 1))
  close="$close $(awk -v f="$from" -v t="$to" 'BEGIN { for (b = 20; b <= 60; b += 20) {
    if (f - 0.15 >= b - 1.5 && t < b) printf " before%d", b; if (f - 0.15 >= b && t < b + 1) printf " after%d", b } }')"
done <judged.txt
# Each change judged on both sides: within a second after it (a picture a
# second late fails) and within 1.5 s before it.
for side in before20 after20 before40 after40 before60 after60; do
  grep -qw "$side" <<<"$close" || e2e_fail "no shot judged close enough $side"
done
e2e_log "directsound_production: passed ($judged shots judged)"
