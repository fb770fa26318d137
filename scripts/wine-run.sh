#!/usr/bin/env bash
# Runs Windows programs under Wine in the build's own prefix. It is the CMake
# emulator of the windows preset, so ctest runs every Windows test through it.
#
#   wine-run.sh PROGRAM.exe [ARGS...]   run a program; exits with its exit code
#   wine-run.sh --prepare [BUILD_DIR]   prepare the prefix and return
#   wine-run.sh --shutdown [BUILD_DIR]  end the session: the prefix's own
#                                       wineserver (and every process left in
#                                       it) and the session's Xvfb
#
# Everything lives in BUILD_DIR/wine: the prefix, the HOME that Wine links its
# user folders to, the X display's state, logs and locks. Nothing outside the
# build folder is touched. BUILD_DIR is $ZEMVO_WINE_BUILD_DIR, else the
# nearest folder above PROGRAM holding a CMakeCache.txt, else build/windows.
#
# The prefix is prepared once, under a lock (parallel tests wait for it):
# wineboot -i, then wineserver -w (a first boot cut short leaves the RPC
# service broken, and every cross-process COM call then fails with
# 0x800706BA), then scripts/wine-prefix.reg (class registrations of the
# stand-ins, font replacements). A changed .reg file or Wine version is
# imported again; an unfinished boot is started over.
#
# Display: ZEMVO_WINE_DISPLAY=xvfb (what the tests set) gives every program of
# a session the session's own Xvfb on a free display number (Xvfb -displayfd
# picks it); =host uses $DISPLAY; unset, it is host when $DISPLAY is set (a
# person at the screen) and xvfb otherwise. The first program starts the
# Xvfb. When the last program of a session ends, the wrapper stops the
# prefix's wineserver (which ends any process a test left behind, a stand-in
# server included) and then the Xvfb.
#
# The program's output goes through a log file, not through the pipe ctest
# reads: Wine's helper processes (services.exe, explorer.exe, rpcss.exe)
# inherit the first program's output, and ctest would otherwise wait for them.
set -euo pipefail

self=$(readlink -f "${BASH_SOURCE[0]}")
repo=$(dirname "$(dirname "$self")")

say() { echo "wine-run: $*" >&2; }
die() {
  say "$*"
  exit 1
}

find_build_dir() {
  if [[ -n ${ZEMVO_WINE_BUILD_DIR:-} ]]; then
    readlink -m "$ZEMVO_WINE_BUILD_DIR"
    return
  fi
  if [[ -n ${1:-} && -e $1 ]]; then
    local dir
    dir=$(dirname "$(readlink -f "$1")")
    while [[ $dir != / ]]; do
      if [[ -f $dir/CMakeCache.txt ]]; then
        echo "$dir"
        return
      fi
      dir=$(dirname "$dir")
    done
  fi
  echo "$repo/build/windows"
}

use_build_dir() {
  build=$1
  state=$build/wine
  mkdir -p "$state/home" "$state/logs"
  export WINEPREFIX=$state/prefix WINEARCH=win64 WINEDEBUG=-all
  # No Mono, no Gecko, no desktop menu entries.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export HOME=$state/home XDG_CONFIG_HOME=$state/home/.config XDG_CACHE_HOME=$state/home/.cache \
    XDG_DATA_HOME=$state/home/.local/share XDG_RUNTIME_DIR=
  unset WINESERVER
}

# Wine itself runs as on Japanese Windows: code page 932 for the ANSI
# functions (the profile functions read and write CP932 files). Given to Wine
# only: the Linux tools around it may not have that locale.
wine_env() { env LC_ALL=ja_JP.UTF-8 "$@"; }

display_mode() {
  case ${ZEMVO_WINE_DISPLAY:-} in
    host | xvfb) echo "$ZEMVO_WINE_DISPLAY" ;;
    "") [[ -n ${DISPLAY:-} ]] && echo host || echo xvfb ;;
    *) die "ZEMVO_WINE_DISPLAY must be host or xvfb" ;;
  esac
}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

prefix_stamp() {
  printf '%s\n' "zemvo prefix 1" "$(wine --version 2>/dev/null)" "$(sha256sum <"$repo/scripts/wine-prefix.reg")"
}

# Only the prefix's own server (WINEPREFIX names it); without one it does
# nothing.
stop_wineserver() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
}

# Under the prefix lock.
prepare_prefix() {
  local stamp
  stamp=$(prefix_stamp)
  if [[ -f $WINEPREFIX/.zemvo-stamp && $(<"$WINEPREFIX/.zemvo-stamp") == "$stamp" ]]; then
    return 0
  fi
  local started=$SECONDS
  if [[ ! -f $WINEPREFIX/.zemvo-booted ]]; then
    say "preparing the Wine prefix $WINEPREFIX"
    stop_wineserver
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    if ! DISPLAY= wine_env timeout 600 wineboot -i >"$state/logs/wineboot.log" 2>&1; then
      die "wineboot -i failed, see $state/logs/wineboot.log"
    fi
    # The first boot goes on in the background; wait for all of it.
    timeout 600 wineserver -w || die "the first boot of the prefix did not end"
    touch "$WINEPREFIX/.zemvo-booted"
  fi
  local reg=$state/prefix.reg
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$repo/scripts/wine-prefix.reg"; } >"$reg"
  if ! DISPLAY= wine_env timeout 120 wine regedit /S "$(windows_path "$reg")" >"$state/logs/regedit.log" 2>&1; then
    die "importing scripts/wine-prefix.reg failed, see $state/logs/regedit.log"
  fi
  timeout 120 wineserver -w || die "the wineserver did not end after the registry import"
  echo "$stamp" >"$WINEPREFIX/.zemvo-stamp"
  say "prefix ready in $((SECONDS - started)) s"
}

# PID runs and is not a zombie (an orphan may never be reaped in a container
# whose init does not reap).
is_running() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  [[ $stat == *") "[^Z]* ]]
}

# PID is a running Xvfb.
is_xvfb() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  [[ $stat == *"(Xvfb) "[^Z]* ]]
}

xvfb_alive() {
  [[ -s $state/xvfb.pid && -s $state/xvfb.display ]] && is_xvfb "$(<"$state/xvfb.pid")"
}

# Under the session lock, by a registered user.
start_session() {
  [[ $(display_mode) == host ]] && return 0
  xvfb_alive && return 0
  # A wineserver without a live Xvfb is left from a session that ended
  # abnormally; its desktop window belongs to a display that is gone.
  stop_wineserver
  rm -f "$state/xvfb.pid" "$state/xvfb.display"
  : >"$state/xvfb.display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$state/xvfb.display" </dev/null >"$state/logs/xvfb.log" 2>&1 &
  local pid=$!
  echo "$pid" >"$state/xvfb.pid"
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    [[ -s $state/xvfb.display ]] && return 0
    # Right after the fork the process is still the shell, not yet Xvfb.
    is_running "$pid" || break
    sleep 0.05
  done
  kill "$pid" 2>/dev/null || true
  rm -f "$state/xvfb.pid"
  die "Xvfb did not start, see $state/logs/xvfb.log"
}

# Under the session lock.
end_session() {
  stop_wineserver
  if [[ -s $state/xvfb.pid ]]; then
    local pid
    pid=$(<"$state/xvfb.pid")
    if is_xvfb "$pid"; then
      kill "$pid" 2>/dev/null || true
      local tries
      for ((tries = 0; tries < 50; tries++)); do
        is_xvfb "$pid" || break
        sleep 0.05
      done
      is_xvfb "$pid" && kill -9 "$pid" 2>/dev/null
    fi
  fi
  rm -f "$state/xvfb.pid" "$state/xvfb.display"
}

# Under the session lock: ends the session when no program uses it. A program
# registers (a shared lock on users.lock) before it starts the session, so
# whoever gets the exclusive lock here knows nobody is running.
end_session_if_idle() {
  if flock -n -x "$state/users.lock" true; then
    end_session
  fi
}

# While registered as a user of the session.
run_registered() {
  local program=$1
  shift
  flock -x -o "$state/session.lock" "$self" --internal-start-session "$build" || exit 1
  if [[ $(display_mode) == xvfb ]]; then
    export DISPLAY=:$(head -n 1 "$state/xvfb.display")
  fi
  local log
  log=$state/logs/$(basename "$program" .exe).$$.log
  : >"$log"
  wine_env wine "$program" "$@" <&0 >"$log" 2>&1 &
  local pid=$!
  trap 'kill -TERM "$pid" 2>/dev/null || true' TERM INT HUP
  tail -n +1 -s 0.1 --pid="$pid" -f "$log" || true
  local rc=0
  wait "$pid" || rc=$?
  rm -f "$log"
  exit "$rc"
}

run_program() {
  [[ $# -ge 1 ]] || die "usage: wine-run.sh PROGRAM.exe [ARGS...] | --prepare | --shutdown"
  display_mode >/dev/null
  use_build_dir "$(find_build_dir "$1")"
  flock -x -o "$state/prefix.lock" "$self" --internal-prepare "$build" || exit 1
  local rc=0
  flock -s -o "$state/users.lock" "$self" --internal-run "$build" "$@" || rc=$?
  flock -x -o "$state/session.lock" "$self" --internal-end-if-idle "$build" || true
  exit "$rc"
}

case ${1:-} in
  --prepare)
    use_build_dir "${2:-$(find_build_dir)}"
    exec flock -x -o "$state/prefix.lock" "$self" --internal-prepare "$build"
    ;;
  --shutdown)
    use_build_dir "${2:-$(find_build_dir)}"
    # Waits (a bounded time) for programs still running, then ends it all.
    flock -x -w 60 "$state/users.lock" true || say "programs still running; ending the session anyway"
    exec flock -x -o "$state/session.lock" "$self" --internal-end-session "$build"
    ;;
  --internal-prepare)
    use_build_dir "$2"
    prepare_prefix
    ;;
  --internal-start-session)
    use_build_dir "$2"
    start_session
    ;;
  --internal-end-if-idle)
    use_build_dir "$2"
    end_session_if_idle
    ;;
  --internal-end-session)
    use_build_dir "$2"
    end_session
    ;;
  --internal-run)
    use_build_dir "$2"
    shift 2
    run_registered "$@"
    ;;
  *)
    run_program "$@"
    ;;
esac
