#!/usr/bin/env bash
# Builds the native preset and runs every benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)"
for bench in build/native/bench/*_bench; do
  "$bench" "$@"
done
