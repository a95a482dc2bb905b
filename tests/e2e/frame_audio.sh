#!/usr/bin/env bash
# What the frame plays through the platform's primary output (waveOut under
# Wine, SDL2 natively), recorded from the null sink, equals the decoded music
# sample for sample: no gap, no repeated or dropped second, no glitch. The
# run ends at 9.5 s of music (the clock stops short of the music's end).
# Usage: frame_audio.sh FRAME_DEMO
source "$(dirname "$0")/frame_lib.sh"
DEMO=$1
frame_setup 1024x768
make_music music.ogg 12

e2e_record recording.raw
# A light picture: on a loaded machine the layers below the output (Wine's
# mixer, PulseAudio) underrun when the renderer takes every core.
export LP_NUM_THREADS=1
demo_start run.out --music music.ogg --quit-after 9.5 --frame-sleep 5
wait_marker run.out "start" 60
expect_line run.out "^init fills=0 "
expect_line run.out "^start fills=2 "
expect_status 1
sleep 1 # the sink's last periods reach the recorder
e2e_stop "$E2E_RECORD_PID"
run_program "$ZEPH_E2E_AUDIO_COMPARE" music.ogg recording.raw --seconds 9 || e2e_fail "recorded audio differs from the music"
e2e_log "frame_audio: passed"
