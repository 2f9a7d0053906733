#!/usr/bin/env bash
# Checks that the committed files the generators make are byte for byte what they make now:
# the sample designs (resources/designs/*.pxs), the emblem (resources/logo.bmp), and the
# Windows icon and invisible cursor (resources/win32/). Every committed design must come
# from the design generator.
#   scripts/check-generated.sh [TREE]
# TREE is a native build tree configured with -DVIRELUNA_GENERATORS=ON; by default
# build/asan, which scripts/build-all.sh configures so. The generators are built there first.
# Ends non-zero, naming each file that differs, when one does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-$root/build/asan}
resources="$root/resources"

if ! grep -qs '^VIRELUNA_GENERATORS:BOOL=ON$' "$tree/CMakeCache.txt"; then
  echo "check-generated: $tree is not a tree with the generators" \
    "(cmake -S $root -B $tree -DVIRELUNA_GENERATORS=ON)" >&2
  exit 2
fi
cmake --build "$tree" -j "$(nproc)" --target vireluna-designgen vireluna-logogen \
  vireluna-icongen >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/designs"
"$tree/tools/designgen/vireluna-designgen" "$work/designs" >/dev/null
"$tree/tools/logogen/vireluna-logogen" "$work/logo.bmp"
"$tree/tools/logogen/vireluna-icongen" "$work/vireluna.ico" "$work/invisible.cur"

checked=0
differ=0
compare() {  # generated file, committed file, generator
  checked=$((checked + 1))
  if [ ! -f "$2" ]; then
    echo "check-generated: ${2#"$root"/} is missing; $3 makes it"
    differ=$((differ + 1))
  elif ! cmp -s "$1" "$2"; then
    echo "check-generated: ${2#"$root"/} differs from what $3 makes now" \
      "(first at $(cmp "$1" "$2" 2>&1 | sed -E 's/^.* differ: //; s/^cmp: //'))"
    differ=$((differ + 1))
  fi
}

for design in "$work"/designs/*.pxs; do
  compare "$design" "$resources/designs/$(basename "$design")" vireluna-designgen
done
for design in "$resources"/designs/*.pxs; do
  if [ ! -f "$work/designs/$(basename "$design")" ]; then
    echo "check-generated: ${design#"$root"/} is made by no generator"
    checked=$((checked + 1))
    differ=$((differ + 1))
  fi
done
compare "$work/logo.bmp" "$resources/logo.bmp" vireluna-logogen
compare "$work/vireluna.ico" "$resources/win32/vireluna.ico" vireluna-icongen
compare "$work/invisible.cur" "$resources/win32/invisible.cur" vireluna-icongen

if [ "$differ" -ne 0 ]; then
  echo "check-generated: $differ of $checked files differ; if the generators' new output is" \
    "meant, write it over the committed files with the generators in $tree/tools"
  exit 1
fi
echo "check-generated: all $checked files are what the generators make"
