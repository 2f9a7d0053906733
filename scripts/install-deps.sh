#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine64 xvfb x11-utils imagemagick
  googletest libgtest-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libinih-dev
  libpng-dev libfreetype-dev libfontconfig-dev fonts-liberation
  pkg-config python3 xdotool nsis lintian dpkg-dev file libx11-dev libxext-dev libxrandr-dev libxinerama-dev x11-apps
  x11-xserver-utils xserver-xorg-core xserver-xorg-video-dummy
  p7zip-full
  fonts-ipafont-gothic
)

here=$(cd "$(dirname "$0")" && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# A mirror caught mid-sync fails one index now and then ("File has unexpected size"): try
# again, then go on with the indexes that did come.
lists_complete=yes
update_package_lists() {
  local attempt
  for attempt in 1 2 3 4; do
    $sudo apt-get update && return 0
    echo "install-deps: apt-get update failed (attempt $attempt of 4)"
    [ "$attempt" -lt 4 ] && sleep $((attempt * 15))
  done
  echo "install-deps: going on with the package lists apt-get has"
  lists_complete=no
}

# 32-bit Windows programs (the release build, the shipped installer) need 32-bit Wine, and
# that needs a kernel that executes 32-bit code: probed, since some kernels lack it.
if "$here/can-run-32bit"; then
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "install-deps: adding the i386 architecture for wine32"
    $sudo dpkg --add-architecture i386  # its lists come with the update below
  fi
else
  echo "install-deps: this kernel cannot execute 32-bit code: no wine32, 32-bit Windows is not tested"
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
update_package_lists
install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends)
if $sudo "${install[@]}" "${missing[@]}"; then
  exit 0
fi
# With one architecture's update index missing, its packages can no longer match the other
# architecture's updated versions (wine32 needs both alike): take the release's own versions.
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ "$lists_complete" = no ] && [ -n "$release" ] || exit 1
echo "install-deps: installing the $release release's own versions, as an update index is missing"
$sudo "${install[@]}" -t "$release" "${missing[@]}"
