#!/usr/bin/env bash
# Runs the whole test suite: the Linux build, the sanitizer build, the
# fuzzing smoke run (15 s per reader), the memcheck replay and the Windows x64
# build (its tests run under Wine).
#   scripts/test.sh                 everything
#   scripts/test.sh --linux-only    skip the Windows build (quick local run)
set -uo pipefail
cd "$(dirname "$0")/.."

windows=1
[[ "${1:-}" == "--linux-only" ]] && windows=0

failed=()
run() {  # run NAME COMMAND...: runs a step and remembers a failure
  local name=$1
  shift
  echo "=== $name"
  "$@" || failed+=("$name")
}

if [[ $windows -eq 1 ]]; then scripts/deps.sh --windows --fuzz --valgrind; else scripts/deps.sh --fuzz --valgrind; fi ||
  exit 1

# The Python package is part of the Linux suites: its build may not be left out.
linux() {
  local preset=$1
  cmake --preset "$preset" -DQUON_BUILD_PYTHON=ON >/dev/null && cmake --build --preset "$preset" &&
    ctest --preset "$preset" -j2
}

run "linux (optimised)" linux default
run "linux (address and undefined-behaviour sanitizers)" linux asan
# The record-list locks under the thread sanitizer: the tsan preset builds
# the test program with only the tests that run threads.
tsan() {
  cmake --preset tsan >/dev/null && cmake --build --preset tsan --target quon_tests && build/tsan/bin/quon_tests
}
run "linux (thread sanitizer, concurrency tests)" tsan
run "fuzzing smoke run (libFuzzer, 15 s per reader)" scripts/fuzz.sh 15
run "samples and fuzzing regressions under valgrind" scripts/valgrind.sh

if [[ $windows -eq 1 ]]; then
  windows_suite() {
    # A private, headless Wine prefix; one server kept up for the whole run
    # (otherwise every test process waits for a new one to start).
    export WINEPREFIX="$(mktemp -d)/wine" WINEDEBUG=-all WINEARCH=win64
    unset DISPLAY
    mkdir -p "$WINEPREFIX"
    wineserver -p 600 </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >/dev/null 2>&1
    local rc=0
    { cmake --preset windows >/dev/null && cmake --build --preset windows && ctest --preset windows -j2; } || rc=1
    wineserver -k >/dev/null 2>&1 || true
    return $rc
  }
  run "windows x64 (under Wine)" windows_suite
fi

echo
if [[ ${#failed[@]} -eq 0 ]]; then
  echo "all suites passed"
  exit 0
fi
echo "FAILED: ${failed[*]}"
exit 1
