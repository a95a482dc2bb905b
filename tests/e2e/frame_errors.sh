#!/usr/bin/env bash
# Set-up failures end in the "Error!" box and exit status 255 (-1): a missing
# music file before any window exists, and full screen on a display without
# a 640 x 480 mode.
# The frame plays on the Null output: no sound server.
# Usage: frame_errors.sh FRAME_DEMO
source "$(dirname "$0")/frame_lib.sh"
DEMO=$1
frame_setup 1024x768 silent
make_music music.ogg 5

# expect_error_box OUT TEXT: the box is up and the program said why; then the
# box is dismissed and the program ends with -1.
expect_error_box() {
  wait_error_box 60 || { cat "$1" >&2; e2e_fail "no Error! box"; }
  expect_line "$1" "^error $2\$"
  if xdotool search --onlyvisible --name "$DEMO_TITLE" >/dev/null 2>&1; then
    e2e_fail "the frame's window is visible beside the box"
  fi
  dismiss_error_box
  expect_status 255
}

e2e_log "missing music file"
demo_start missing.out --output 3 --music no-such-music.ogg
expect_error_box missing.out "Could not open file!"
has_line missing.out "^init" && e2e_fail "the frame started without its music"

e2e_log "full screen without a 640 x 480 mode"
demo_start fullscreen.out --output 3 --music music.ogg --fullscreen
expect_error_box fullscreen.out "Could not set fullscreen mode"
has_line fullscreen.out "^init" && e2e_fail "the frame initialised without its display mode"
e2e_log "frame_errors: passed"
