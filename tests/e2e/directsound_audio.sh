#!/usr/bin/env bash
# What the frame plays through the "DirectSound8" output (output setting 2),
# recorded from the null sink, is the decoded music: the one-second looping
# buffer, refilled behind the play cursor every 100 ms, repeats, drops and
# damages nothing. Wine's DirectSound is the one under test.
# Usage: directsound_audio.sh FRAME_DEMO
source "$(dirname "$0")/frame_lib.sh"
DEMO=$1
[ -n "${ZEPH_E2E_RUNNER:-}" ] || { e2e_log "directsound_audio: DirectSound is a Windows output; nothing to do"; exit 0; }
frame_setup 1024x768
make_music music.ogg 12

e2e_record recording.raw
# A light picture, and the player ahead of other work (as in frame_audio.sh).
export LP_NUM_THREADS=1
[ "$(id -u)" -ne 0 ] || DEMO_NICE=-10
# Wine says when a program asks for DirectSound's priority level: proof that
# this run plays through DirectSound.
WINEDEBUG=-all,warn+dsound demo_start run.out --music music.ogg --output 2 --quit-after 9.5 --frame-sleep 5 \
  2>run.err
wait_marker run.out "start" 60
expect_status 1
grep -q DSSCL_PRIORITY run.err || { cat run.err >&2; e2e_fail "the run did not play through DirectSound"; }
e2e_record_stop 1 # the sink's last periods
# Every 23 ms block of music from 1.5 s on is there, exact (within Wine's
# mixer's one step) and in order; the sound server may drop or insert under
# 100 ms when starved (see frame_audio.sh). A late pass would replay the
# buffer's second-old audio, a wrong count would shift it: both fail.
"$ZEPH_E2E_AUDIO_COMPARE" music.ogg recording.raw --seconds 9 --allow-jumps 100 --from 1.5 \
  --tolerance 1 || e2e_sound_differs $?
e2e_log "directsound_audio: passed"
