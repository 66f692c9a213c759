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
# The Debian package of the optimised build holds the module, the headers,
# the CMake package and quonmodel.
deb_package() {
  cpack --preset default >/dev/null &&
    local listing && listing=$(dpkg-deb -c build/default/quoncoremodel_*_amd64.deb) &&
    for f in usr/lib/libQuonCoreModel.so usr/include/QuonCoreModel.h usr/include/quon/Module.h \
      usr/lib/cmake/QuonCoreModel/QuonCoreModelConfig.cmake usr/bin/quonmodel; do
      grep -q "\./$f\$" <<<"$listing" || { echo "the .deb lacks $f"; return 1; }
    done && echo "build/default/$(cd build/default && ls quoncoremodel_*_amd64.deb): module, headers, CMake package, quonmodel"
}
run "linux package (.deb)" deb_package
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
  # The .zip of the Windows build holds the DLL, the headers and quonmodel.exe.
  zip_package() {
    local listing && listing=$(python3 -m zipfile -l build/windows/quoncoremodel-*.zip) || return 1
    for f in bin/QuonCoreModel.dll bin/quonmodel.exe include/QuonCoreModel.h include/quon/Module.h; do
      grep -q "/$f " <<<"$listing" || { echo "the .zip lacks $f"; return 1; }
    done && echo "build/windows/$(cd build/windows && ls quoncoremodel-*.zip): DLL, headers, quonmodel.exe"
  }
  windows_suite() {
    # A private, headless Wine prefix; one server kept up for the whole run
    # (otherwise every test process waits for a new one to start).
    export WINEPREFIX="$(mktemp -d)/wine" WINEDEBUG=-all WINEARCH=win64
    unset DISPLAY
    mkdir -p "$WINEPREFIX"
    wineserver -p 600 </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >/dev/null 2>&1
    local rc=0
    { cmake --preset windows >/dev/null && cmake --build --preset windows && ctest --preset windows -j2 &&
      cpack --preset windows >/dev/null && zip_package; } || rc=1
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
