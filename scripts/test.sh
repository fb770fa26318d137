#!/usr/bin/env bash
# Builds both presets and runs every test: native unit and scenario tests,
# then the Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=$(nproc)
cmake --preset native
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

cmake --preset windows
cmake --build --preset windows -j "$jobs"
ctest --preset windows
