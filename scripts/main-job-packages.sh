#!/usr/bin/env bash
# The installable packages: vireluna_<version>_amd64.deb and VirelunaSetup-<version>.exe in out/.
set -euo pipefail
exec "$(dirname "$0")/build-packages.sh"
