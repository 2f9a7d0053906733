#!/usr/bin/env bash
# Builds the installable packages into out/: vireluna_<version>_amd64.deb from the native tree
# (CPack) and VirelunaSetup-<version>.exe from both Windows trees (makensis). Also builds the
# same installer as a 64-bit program into build/packages/: where the kernel cannot execute
# 32-bit code, the tests install that one on 64-bit Wine instead.
# Builds in the trees of scripts/build-all.sh what the packages hold, and no tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
out="$root/out"
staging="$build/packages"
version=$(sed -nE 's/^project\(Vireluna VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "build-packages: no version in CMakeLists.txt" >&2; exit 1; }
mkdir -p "$out" "$staging"
# Nothing stale may pass for this build's packages.
rm -f "$out"/vireluna_*_amd64.deb "$out"/VirelunaSetup-*.exe "$staging"/VirelunaSetup-*.exe

echo "== package vireluna_${version}_amd64.deb"
"$root/scripts/build-all.sh" --main-job native >/dev/null
# CPack reads its configuration as of the last configure; a stale one would mislabel the package.
cmake "$build/native" >/dev/null
deb="vireluna_${version}_amd64.deb"
rm -f "$build/native/packages/$deb"
(cd "$build/native" && cpack -G DEB >"$staging/cpack.log" 2>&1) ||
  { cat "$staging/cpack.log" >&2; exit 1; }
cp "$build/native/packages/$deb" "$out/$deb"
echo "$out/$deb"

# name=path lines written by packaging/WindowsPrograms.cmake in each Windows tree.
program() {  # tree, program name
  local listing="$build/$1/packaging/windows-programs.txt"
  [ -f "$listing" ] && sed -n "s/^$2=//p" "$listing"
  return 0
}

"$root/scripts/build-all.sh" --main-job mingw32 mingw64 >/dev/null
saver32=$(program mingw32 VirelunaLogo)
saver64=$(program mingw64 VirelunaLogo)
if [ -z "$saver32" ] || [ -z "$saver64" ]; then
  echo "build-packages: no VirelunaLogo.scr in both Windows trees yet; no installer" >&2
  exit 0
fi

# The sample designs, logo first: the saver's default and the first entry of a new playlist.
designs_nsh="$staging/designs.nsh"
designs=("$root/resources/designs/logo.pxs")
for design in "$root"/resources/designs/*.pxs; do
  [ "$(basename "$design")" = logo.pxs ] || designs+=("$design")
done
{
  echo "!macro VirelunaInstallDesigns"
  for design in "${designs[@]}"; do echo "  File \"$design\""; done
  echo "!macroend"
  echo "!macro VirelunaRemoveDesigns folder"
  for design in "${designs[@]}"; do echo "  Delete \"\${folder}\\$(basename "$design")\""; done
  echo "!macroend"
  echo "!macro VirelunaWriteSamplePlaylist key folder"
  entry=0
  for design in "${designs[@]}"; do
    entry=$((entry + 1))
    printf '  WriteRegStr HKCU "${key}" "File%02d" "${folder}\\%s"\n' "$entry" "$(basename "$design")"
  done
  echo "!macroend"
} >"$designs_nsh"

defines=(-DVERSION="$version" -DSAVER32="$saver32" -DSAVER64="$saver64"
  -DDESIGNS_NSH="$designs_nsh")
settings32=$(program mingw32 VirelunaSettings)
settings64=$(program mingw64 VirelunaSettings)
if [ -n "$settings32" ] && [ -n "$settings64" ]; then
  defines+=(-DSETTINGS32="$settings32" -DSETTINGS64="$settings64")
fi
icon=$(find "$root/resources/win32" -maxdepth 1 -iname '*.ico' | sort | head -n 1)
[ -z "$icon" ] || defines+=(-DICON="$icon")

nsi="$root/packaging/windows/VirelunaSetup.nsi"
setup="VirelunaSetup-${version}.exe"
echo "== installer $setup"
makensis -V2 -WX "${defines[@]}" -DOUTFILE="$out/$setup" "$nsi"
makensis -V2 -WX "${defines[@]}" -DTARGET_AMD64 -DOUTFILE="$staging/VirelunaSetup-${version}-amd64.exe" "$nsi"
echo "$out/$setup"
