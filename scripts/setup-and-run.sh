#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the module and its command-line
# host, and round-trips every sample file in examples/data/ through it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

status=0
for dir in examples/data/*/; do
  class=$(basename "$dir")
  build/default/bin/quonmodel "$class" "$dir"* || status=1
done
exit $status
