#!/usr/bin/env bash
# Every data file, missing or broken, ends the production in the "Error!" box
# with its loader's message, and the process with status 255 (-1), without
# hanging. The production plays on the Null output: no sound server.
# Usage: production_errors.sh ZEPH DATA ERROR_BOX
source "$(dirname "$0")/production_lib.sh"
ZEPH=$1
DATA=$2
ZEPH_ERROR_BOX=$3
production_inputs "$ZEPH" "$ZEPH_ERROR_BOX"
frame_setup 1024x768 silent

# case_run NAME FILE CONTENT TEXT: FILE removed (CONTENT "-") or replaced by
# CONTENT; once more if the platform's box did not come up the first time.
case_run() {
  local name=$1 file=$2 content=$3 text=$4 try
  e2e_log "$name: $file -> \"$text\""
  rm -rf "$name"
  production_folder "$name"
  if [ "$content" = "-" ]; then rm "$name/data/$file"; else printf '%s' "$content" >"$name/data/$file"; fi
  for try in 1 2; do
    production_start "$name"
    expect_error_box "$name" "$text" && return 0
    e2e_log "$name: the box did not come up, the message went to standard error (try $try)"
  done
  e2e_fail "$name: no Error! box"
}

case_run music-missing tovi_does_brask.ogg - "Could not open file!"
case_run music-broken tovi_does_brask.ogg "OggS but not really Vorbis" "Could not set OggVorbis callbacks!"
for picture in zeph-logo vote du_ogsaa zeph0; do
  case_run "$picture-missing" "$picture.png" - "[png] file does not exist"
  case_run "$picture-broken" "$picture.png" "GIF89a, not a PNG" "[png] this file is not an png!"
done
case_run object-missing bl0ah.lwo - "Could not open LWO2 file."
case_run object-broken bl0ah.lwo "LWOB from an older LightWave" \
  "FORM-tag not found! (maybe this is not lightwave-file?)"
e2e_log "production_errors: passed"
