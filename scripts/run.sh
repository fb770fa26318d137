#!/usr/bin/env bash
# Builds Zemvo and starts it. For now the window only opens and closes;
# the program's behaviour is reached through the headless scenario driver.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
export WINEPREFIX="$PWD/build/windows/wineprefix"
exec scripts/wine-run.sh build/windows/src/win32/Zemvo.exe "$@"
