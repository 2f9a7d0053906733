#!/usr/bin/env bash
# The main job's Windows part: runs VirelunaLogo.scr under wine64 for a few seconds on the
# user's display if there is one, else on a virtual display, and writes
#   out/windows-fullscreen.png  the full-screen saver as Wine shows it;
#   out/windows-preview.png     the preview of the same run, 152 x 112 as in the display
#                               settings (drawn by vireluna render --preview: Wine shows nothing
#                               that one program draws into another program's window);
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/out"
build="$root/build/mingw64"
tool="$root/build/native/tools/vireluna/vireluna"
snapshot="$build/tests/e2e_win32/saver_snapshot.exe"
scr=$(find "$build/drivers" -name VirelunaLogo.scr -print -quit 2>/dev/null || true)
seed=2026
ticks=${VIRELUNA_MAIN_JOB_TICKS:-480}  # 14 s: the first design done at 5 stitches a tick
designs=(blossom.pxs koi.pxs logo.pxs)

# The 64-bit loader: the x86_64 saver, and reg.exe in the registry view the saver reads.
wine=/usr/lib/wine/wine64

if [ -z "$scr" ] || [ ! -x "$snapshot" ] || [ ! -x "$wine" ]; then
  echo "main job (Windows): no Windows build or no wine; skipped"
  exit 0
fi

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for number in $(seq 60 89); do  # the first display number nobody uses
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] || break
  done
  export DISPLAY=":$number"
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  deadline=$((SECONDS + 10))
  until xdpyinfo >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || { echo "main job (Windows): no virtual display"; exit 1; }
    sleep 0.1
  done
fi
screen=$(xdpyinfo | awk '/dimensions:/ {size = $2} END {print size}')
echo "main job (Windows): VirelunaLogo.scr under wine64 on $DISPLAY ($screen)"
# A 64-bit Windows whose UI fonts draw Japanese text (scripts/wine-prefix).
"$root/scripts/wine-prefix" "$WINEPREFIX" win64

profile='HKCU\Software\TessoranVireluna\VirelunaLogo'
"$wine" reg add "$profile\Config" /v DrawStep /t REG_DWORD /d 3 /f >/dev/null
key="$profile\Display File List"
files=()
for i in "${!designs[@]}"; do
  path="$root/resources/designs/${designs[$i]}"
  files+=("$path")
  "$wine" reg add "$key" /v "$(printf 'File%02d' $((i + 1)))" /t REG_SZ \
    /d "Z:${path//\//\\}" /f >/dev/null
done

mkdir -p "$out"
VIRELUNA_E2E_SAVER="$scr" "$wine" "$snapshot" "$work/fullscreen.ppm" "$seed" "$ticks"
convert "$work/fullscreen.ppm" "$out/windows-fullscreen.png"
"$tool" render "${files[@]}" --screen "$screen" --preview 152x112 --seed "$seed" \
  --ticks "$ticks" --draw-step 3 --profile "$work/empty.ini" -o "$out/windows-preview.png" >/dev/null
echo "main job (Windows): $out/windows-fullscreen.png, $out/windows-preview.png"
