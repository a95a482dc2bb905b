#!/usr/bin/env bash
# The windowed frame: window placement, class and title, the depth-tested
# picture, the order of the callbacks and playback, and the ways to quit.
# The frame plays on the Null output: no sound server.
# Usage: frame_window.sh FRAME_DEMO
source "$(dirname "$0")/frame_lib.sh"
DEMO=$1
frame_setup 1024x768 silent
make_music music.ogg 30

# Run 1: placement and picture, other keys, then Escape (key down).
e2e_log "run 1: placement and picture, other keys, then Escape (key down)."
demo_start run1.out --output 3 --music music.ogg
wait_marker run1.out "flood" 60
expect_line run1.out "^init fills=0 depth=[1-9]"
expect_line run1.out "^start fills=2 client=[0-9]+,[0-9]+,640x480 "
expect_line run1.out "title=$DEMO_TITLE\$"
expect_line run1.out "^flood waiting=no"
window=$(e2e_find_window "$DEMO_TITLE" 10) || e2e_fail "no window"
if [ -n "${ZEPH_E2E_RUNNER:-}" ]; then
  # Wine's X window holds what a window manager would not draw; the frame
  # reports its Win32 window rectangle and class itself.
  expect_line run1.out " window=0,0 class=Window "
else
  grep -q "Absolute upper-left X:  0" < <(xwininfo -id "$window") || e2e_fail "window not at the left edge"
  grep -q "Absolute upper-left Y:  0" < <(xwininfo -id "$window") || e2e_fail "window not at the top edge"
  grep -q '"Window"' < <(xprop -id "$window" WM_CLASS) || e2e_fail "class is not Window"
fi

read -r cx cy < <(lines run1.out | sed -n 's/^start .*client=\([0-9]*\),\([0-9]*\),.*/\1 \2/p')
e2e_screenshot shot.png
expect_pixel shot.png $((cx + 192)) $((cy + 240)) 0,255,0   # near quad
expect_pixel shot.png $((cx + 307)) $((cy + 240)) 0,255,0   # near quad over the far one
expect_pixel shot.png $((cx + 448)) $((cy + 240)) 0,0,255   # far quad
# The clear colour fills exactly 640 x 480 pixels from the client origin.
background() {
  local r g b
  IFS=, read -r r g b < <(pixel shot.png "$1" "$2")
  [ "$g" -ge 60 ] && [ "$g" -le 68 ] && [ "$b" -ge 28 ] && [ "$b" -le 36 ]
}
background "$cx" "$cy" || e2e_fail "no clear colour at the client's top-left"
background $((cx + 639)) $((cy + 479)) || e2e_fail "no clear colour at the client's bottom-right"
! background $((cx + 640)) $((cy + 240)) || e2e_fail "clear colour right of the client area"
! background $((cx + 320)) $((cy + 480)) || e2e_fail "clear colour below the client area"

xdotool windowfocus --sync "$window" key a space Return F1 || e2e_fail "xdotool key failed"
wait_marker run1.out "flood" 1
kill -0 "$DEMO_PID" || e2e_fail "other keys ended the run"
xdotool windowfocus --sync "$window" keydown Escape || e2e_fail "xdotool keydown failed"
expect_status 1
xdotool keyup Escape
expect_line run1.out "^finish frames=[1-9][0-9]* context=current"
expect_line run1.out "^second run init=1 "
expect_line run1.out "^exit 1"

# Run 2: closing the window.
e2e_log "run 2: closing the window."
demo_start run2.out --output 3 --music music.ogg
wait_marker run2.out "flood" 60
window=$(e2e_find_window "$DEMO_TITLE" 10) || e2e_fail "no window"
python3 "$E2E_HERE/close_window.py" "$window" || e2e_fail "close request failed"
expect_status 1
expect_line run2.out "^finish frames=[1-9][0-9]* context=current"

# Escape released alone cannot be sent here (X drops the release of a key
# that is not down, SDL and Wine that of a key they never saw pressed): the
# unit tests queue it to the window instead.
e2e_log "frame_window: passed"
