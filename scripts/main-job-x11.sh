#!/usr/bin/env bash
# The saver on X: when a display is there, plays the sample designs in a window for a few
# seconds, keeps a screenshot in out/saver-x11.png and ends it. Without a display there is
# nothing to show; the renders in out/ are the pictures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
saver="$root/build/native/drivers/x11/saver/vireluna-saver"
out="$root/out"
play_seconds=8

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "main-job-x11: no X display; the saver is not played"
  exit 0
fi
[ -x "$saver" ] || { echo "main-job-x11: $saver is not built"; exit 1; }

mkdir -p "$out"
# Fast settings, so a few seconds show a good part of the first design.
"$saver" --window --seed 2026 --draw-speed 1 --draw-step 3 --hold-time 50 \
  "$root"/resources/designs/*.pxs &
pid=$!
window=$(timeout 10 xdotool search --sync --limit 1 --pid "$pid" --name '^Vireluna$' || true)
# Plays until the time is up (or until someone closes the window).
timeout "$play_seconds" tail --pid="$pid" -f /dev/null || true
if [ -n "$window" ] && kill -0 "$pid" 2>/dev/null; then
  import -window "$window" "$out/saver-x11.png" && echo "main-job-x11: $out/saver-x11.png"
fi
# Ended as a saver daemon ends it.
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
echo "main-job-x11: vireluna-saver played the samples and ended with status $status"
exit "$status"
