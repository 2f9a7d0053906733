#!/usr/bin/env bash
# The main job on the bundled sample designs: describe each one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tool="$root/build/native/tools/vireluna/vireluna"

"$tool" info "$root"/resources/designs/*.pxs
