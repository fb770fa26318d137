#!/usr/bin/env bash
# Starts Zemvo. The Windows window does not show the program's controls
# yet, so by default this runs the program headless: the form with a
# simulated CAD application, driven by a scenario (examples/demo.scenario
# unless another one is given), printing what it does and the files it
# writes. With --windows it starts Zemvo.exe under Wine instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >/dev/null

if [[ "${1:-}" == "--windows" ]]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j "$(nproc)" >/dev/null
  exec scripts/wine-run.sh build/windows/src/win32/Zemvo.exe
fi

cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target zemvo-scenario >/dev/null
exec build/native/tools/scenario/zemvo-scenario "${1:-examples/demo.scenario}"
