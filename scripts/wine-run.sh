#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix.
set -euo pipefail
: "${WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/windows/wineprefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
exec wine "$@"
