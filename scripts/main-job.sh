#!/usr/bin/env bash
# The main job on the bundled sample designs.
#   native   describe each design, draw each one as the saver would to out/render-NAME.png,
#            and play them in the X11 saver (needs the native tree);
#   windows  the Windows saver under wine and the installable packages (needs all three).
# Usage: scripts/main-job.sh [native|windows]; without a part, both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tool="$root/build/native/tools/vireluna/vireluna"
out="$root/out"
part=${1:-all}

native() {
  "$tool" info "$root"/resources/designs/*.pxs
  mkdir -p "$out"
  for design in "$root"/resources/designs/*.pxs; do
    name=$(basename "$design" .pxs)
    "$tool" render "$design" -o "$out/render-$name.png" --seed 2026
  done
  run_steps main-job-x11.sh
}

run_steps() {  # script names...
  for step in "$@"; do
    if [ -x "$root/scripts/$step" ]; then "$root/scripts/$step"; fi
  done
}

case "$part" in
  native) native ;;
  windows) run_steps main-job-windows.sh main-job-packages.sh ;;
  all) native; run_steps main-job-windows.sh main-job-packages.sh ;;
  *) echo "usage: $0 [native|windows]" >&2; exit 2 ;;
esac
echo "main job: pictures in $out"
