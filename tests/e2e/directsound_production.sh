#!/usr/bin/env bash
# The production built with output setting 2 ("DirectSound8"), windowed, under
# Wine: the pictures come in order, each within half a second of its music
# time (read every 20 ms at two points of the window where the pictures
# differ, as production_picture_points finds them; the music time being
# where the sound recorded around those reads lies in the music), and Escape
# ends the run with status 1.
# Usage: directsound_production.sh ZEPH_DIRECTSOUND ZEPHTOOL PICTURE_POINTS
source "$(dirname "$0")/production_lib.sh"
ZEPH=$1
ZEPHTOOL=$2
POINTS=$3
[ -n "${ZEPH_E2E_RUNNER:-}" ] || { e2e_log "directsound_production: DirectSound is a Windows output; nothing to do"; exit 0; }
[ -x "$POINTS" ] || e2e_fail "$POINTS is missing: build the native preset first (it renders the pictures off screen)"
frame_setup 1024x768
"$ZEPHTOOL" make-data made >/dev/null || e2e_fail "zephtool make-data failed with status $?"
DATA=$PWD/made
production_folder run
# The two points, then each picture's colours there.
mapfile -t LOOKS < <("$POINTS" "$DATA")
[ ${#LOOKS[@]} = 5 ] || e2e_fail "production_picture_points found no points that tell the pictures apart"
e2e_log "pictures told apart at ${LOOKS[0]}: ${LOOKS[*]:1}"
"$ZEPHTOOL" decode made/data/tovi_does_brask.ogg music.raw >/dev/null || e2e_fail "zephtool decode failed with status $?"

# The recorder close behind the sink, so that the file's length tells the time.
e2e_record recording.raw

# Wine says when a program asks for DirectSound's priority level: proof that
# this production plays through DirectSound.
export LP_NUM_THREADS=1
WINEDEBUG=-all,warn+dsound production_start run 2>run.err
window=$(production_window run)

# find_music_start: the recording's byte offset at which the music's first
# sample played, once the recording holds music (found where the first
# recorded music lies in the music: the recorder misses its first moments).
MUSIC_START=""
find_music_start() {
  MUSIC_START=$(python3 "$E2E_HERE/directsound_music_time.py" --start music.raw recording.raw)
  [ -n "$MUSIC_START" ]
}
e2e_wait_for 90 find_music_start || e2e_fail "no music recorded within 90 s"
e2e_log "music starts at byte $MUSIC_START of the recording"

# music_at OFFSET...: the music time heard at each recording offset ("none"
# where the recording holds no music just before it).
music_at() { python3 "$E2E_HERE/directsound_music_time.py" music.raw recording.raw "$MUSIC_START" "$@"; }

# wait_recorded SECONDS: returns once the recording holds that much since the
# music began (within 150 s); underruns make that a little more than the music.
wait_recorded() {
  local bytes deadline=$((SECONDS + 150))
  bytes=$(awk -v t="$1" -v m="$MUSIC_START" 'BEGIN { printf "%d\n", m + t * 176400 }')
  while [ "$(stat -c %s recording.raw)" -lt "$bytes" ]; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# The two points, read about every 20 ms with the recording's length around
# each read, until well past the last change. Under Wine the production's X
# window is its client area, so the frame's points are the window's.
# shellcheck disable=SC2086 # the points are two words
e2e_spawn python3 "$E2E_HERE/directsound_watch.py" "$window" recording.raw ${LOOKS[0]} >watch.txt
WATCHER=$E2E_LAST_PID
wait_recorded 71 || e2e_fail "the recording did not reach 71 s of music"
e2e_stop "$WATCHER"
xdotool key --window "$window" Escape
expect_status 1
grep -q DSSCL_PRIORITY run.err || { cat run.err >&2; e2e_fail "the production did not play through DirectSound"; }
e2e_record_end

# Each read as "BEFORE AFTER PICTURE": 1 to 4 by the pictures' colours at
# both points (each channel within 24), 0 for none.
awk -v looks="${LOOKS[*]:1}" '
  function near(got, want,   g, w, i, d) {
    split(got, g, ","); split(want, w, ",")
    for (i = 1; i <= 3; i++) { d = g[i] - w[i]; if (d > 24 || d < -24) return 0 }
    return 1
  }
  BEGIN { split(looks, c, " ") }
  { p = 0; for (i = 1; i <= 4; i++) if (near($3, c[2 * i - 1]) && near($4, c[2 * i])) p = i; print $1, $2, p }
' watch.txt >pictures.txt

# The pictures come in order, none comes back, and each change falls within
# half a second of its music time: between the last read of the old picture
# (less a frame's time) and the first read of the new one.
order=$(awk '$3 != 0 && $3 != last { printf "%s", $3; last = $3 }' pictures.txt)
[ "$order" = 1234 ] || e2e_fail "the pictures came in the order $order"
for change in 1 2 3; do
  read -r old_before new_after < <(awk -v k="$change" '
    $3 == k { old = $1 } $3 == k + 1 { print old, $2; exit }' pictures.txt)
  read -r from to < <(music_at "$old_before" "$new_after" | paste -d ' ' - -)
  # The recorder has lost none of what the sink played (e2e_record_end), so
  # no music there is the program's sound failing.
  [ "$from" != none ] && [ "$to" != none ] ||
    e2e_fail "no music in the recording around picture change $change, a failure of the program under test: the recorder lost none of it; $(e2e_underruns)"
  at=$((change * 20))
  e2e_log "picture $((change + 1)) came between music $from s (less a frame) and $to s; due at $at s"
  awk -v f="$from" -v t="$to" -v b="$at" 'BEGIN { exit !(f - 0.15 >= b - 0.5 && t <= b + 0.5) }' ||
    e2e_fail "picture $((change + 1)) came between music $from and $to s, not within half a second of $at s"
done
e2e_log "directsound_production: passed ($(wc -l <pictures.txt) reads)"
