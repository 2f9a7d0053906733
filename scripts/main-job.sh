#!/usr/bin/env bash
# The main job on the bundled sample designs: describe each one, then draw each one
# as the saver would, to out/render-NAME.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tool="$root/build/native/tools/vireluna/vireluna"
out="$root/out"

"$tool" info "$root"/resources/designs/*.pxs
mkdir -p "$out"
for design in "$root"/resources/designs/*.pxs; do
  name=$(basename "$design" .pxs)
  "$tool" render "$design" -o "$out/render-$name.png" --seed 2026
done
# The saver itself on Windows (under wine), on X, and the installable packages.
for step in main-job-windows.sh main-job-x11.sh main-job-packages.sh; do
  if [ -x "$root/scripts/$step" ]; then "$root/scripts/$step"; fi
done
echo "main job: pictures in $out"
