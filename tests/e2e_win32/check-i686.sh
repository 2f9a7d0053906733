#!/usr/bin/env bash
# The release build of the saver under a tree: what its PE header says, Intel 80386,
# Windows GUI subsystem.
set -euo pipefail
scr=$(find "$1" -name VirelunaLogo.scr -print -quit 2>/dev/null || true)
[ -n "$scr" ] || { echo "no VirelunaLogo.scr under $1"; exit 1; }
header=$(i686-w64-mingw32-objdump -f -p "$scr")
grep -q 'file format pei-i386' <<<"$header" || { echo "$scr is not a 32-bit x86 program"; exit 1; }
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]+\(Windows GUI\)' <<<"$header" ||
  { echo "$scr is not a GUI program"; exit 1; }
echo "$scr: PE32, Intel 80386, Windows GUI"
