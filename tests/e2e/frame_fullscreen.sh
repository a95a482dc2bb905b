#!/usr/bin/env bash
# Full screen on a 640 x 480 display: the frame covers the screen, draws,
# and tears down normally; and when the display refuses the 85 Hz request it
# takes the display's own rate. (Xvfb's modes carry no rate at all, so the
# SDL2 frame always takes that second request here.)
# The frame plays on the Null output: no sound server.
# Usage: frame_fullscreen.sh FRAME_DEMO
source "$(dirname "$0")/frame_lib.sh"
DEMO=$1
frame_setup 640x480 silent
make_music music.ogg 10

e2e_log "full screen"
demo_start run.out --output 3 --music music.ogg --fullscreen --quit-after 2
wait_marker run.out "flood" 60
expect_line run.out "^start fills=2 client=0,0,640x480 "
e2e_screenshot shot.png
expect_pixel shot.png 192 240 0,255,0
expect_pixel shot.png 307 240 0,255,0
expect_pixel shot.png 448 240 0,0,255
expect_status 1
expect_line run.out "^finish frames=[1-9][0-9]* context=current"

e2e_log "full screen, 85 Hz refused"
demo_start refused.out --output 3 --music music.ogg --fullscreen --refuse-refresh-rates --quit-after 1
wait_marker refused.out "flood" 60
expect_line refused.out "^start fills=2 client=0,0,640x480 "
if [ -n "${ZEPH_E2E_RUNNER:-}" ]; then
  expect_line refused.out "^display refused 640x480@85"
  expect_line refused.out "^display set 640x480 result=0"
fi
expect_status 1
e2e_log "frame_fullscreen: passed"
