#!/usr/bin/env bash
# Replays every sample file and every committed fuzzing regression through
# its class's reader and writer under valgrind's memcheck (the optimised
# build's fuzz_readers driver); any memory error or leak fails the run. It
# takes seconds; mutated inputs are left to the sanitizer builds, since one
# that announces a table near the limit takes minutes under memcheck.
#   scripts/valgrind.sh
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh --valgrind || exit 1
{ cmake --preset default >/dev/null && cmake --build --preset default --target fuzz_readers; } || exit 1

# Loads run some fifty times slower under memcheck: the driver's limit on the
# CPU time of one load is raised accordingly.
QUON_LOAD_SECONDS=120 valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
  --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect --track-origins=yes \
  build/default/bin/fuzz_readers --iterations 0 examples/data fuzz/regressions
