#!/usr/bin/env bash
# Times VirelunaLogo.scr under Wine on a 1920x1080 virtual display with the default settings,
# for each build where it runs: x86_64 on 64-bit Windows, and the i686 release build on
# 64-bit and on 32-bit Windows (where the kernel executes 32-bit code). For each: the CPU
# time of the running saver over 60 s (per cent of one core), its peak working set, the
# time from starting it (Wine already up) to its first stitch on the screen, and the tick
# rate it reaches against its 30 ms period; then all of them side by side. Prints figures;
# it is not a test.
# Usage: bench/wine-saver-bench.sh [X-DISPLAY-NUMBER]   (default 17; needs build/mingw64,
# and build/mingw32 for the i686 figures)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
design="$root/resources/designs/mandala.pxs"  # the largest sample: it draws for minutes
seconds=${VIRELUNA_BENCH_SECONDS:-60}
ticks=${VIRELUNA_BENCH_TICKS:-1000}
display=":${1:-17}"
[ -x "$root/build/mingw64/tests/e2e_win32/saver_bench.exe" ] ||
  { echo "build the mingw64 tree first (scripts/build-all.sh)"; exit 1; }

work=$(mktemp -d)
export WINEDEBUG=-all DISPLAY="$display"
xvfb_pid="" saver_pid=""
cleanup() {
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
  for prefix in "$work"/prefix-*; do [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null; done
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

# The figures of one build in one Windows, into $work/<name>.figures as "label: value" lines.
measure() {  # name, tree, win64|win32, loader (the build's own: wine64 for x86_64, wine for i686)
  local name="$1" tree="$root/build/$2" arch="$3" loader="$4" scr bench figures="$work/$1.figures"
  bench="$tree/tests/e2e_win32/saver_bench.exe"
  scr=$(find "$tree/drivers" -name VirelunaLogo.scr -print -quit 2>/dev/null || true)
  if [ ! -x "$bench" ] || [ -z "$scr" ]; then
    echo "== $name: not built ($tree)"
    return
  fi
  export WINEPREFIX="$work/prefix-$arch"
  "$root/scripts/wine-prefix" "$WINEPREFIX" "$arch"
  echo "== $name: start to first stitch, tick rate ($ticks ticks, defaults, $(basename "$design"))"
  VIRELUNA_E2E_SAVER="$scr" "$loader" "$bench" "$(windows_path "$design")" "$ticks" | tee "$figures"

  echo "== $name: CPU and memory over ${seconds} s of drawing"
  local key='HKCU\Software\TessoranVireluna\VirelunaLogo\Display File List'
  "$loader" reg add "$key" /v File01 /t REG_SZ /d "$(windows_path "$design")" /f >/dev/null
  "$loader" "$scr" /s &
  wait_for 20 find_saver || { echo "the saver did not start"; exit 1; }
  local hz start_ticks start_time end_ticks end_time peak_kb
  hz=$(getconf CLK_TCK)
  start_ticks=$(cpu_ticks "$saver_pid")
  start_time=$(date +%s.%N)
  sleep "$seconds"  # the measuring window itself
  end_ticks=$(cpu_ticks "$saver_pid")
  end_time=$(date +%s.%N)
  peak_kb=$(awk '/^VmHWM/ {print $2}' "/proc/$saver_pid/status")
  awk -v t=$((end_ticks - start_ticks)) -v hz="$hz" -v a="$start_time" -v b="$end_time" \
    'BEGIN { printf "saver CPU: %.2f %% of one core (%.2f s of CPU in %.1f s)\n", 100 * t / hz / (b - a), t / hz, b - a }' |
    tee -a "$figures"
  echo "saver peak working set: $((peak_kb / 1024)) MB (resident, Wine's own libraries included)" |
    tee -a "$figures"
  xdotool key space
  wait_for 10 test ! -d "/proc/$saver_pid" && saver_pid=""
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
}

names=("x86_64, 64-bit Windows")
measure "${names[0]}" mingw64 win64 /usr/lib/wine/wine64
if "$root/scripts/can-run-32bit" && [ -x /usr/lib/wine/wine ]; then
  names+=("i686, 64-bit Windows" "i686, 32-bit Windows")
  measure "${names[1]}" mingw32 win64 /usr/lib/wine/wine
  measure "${names[2]}" mingw32 win32 /usr/lib/wine/wine
else
  echo "32-bit Windows: not run: this kernel cannot execute 32-bit code (or no wine32)"
fi

echo "== side by side"
{
  printf 'figure'
  for name in "${names[@]}"; do printf '\t%s' "$name"; done
  echo
  for label in "start to first stitch" "ticks" "peak working set as Windows reports it" \
      "saver CPU" "saver peak working set"; do
    printf '%s' "$label"
    for name in "${names[@]}"; do
      printf '\t%s' "$(sed -n "s/^$label: //p" "$work/$name.figures" 2>/dev/null | sed -E 's/ \(.*//')"
    done
    echo
  done
} | column -t -s $'\t'
