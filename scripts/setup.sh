#!/usr/bin/env bash
# A fresh machine: install what is needed, build what the main job uses and run it on the
# bundled sample designs. The native part comes first, so that the first pictures are in out/
# while the Windows trees build. scripts/test.sh builds the test programs and the other trees.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh"
"$root/scripts/build-all.sh" --main-job native
"$root/scripts/main-job.sh" native
"$root/scripts/build-all.sh" --main-job mingw64 mingw32
"$root/scripts/main-job.sh" windows
