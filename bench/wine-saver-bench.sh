#!/usr/bin/env bash
# Times VirelunaLogo.scr under wine64 on a 1920x1080 virtual display with the default settings:
# the CPU time of the running saver over 60 s (per cent of one core), its peak working set,
# the time from starting it (Wine already up) to its first stitch on the screen, and the tick
# rate it reaches against its 30 ms period. Prints figures; it is not a test.
# Usage: bench/wine-saver-bench.sh [X-DISPLAY-NUMBER]   (default 17; needs build/mingw64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/mingw64"
bench="$build/tests/e2e_win32/saver_bench.exe"
scr=$(find "$build/app" -name VirelunaLogo.scr -print -quit 2>/dev/null || true)
design="$root/resources/designs/mandala.pxs"  # the largest sample: it draws for minutes
seconds=${VIRELUNA_BENCH_SECONDS:-60}
ticks=${VIRELUNA_BENCH_TICKS:-1000}
display=":${1:-17}"
[ -x "$bench" ] && [ -n "$scr" ] || { echo "build the mingw64 tree first (scripts/build-all.sh)"; exit 1; }

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all DISPLAY="$display"
xvfb_pid="" saver_pid=""
cleanup() {
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# Waits for a command to succeed, at most $1 seconds.
wait_for() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
# The Unix process of the saver started in this prefix.
find_saver() {
  local proc
  for proc in /proc/[0-9]*; do
    grep -qa 'VirelunaLogo.scr' "$proc/cmdline" 2>/dev/null || continue
    tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    saver_pid=${proc#/proc/}
    return 0
  done
  return 1
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wait_for 10 xdpyinfo -display "$display" >/dev/null 2>&1 || { echo "no X display $display"; exit 1; }
wineboot --init >/dev/null 2>&1
wineserver -w

echo "== start to first stitch, tick rate ($ticks ticks, defaults, $(basename "$design"))"
VIRELUNA_E2E_SAVER="$scr" wine "$bench" "$(windows_path "$design")" "$ticks"

echo "== CPU and memory over ${seconds} s of drawing"
key='HKCU\Software\TessoranVireluna\VirelunaLogo\Display File List'
wine reg add "$key" /v File01 /t REG_SZ /d "$(windows_path "$design")" /f >/dev/null
wine "$scr" /s &
wait_for 20 find_saver || { echo "the saver did not start"; exit 1; }
hz=$(getconf CLK_TCK)
start_ticks=$(cpu_ticks "$saver_pid")
start_time=$(date +%s.%N)
sleep "$seconds"  # the measuring window itself
end_ticks=$(cpu_ticks "$saver_pid")
end_time=$(date +%s.%N)
peak_kb=$(awk '/^VmHWM/ {print $2}' "/proc/$saver_pid/status")
awk -v t=$((end_ticks - start_ticks)) -v hz="$hz" -v a="$start_time" -v b="$end_time" \
  'BEGIN { printf "saver CPU: %.2f %% of one core (%.2f s of CPU in %.1f s)\n", 100 * t / hz / (b - a), t / hz, b - a }'
echo "saver peak working set: $((peak_kb / 1024)) MB (resident, Wine's own libraries included)"
xdotool key space
wait_for 10 test ! -d "/proc/$saver_pid" && saver_pid=""
