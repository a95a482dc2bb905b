#!/usr/bin/env bash
# test-all.sh: the project's whole test run, on a fresh Debian 12 machine as
# root (or with sudo). Installs the packages, builds the presets native and
# win32 side by side, checks formatting and the shipped executable's
# imports, packs the release (scripts/package-release.sh), then, inside one
# set of test services (scripts/with-test-services.sh), runs the native
# suite while win64 builds, then the Windows suites (win32 under 32-bit
# Wine, with the release itself), while the native-tsan and native-asan
# presets and then the web page (scripts/package-web.sh) build at idle
# priority, then the sanitizer suites as their builds are done, and last the
# web page's test in headless Chromium (scripts/test-web.sh), the fuzz
# preset built and its fuzzers run beside it at idle priority.
# Ends with the line "N passed, N failed" and a non-zero status when anything
# failed. Logs go to build/test-logs/.
#
# Environment: ZEPH_JOBS (parallelism, default 2), ZEPH_FUZZ_SECONDS (per
# fuzzer, default 20), ZEPH_TSAN_TESTS (ctest -R regex among the tests that
# ThreadSanitizer runs: those labelled "threads").
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
logs=$root/build/test-logs
results=$logs/results
jobs=${ZEPH_JOBS:-2}
export ZEPH_JOBS=$jobs

say() { echo "== $*"; }

# record PASSED FAILED WHAT [SKIPPED]
record() { echo "$1 $2 $3 ${4:-0}" >>"$results"; }

# check NAME COMMAND...: one pass/fail check, its output in build/test-logs/NAME.log.
check() {
  local name=$1
  shift
  local log=$logs/$name.log start=$SECONDS
  if "$@" >"$log" 2>&1; then
    record 1 0 "$name"
    say "$name: ok ($((SECONDS - start)) s)"
  else
    record 0 1 "$name"
    say "$name: FAILED ($((SECONDS - start)) s); its errors and the end of $log:"
    grep -E -m 40 -A 3 'error:|FAILED:|Error|ERROR' "$log"
    echo "..."
    tail -n 20 "$log"
  fi
}

# build PRESET [CMAKE ARGS...]: configure and build; keeps going past errors so
# that the tests of whatever did build still run.
build() {
  local preset=$1
  shift
  cmake --preset "$preset" "$@" && cmake --build --preset "$preset" -j "$jobs" -- -k 0
}

# build_targets PRESET TARGET...: configure, then build only TARGETs.
build_targets() {
  local preset=$1
  shift
  cmake --preset "$preset" && cmake --build --preset "$preset" -j "$jobs" --target "$@" -- -k 0
}

# build_platform PRESET [CMAKE ARGS...]: configure, then build the programs
# and only those tests labelled "platform" (a cross build's test is named
# after its program).
build_platform() {
  local preset=$1 tests
  shift
  cmake --preset "$preset" "$@" || return 1
  mapfile -t tests < <(ctest --preset "$preset" -N -L platform | sed -n 's/^ *Test *#[0-9]*: //p')
  cmake --build --preset "$preset" -j "$jobs" --target zeph zephtool zephsynth "${tests[@]}" -- -k 0
}

# The C++ sources must be formatted as .clang-format says.
format_check() {
  local files
  if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git -C "$root" ls-files -- '*.cpp' '*.cc' '*.h' '*.hpp')
  else
    files=$(find . -path ./build -prune -o -type f \( -name '*.cpp' -o -name '*.cc' -o -name '*.h' -o -name '*.hpp' \) -print)
  fi
  [ -n "$files" ] || return 0
  # shellcheck disable=SC2086
  clang-format --dry-run --Werror $files
}

# The shipped executable is 32-bit and, like every win32 program, imports
# nothing but the system's own DLLs.
pe_check() {
  local allowed=" kernel32.dll user32.dll gdi32.dll opengl32.dll glu32.dll winmm.dll dsound.dll ole32.dll msvcrt.dll "
  local dir=build/win32 ok=0 exe dll
  local zeph
  zeph=$(find "$dir" -name zeph.exe -not -path '*/CMakeFiles/*' | head -n1)
  [ -n "$zeph" ] || { echo "build/win32 has a zeph target but no zeph.exe (build failed)"; return 1; }
  # Read whole before matching: grep -q would close the pipe early, and
  # pipefail would then count objdump's broken pipe as a failure.
  local header
  header=$(i686-w64-mingw32-objdump -p -f "$zeph")
  grep -q 'Magic.*(PE32)' <<<"$header" || { echo "$zeph is not PE32"; ok=1; }
  grep -q 'architecture: i386' <<<"$header" || { echo "$zeph is not i386"; ok=1; }
  # Its manifest (well-formed, or Windows refuses to start it) and version
  # information are resources, not imports.
  local resources
  resources=$(i686-w64-mingw32-windres -J coff -i "$zeph" -O rc)
  grep -q 'RT_MANIFEST' <<<"$resources" || { echo "$zeph has no manifest"; ok=1; }
  grep -q 'VERSIONINFO' <<<"$resources" || { echo "$zeph has no version information"; ok=1; }
  python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$dir/production/zeph.manifest" ||
    { echo "its manifest is not well-formed XML"; ok=1; }
  # Its programs, not the test programs, which are not shipped (the PNG suite's
  # hashes take bcrypt).
  while IFS= read -r exe; do
    for dll in $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
      echo "$exe imports $dll"
      case "$allowed" in *" $dll "*) ;; *) echo "  not a system DLL: $dll"; ok=1 ;; esac
    done
  done < <(find "$dir" -name '*.exe' -not -path '*/CMakeFiles/*' -not -path "$dir/deps/*" -not -path "$dir/tests/*")
  return $ok
}

has_zeph_target() { grep -q '^zeph: ' < <(ninja -C build/win32 -t targets all 2>/dev/null); }

# run_ctest PRESET [CTEST ARGS...]: counts every test that ctest ran.
run_ctest() {
  local preset=$1
  shift
  local log=$logs/ctest-$preset.log start=$SECONDS
  say "ctest --preset $preset $*"
  ctest --preset "$preset" -j "$jobs" --timeout 900 "$@" >"$log" 2>&1
  local status=$?
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -n "$line" ]; then
    local failed total
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    record $((total - failed)) "$failed" "ctest-$preset"
    say "$preset: $line ($((SECONDS - start)) s)"
    if [ "$failed" -gt 0 ]; then
      sed -n '/The following tests FAILED/,$p' "$log"
      say "output of the failed tests is in $log; its end:"
      tail -n 80 "$log"
    fi
  elif grep -q 'No tests were found' "$log" && [ $status -eq 0 ]; then
    say "$preset: no tests"
  else
    record 0 1 "ctest-$preset"
    say "$preset: ctest did not run (status $status), end of $log:"
    tail -n 40 "$log"
  fi
}

# Every libFuzzer binary of the fuzz build runs for a bounded time on its
# corpus (a copy: new inputs go to a scratch folder); a crash fails it. They
# run side by side, one thread each: their time is bounded, not their work.
run_fuzzers() {
  local bin
  while IFS= read -r bin; do
    run_fuzzer "$bin" &
  done < <(find build/fuzz -type f -executable -name 'fuzz_*' -not -path '*/CMakeFiles/*' 2>/dev/null | sort)
  wait
}

run_fuzzer() {
  local bin=$1 seconds=${ZEPH_FUZZ_SECONDS:-20} name corpus work inputs
  name=$(basename "$bin")
  work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-fuzz.XXXXXX")
  local dirs=("$work")
  # A fuzzer may come with a program that writes starting inputs for it.
  inputs="$(dirname "$bin")/${name#fuzz_}_fuzz_inputs"
  [ ! -x "$inputs" ] || "$inputs" "$work" >/dev/null
  for corpus in "$(dirname "$bin")/${name}_corpus" "$root/fuzz/corpus/$name"; do
    [ -d "$corpus" ] && dirs+=("$corpus")
  done
  check "fuzz-$name" "$bin" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$logs/$name-" "${dirs[@]}"
  rm -rf "$work"
}

# idle COMMAND...: runs COMMAND at the scheduler's idle priority (else the
# lowest niceness), so that it takes only the processor time nothing else wants.
idle() {
  if chrt --idle 0 true 2>/dev/null; then chrt --idle 0 "$@"; else nice -n 19 "$@"; fi
}

# Work that needs neither the display nor the sound: the web page and the
# sanitizer and fuzz builds. It runs at idle priority beside the
# native and Windows suites, whose end-to-end tests mostly wait on real time,
# and never delays them. ThreadSanitizer checks only the tests whose code
# under test runs threads (label "threads"); the fuzz tree makes only the
# fuzzers.
# The page comes after them: it is tested last, and it builds beside the
# sanitizer suites, which often wait on real time. The fuzzers, built and
# run, come last, beside the page's test, which mostly waits on the music's
# real time.
background_work() {
  check build-native-tsan build_targets native-tsan zeph_thread_tests
  check build-native-asan build native-asan
  ZEPH_NATIVE_BUILT=1 check package-web bash scripts/package-web.sh
  check build-fuzz build_targets fuzz zeph_fuzzers
  run_fuzzers
}

# await NAME PID: waits until the check NAME has its result or PID has ended.
await() {
  until grep -q " $1 " "$results"; do
    kill -0 "$2" 2>/dev/null || return 0
    sleep 2
  done
}

# The win64 build, beside the native suite: it needs neither the display nor
# the sound, and the end-to-end tests' programs and sound server run in
# sessions of their own ahead of it (tests/e2e/lib.sh). Where no 32-bit
# program runs, win64 stands in for win32's tests and builds all of its own.
win64_build() {
  if bash scripts/runs-i386.sh; then
    check build-win64 build_platform win64 -DZEPH_WERROR=ON
  else
    check build-win64 build win64 -DZEPH_WERROR=ON
  fi
}

# The part that needs the display, sound and Wine.
inside_services() {
  idle "$0" --background &
  local background=$!
  "$0" --win64-build &
  local win64=$!
  run_ctest native
  wait "$win64"
  # The Windows tests run on the build that ships, under 32-bit Wine; win64
  # adds the tests of the platform's own code (label "platform"): there a
  # pointer no longer fits a DWORD. A machine that runs no 32-bit programs
  # cannot run the shipped build: its suite is counted as skipped, said
  # loudly, and all of win64's tests stand in.
  if bash scripts/runs-i386.sh; then
    run_ctest win32
    run_ctest win64 -L platform
  else
    record 0 0 ctest-win32 1
    say "win32: SKIPPED: this machine runs no 32-bit programs (its kernel has no IA-32 emulation), so the shipped build is not run; win64 runs all its tests in its place"
    run_ctest win64
  fi
  say "waiting for the sanitizer builds"
  await build-native-tsan "$background"
  if [ -n "${ZEPH_TSAN_TESTS:-}" ]; then
    run_ctest native-tsan -L threads -R "$ZEPH_TSAN_TESTS"
  else
    run_ctest native-tsan -L threads
  fi
  await build-native-asan "$background"
  run_ctest native-asan -E '^e2e\.'
  say "waiting for the web page"
  await package-web "$background"
  # The page's test in headless Chromium, with no other test beside it:
  # beside the sanitizer suites the page's thread stalled for up to 0.8 s
  # and its clock was seen 0.16 s ahead of what was heard three seconds into
  # the music. Only the fuzzers may run, at idle priority in this session's
  # scheduling group, where any thread of the browser's goes first.
  if grep -q '^1 0 package-web ' "$results"; then
    check web-page bash scripts/test-web.sh
  else
    record 0 1 web-page
    say "web-page: not run, the page was not made"
  fi
  say "waiting for the fuzzers"
  wait "$background"
}

case "${1:-}" in
--inside-services)
  inside_services
  exit 0
  ;;
--background)
  background_work
  exit 0
  ;;
--win64-build)
  win64_build
  exit 0
  ;;
esac

begin=$SECONDS
rm -rf "$logs"
mkdir -p "$logs"
: >"$results"

check install-deps bash scripts/install-deps.sh
# A booted Wine prefix for the test services to copy, made beside the builds:
# a boot mostly waits. Should it fail, the services boot their own.
wine_template=$(mktemp -d "${TMPDIR:-/tmp}/zeph-wine.XXXXXX")
(
  # shellcheck source=tests/e2e/lib.sh
  source tests/e2e/lib.sh
  export WINEPREFIX=$wine_template/prefix
  e2e_wine_env
  e2e_wine_boot
) >"$logs/wine-template.log" 2>&1 &
wine_boot=$!
# native and win32 build side by side: their configure steps, and the
# dependencies' checks before win32's, take one core each, and the other
# build fills the second.
check build-native build native -DZEPH_WERROR=ON &
native=$!
# win64 runs only its platform tests where win32 runs (see inside_services);
# where it does not, win32's tests are not built: nothing here could run them.
# win32 is built before the suites: the guide's test builds in its tree.
if bash scripts/runs-i386.sh; then
  check build-win32 build win32 -DZEPH_WERROR=ON -DZEPH_BUILD_TESTS=ON
else
  check build-win32 build win32 -DZEPH_WERROR=ON -DZEPH_BUILD_TESTS=OFF
fi
wait "$native"
check clang-format format_check
if has_zeph_target; then
  check win32-imports pe_check
else
  say "win32-imports: no zeph target yet, skipped"
fi
# The win32 suite's e2e.release plays what this makes.
check package-release bash scripts/package-release.sh

say "starting the test services"
wait "$wine_boot"
ZEPH_WINE_TEMPLATE=$wine_template/prefix scripts/with-test-services.sh "$0" --inside-services 2>"$logs/services.log" ||
  { record 0 1 test-services; say "test services failed:"; tail -n 20 "$logs/services.log"; }
rm -rf "$wine_template"

passed=$(awk '{p += $1} END {print p + 0}' "$results")
failed=$(awk '{f += $2} END {print f + 0}' "$results")
say "took $(((SECONDS - begin) / 60)) min $(((SECONDS - begin) % 60)) s"
if [ "$failed" -gt 0 ]; then
  say "failed: $(awk '$2 > 0 {print $3}' "$results" | tr '\n' ' ')"
fi
skipped=$(awk '{s += $4} END {print s + 0}' "$results")
if [ "$skipped" -gt 0 ]; then
  say "skipped: $(awk '$4 > 0 {print $3}' "$results" | tr '\n' ' ')"
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
