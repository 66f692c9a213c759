#!/usr/bin/env bash
# Fuzzes every reader with libFuzzer: builds the fuzz preset (clang 14,
# address and undefined-behaviour sanitizers, vptr included) and runs the one
# target once per class, each with its own corpus seeded from
# examples/data/<Class> and fuzz/regressions/<Class>.
#   scripts/fuzz.sh [SECONDS] [CLASS...]   SECONDS per reader (default 60)
# Corpora grow under build/fuzz/corpus/ from run to run, and every run adds
# its executions to build/fuzz/executions.tsv; an input at fault is left in
# build/fuzz/findings/<Class>/ (commit it under
# fuzz/regressions/<Class>/ once fixed, where the test suite replays it).
# Exits 1 when any reader had a finding.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
scripts/deps.sh --fuzz || exit 1
{ cmake --preset fuzz >/dev/null && cmake --build --preset fuzz; } || exit 1

target=build/fuzz/bin/fuzz_readers
classes=("$@")
if [[ ${#classes[@]} -eq 0 ]]; then
  for folder in examples/data/*/; do classes+=("$(basename "$folder")"); done
fi

# Per input: 10 s (a load must also stay under 2 s of CPU, checked by the
# target itself); one allocation at most 16 MiB (the fuzz build's table limit
# is 1 MiB, so any larger allocation escaped it); the process at most 2 GiB
# resident.
options=(-timeout=10 -malloc_limit_mb=16 -rss_limit_mb=2048 -print_final_stats=1)

failed=()
total=0
printf '%-24s %12s %8s  %s\n' reader executions seconds result
for class in "${classes[@]}"; do
  corpus=build/fuzz/corpus/$class
  findings=build/fuzz/findings/$class
  log=build/fuzz/logs/$class.log
  mkdir -p "$corpus" "$findings" build/fuzz/logs
  seeds=("examples/data/$class")
  [[ -d fuzz/regressions/$class ]] && seeds+=("fuzz/regressions/$class")
  QUON_FUZZ_CLASS=$class "$target" "${options[@]}" -max_total_time="$seconds" \
    -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  runs=${runs:-0}
  total=$((total + runs))
  result="no finding"
  if [[ $rc -ne 0 ]]; then
    result="FINDING (see $log, input in $findings/)"
    failed+=("$class")
  fi
  printf '%-24s %12s %8s  %s\n' "$class" "$runs" "$seconds" "$result"
  printf '%s\t%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "$class" "$runs" "$seconds" "$result" >>build/fuzz/executions.tsv
done
printf '%-24s %12s\n' total "$total"

if [[ ${#failed[@]} -ne 0 ]]; then
  echo "findings in: ${failed[*]}"
  exit 1
fi
