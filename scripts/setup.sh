#!/usr/bin/env bash
# A fresh machine: install what is needed, build all trees, and run the main job
# on the bundled sample designs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh"
"$root/scripts/build-all.sh"
"$root/scripts/main-job.sh"
