#!/usr/bin/env bash
# The soak run of VirelunaLogo.scr under Wine: the saver plays 20,000 small designs on each
# monitor in full screen (DrawSpeed 1, HoldTime 0) on a 1920x1080 virtual display, and its GDI
# objects, windows, kernel handles and memory are printed every 1,000 designs a monitor. Wine
# shows one monitor, so the saver is told the desk (VIRELUNA_MONITORS): two monitors side by
# side in Wine's screen, or VIRELUNA_SOAK_MONITORS=- for Wine's one. Designs are counted, on
# all monitors together, as the saver opens their files (inotify). Prints figures; not a test.
# Usage: bench/wine-soak.sh [X-DISPLAY-NUMBER [TREE]]   (default 18 and mingw64, the x86_64
# build in 64-bit Windows; mingw32 is the i686 release build, in 64-bit Windows too. Needs
# that tree and build/native.) VIRELUNA_SOAK_DESIGNS and VIRELUNA_SOAK_EVERY change the
# counts; VIRELUNA_WINEPREFIX names a prefix to use instead of a new one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
monitors=${VIRELUNA_SOAK_MONITORS:-1152x1080+0+0,768x1080+1152+0}
count=1
[ "$monitors" = - ] || count=$(($(tr -cd , <<<"$monitors" | wc -c) + 1))
designs=$((${VIRELUNA_SOAK_DESIGNS:-20000} * count))
every=$((${VIRELUNA_SOAK_EVERY:-1000} * count))
display=":${1:-18}"
tree="$root/build/${2:-mingw64}"
soak="$tree/tests/e2e_win32/saver_soak.exe"
scr="$tree/drivers/win32/saver/VirelunaLogo.scr"
writer="$root/build/native/bench/vireluna_soak"
dot_writer="$root/build/native/tests/e2e_win32/vireluna-e2e-designs"
for program in "$soak" "$scr" "$writer" "$dot_writer"; do
  [ -x "$program" ] || [ -f "$program" ] ||
    { echo "build first: $program is missing (scripts/build-all.sh native ${2:-mingw64})"; exit 1; }
done

work=$(mktemp -d)
export WINEDEBUG=-all DISPLAY="$display"
export VIRELUNA_WINEPREFIX="${VIRELUNA_WINEPREFIX:-$work/prefix}"  # scripts/wine-run makes it
export WINEPREFIX="$VIRELUNA_WINEPREFIX"  # for wineserver -k at the end
xvfb_pid="" watch_pid=""
cleanup() {
  [ -n "$watch_pid" ] && kill "$watch_pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
wait_for() {  # seconds, command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# The small designs of the native soak, and the one-tick dot several times over, so that
# designs follow each other quickly enough for 20,000 of them in minutes.
mkdir "$work/designs"
"$writer" --write-designs "$work/designs" >/dev/null
"$dot_writer" "$work/designs"
rm -f "$work/designs/pens.pxs"
playlist=()
for name in zigzag squares star; do playlist+=("$(windows_path "$work/designs/$name.pxs")"); done
for copy in 1 2 3 4 5; do
  cp "$work/designs/dot.pxs" "$work/designs/dot$copy.pxs"
  playlist+=("$(windows_path "$work/designs/dot$copy.pxs")")
done
rm -f "$work/designs/dot.pxs"

# One byte into the counter for every design file opened. Closes are watched too: inotify
# folds an event into an identical one still unread, so two opens of one file in a row would
# count once; with its close between them they cannot be identical.
: >"$work/opened"
python3 - "$work/designs" "$work/opened" "$work/watching" <<'PYTHON' &
import ctypes, os, struct, sys
folder, counter, ready = sys.argv[1:4]
IN_CLOSE_NOWRITE, IN_OPEN = 0x10, 0x20
libc = ctypes.CDLL(None, use_errno=True)
fd = libc.inotify_init()
if fd < 0 or libc.inotify_add_watch(fd, folder.encode(), IN_OPEN | IN_CLOSE_NOWRITE) < 0:
    sys.exit("cannot watch " + folder)
open(ready, "w").close()
with open(counter, "ab", buffering=0) as out:
    while True:
        data = os.read(fd, 65536)
        opened, at = 0, 0
        while at < len(data):
            _, mask, _, length = struct.unpack_from("iIII", data, at)
            name = data[at + 16:at + 16 + length].rstrip(b"\0")
            # Not the folder itself, listed at start-up.
            opened += bool(mask & IN_OPEN) and name.endswith(b".pxs")
            at += 16 + length
        if opened:
            out.write(b"x" * opened)
PYTHON
watch_pid=$!
wait_for 10 test -e "$work/watching" || { echo "the design watcher did not start"; exit 1; }

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wait_for 10 xdpyinfo -display "$display" >/dev/null 2>&1 || { echo "no X display $display"; exit 1; }

VIRELUNA_E2E_SAVER="$scr" "$root/scripts/wine-run" "$soak" "$(windows_path "$work/opened")" \
  "$designs" "$every" "$monitors" "${playlist[@]}"
