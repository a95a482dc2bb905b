#!/usr/bin/env bash
# The release as a viewer meets it: the archive that scripts/package-release.sh
# makes, unpacked into a new folder, and its zeph.exe started there under
# 32-bit Wine, full screen on a 640 x 480 display, with sound. It covers the
# screen; a picture inside each picture's twenty seconds shows that picture
# the right way up with the object cut by its plane; what it played is the
# music from its start; it quits by itself a little after 80 s with status 1.
# Unpacked without its music, it shows the "Error!" box and ends with status
# 255 (-1). Usage: release.sh ZIP ZEPH ERROR_BOX MATCHER (ZEPH: this build's
# zeph.exe, which the archive must hold).
source "$(dirname "$0")/production_lib.sh"
ZIP=$1
BUILT=$2
ZEPH_ERROR_BOX=$3
MATCHER=$4
[ -f "$ZIP" ] || e2e_fail "$ZIP is missing: make it with scripts/package-release.sh"
frame_setup 640x480

# unpack DIR: the archive in a new folder DIR.
unpack() { unzip -q "$ZIP" -d "$1" || e2e_fail "could not unpack $ZIP"; }
unpack viewer
cmp -s viewer/zeph.exe "$BUILT" ||
  e2e_fail "$ZIP holds another zeph.exe than $BUILT: make it again with scripts/package-release.sh"
ZEPH=zeph.exe # started from its own folder, as a double-click does
DATA=$PWD/viewer
production_inputs "$ZEPH_ERROR_BOX" "$MATCHER"

# capture_screen FILE: the whole 640 x 480 screen (see capture_client).
capture_screen() {
  python3 "$E2E_HERE/grab_screen.py" 0 0 640 480 "$1.ppm" || e2e_fail "could not take $1"
  echo "$1" >>captures.list
}

e2e_record recording.raw
production_start viewer
window=$(production_window viewer)
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left [XY]:|Width:|Height:/ {printf "%s ", $NF}')
[ "$geometry" = "0 0 640 480 " ] || e2e_fail "the window (x y width height: $geometry) does not cover the screen"
# As in production_run.sh: shots 8 s into each picture's twenty seconds.
start=$SECONDS
for picture in 0 1 2 3; do
  wait_until $((start + 8 + 20 * picture))
  capture_screen "shot$picture.png"
  e2e_log "shot$picture.png at $((SECONDS - start)) s"
done
e2e_wait_exit "$DEMO_PID" $((start + 110 - SECONDS))
ran=$((SECONDS - start))
e2e_log "ended with status $E2E_STATUS after $ran s"
[ "$E2E_STATUS" = 1 ] || { cat viewer.err >&2; e2e_fail "exit status $E2E_STATUS, expected 1"; }
[ $ran -ge 79 ] && [ $ran -le 95 ] || e2e_fail "quit after $ran s, expected a little after 80 s"
e2e_record_stop 1 # the sink's last periods
# As production_run.sh checks under Wine: every 23 ms block from 1.5 s on.
"$ZEPH_E2E_AUDIO_COMPARE" viewer/data/tovi_does_brask.ogg recording.raw --seconds 78 --allow-jumps 100 \
  --from 1.5 --tolerance 1 || e2e_fail "recorded audio differs from the music (status $?)"

e2e_log "the music missing"
unpack no-music
rm no-music/data/tovi_does_brask.ogg
production_start no-music
expect_error_box no-music "Could not open file!" || e2e_fail "no Error! box: the message went to standard error"

finish_captures
expect_pictures shot0.png shot1.png shot2.png shot3.png
e2e_log "release: passed"
