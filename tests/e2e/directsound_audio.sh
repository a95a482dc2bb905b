#!/usr/bin/env bash
# What the frame plays through the "DirectSound8" output (output setting 2),
# recorded from the null sink, equals the decoded music sample for sample: the
# one-second looping buffer, refilled behind the play cursor every 100 ms,
# leaves no gap, repeat or glitch. Wine's DirectSound is the one under test.
# Usage: directsound_audio.sh FRAME_DEMO
source "$(dirname "$0")/frame_lib.sh"
DEMO=$1
[ -n "${ZEPH_E2E_RUNNER:-}" ] || { e2e_log "directsound_audio: DirectSound is a Windows output; nothing to do"; exit 0; }
frame_setup 1024x768
make_music music.ogg 12

e2e_record recording.raw
# A light picture: on a loaded machine the layers below the output (Wine's
# mixer, PulseAudio) underrun when the renderer takes every core.
export LP_NUM_THREADS=1
# Wine says when a program asks for DirectSound's priority level: proof that
# this run plays through DirectSound.
WINEDEBUG=-all,warn+dsound e2e_spawn nice -n -10 "$ZEPH_E2E_RUNNER" "$DEMO" --music music.ogg --output 2 \
  --quit-after 9.5 --frame-sleep 5 >run.out 2>run.err
DEMO_PID=$E2E_LAST_PID
wait_marker run.out "start" 60
expect_status 1
grep -q DSSCL_PRIORITY run.err || { cat run.err >&2; e2e_fail "the run did not play through DirectSound"; }
sleep 1 # the sink's last periods reach the recorder
e2e_stop "$E2E_RECORD_PID"
run_program "$ZEPH_E2E_AUDIO_COMPARE" music.ogg recording.raw --seconds 9 || e2e_fail "recorded audio differs from the music"
e2e_log "directsound_audio: passed"
