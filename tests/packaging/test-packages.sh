#!/usr/bin/env bash
# Installs the packages as a user would and checks what that leaves:
# - the Debian package: exactly the expected files, dependencies computed from the binaries,
#   the programs run from an unpacked copy and find their own designs, manual pages, lintian;
# - the Windows installer: the shipped 32-bit setup holds both savers; run silently in a fresh
#   64-bit and a fresh 32-bit Windows prefix it puts every file and registry entry where that
#   Windows keeps them, the installed saver plays the installed designs, the settings program
#   starts, a second install keeps the user's playlist, and the uninstaller removes what it
#   installed and nothing else. Where the kernel cannot execute 32-bit code only its 64-bit
#   twin can run, on 64-bit Windows.
# Needs the trees of scripts/build-all.sh and, for Windows, an X display ($DISPLAY).
# Ends with "N passed, N failed" and a non-zero status on any failure.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build"
out="$root/out"
work=$(mktemp -d)
passed=0
failed=0

version=$(sed -nE 's/^project\(Vireluna VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
deb="$out/vireluna_${version}_amd64.deb"
setup="$out/VirelunaSetup-${version}.exe"
setup64="$build/packages/VirelunaSetup-${version}-amd64.exe"

pass() { echo "ok   $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1${2:+: $2}"; failed=$((failed + 1)); }
check() {  # description, command...
  local what="$1"
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
run_quietly() { "$@" >"$work/last-output" 2>&1 || { cat "$work/last-output"; return 1; }; }
# Polls a condition until it holds or the deadline (seconds) passes.
wait_for() {  # seconds, command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# Each part's own counts, on a line of its own.
part_passed=0
part_failed=0
end_part() {  # name
  echo "packages, $1: $((passed - part_passed)) passed, $((failed - part_failed)) failed"
  part_passed=$passed
  part_failed=$failed
}

finish() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1; fi
  rm -rf "$work"
  echo "packages: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

echo "== build the packages"
if ! "$root/scripts/build-packages.sh"; then
  fail "build-packages.sh builds the packages"
  finish
fi

# ---------------------------------------------------------------- Debian package
echo "== $(basename "$deb")"
if [ ! -f "$deb" ]; then
  fail "the Debian package exists" "$deb"
  finish
fi

# Files and links only; their folders come with them.
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$work/contents"
if diff -u "$here/deb-contents.txt" "$work/contents" >"$work/contents.diff"; then
  pass "the package holds exactly the expected files"
else
  fail "the package holds exactly the expected files" "$(cat "$work/contents.diff")"
fi

depends=$(dpkg-deb --field "$deb" Depends)
check "dependencies are computed from the binaries ($depends)" \
  grep -qE '(^|, )libc6 \(>= [0-9.]+\).*libpng16-16' <<<"$depends"
check "the package is named by the project's version" \
  test "$(dpkg-deb --field "$deb" Version)" = "$version"

unpacked="$work/root"
dpkg-deb -x "$deb" "$unpacked"
tool="$unpacked/usr/bin/vireluna"
designs="$unpacked/usr/share/vireluna/designs"
if "$tool" info "$designs"/*.pxs >"$work/info" 2>&1; then
  count=$(grep -c '\.pxs' "$work/info")
  check "vireluna info from the unpacked package describes its $(ls "$designs" | wc -l) designs" \
    test "$count" -ge "$(ls "$designs" | wc -l)"
else
  fail "vireluna info from the unpacked package" "$(cat "$work/info")"
fi
# With no profile, the playlist is the bundled logo of this very copy, not the source tree's.
mkdir -p "$work/config"
playlist=$(XDG_CONFIG_HOME="$work/config" VIRELUNA_DATA_DIR= "$tool" settings --json 2>&1)
check "the unpacked vireluna plays its own logo design by default" \
  grep -qF "\"$designs/logo.pxs\"" <<<"$playlist"
check "vireluna render from the unpacked package draws a PNG" \
  run_quietly "$tool" render "$designs/logo.pxs" -o "$work/logo.png" --seed 2026 --ticks 50
saver=$(find "$unpacked" -type f -name vireluna-saver | head -n 1)
if [ -n "$saver" ]; then
  if "$saver" --help >"$work/saver-help" 2>&1 && grep -q -- '--root' "$work/saver-help"; then
    pass "vireluna-saver --help from the unpacked package"
  else
    fail "vireluna-saver --help from the unpacked package" "$(head -n 5 "$work/saver-help")"
  fi
fi
for page in $(find "$unpacked/usr/share/man" -type f | sort); do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  check "manual page $(basename "$page") reads without warnings" test -z "$warnings"
done

lintian --fail-on error "$deb" >"$work/lintian" 2>&1
status=$?
if [ "$status" -eq 0 ] && ! grep -q '^E:' "$work/lintian"; then
  pass "lintian finds no error ($(grep -c '^[WI]:' "$work/lintian") warnings)"
else
  fail "lintian finds no error" "$(grep -v 'root privileges' "$work/lintian")"
fi

# ---------------------------------------------------------------- Windows installer
end_part "Debian package"
program() {  # tree, program name: the path its tree names for the installer
  sed -n "s/^$2=//p" "$build/$1/packaging/windows-programs.txt" 2>/dev/null
}
saver32=$(program mingw32 VirelunaLogo)
saver64=$(program mingw64 VirelunaLogo)
settings32=$(program mingw32 VirelunaSettings)
settings64=$(program mingw64 VirelunaSettings)
if [ -z "$saver32" ] || [ -z "$saver64" ]; then
  echo "== no VirelunaLogo.scr is built yet: no installer to test"
  finish
fi

echo "== $(basename "$setup")"
check "the shipped installer is a 32-bit program, for 32-bit and 64-bit Windows" \
  grep -q 'PE32 executable.*Intel 80386.*Nullsoft' <<<"$(file -b "$setup")"
mkdir -p "$work/inside"
(cd "$work/inside" && 7z x -aou -y "$setup" >/dev/null 2>&1)
sha() { sha256sum "$@" | cut -d' ' -f1 | sort | tr '\n' ' '; }
check "the shipped installer carries the i686 and the x86_64 saver" \
  test "$(sha "$work/inside/\$SYSDIR"/*)" = "$(sha "$saver32" "$saver64")"
check "the shipped installer carries every sample design" \
  test "$(sha "$work/inside/Designs"/*)" = "$(sha "$root"/resources/designs/*.pxs)"
end_part "installer contents"

if [ -z "${DISPLAY:-}" ]; then
  fail "an X display for the installer test under Wine"
  finish
fi

# The loaders. A prefix's own loader runs programs of its own bitness, and its reg.exe reads
# and writes the registry view Windows itself uses (HKLM\Software unredirected); the 32-bit
# loader in a 64-bit prefix is a 32-bit program on 64-bit Windows: 32-bit registry view,
# system32 redirected to syswow64.
wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64
playlist_key='HKCU\Software\TessoranVireluna\VirelunaLogo\Display File List'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vireluna'
desktop_key='HKCU\Control Panel\Desktop'

# The saver, as the system starts it, plays the installed designs: it covers the screen with
# its field, stitches appear, and no message box comes up.
background_share() {  # per cent of the screen in the saver's field colour
  import -window root -depth 8 "$work/screen.png" 2>/dev/null || return 1
  convert "$work/screen.png" -fill black +opaque 'rgb(190,215,255)' -fill white \
    -opaque 'rgb(190,215,255)' -format '%[fx:int(100*mean)]' info: 2>/dev/null
}
ink() {  # pixels that are not the field colour
  import -window root -depth 8 "$work/screen.png" 2>/dev/null || return 1
  convert "$work/screen.png" -fill white +opaque 'rgb(190,215,255)' -fill black \
    -opaque 'rgb(190,215,255)' -format '%[fx:int(w*h*mean)]' info: 2>/dev/null
}
covered() { [ "$(background_share)" -ge 60 ] 2>/dev/null; }
first_ink=0
more_ink() { local now; now=$(ink) && [ "$now" -gt $((first_ink + 200)) ]; }
# A message box would be a second window of the saver's program.
only_the_full_screen_window() {
  local windows WIDTH HEIGHT
  windows=$(xdotool search --onlyvisible --class 'virelunalogo.scr' 2>/dev/null)
  [ "$(wc -l <<<"$windows")" -eq 1 ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$windows" | grep -E '^(WIDTH|HEIGHT)=')"
  [ "$WIDTH $HEIGHT" = "$(xdotool getdisplaygeometry)" ]
}
running() { kill -0 "$1" 2>/dev/null; }
design_files_installed() {
  local design
  for design in "$root"/resources/designs/*.pxs; do
    cmp -s "$design" "$folder/Designs/$(basename "$design")" || return 1
  done
}

# One Windows: install, play, update, uninstall.
installer_suite() {  # win64|win32, installer, its loader, the saver and settings program it must install
  local arch="$1" installer="$2" installer_loader="$3" expected_saver="$4" expected_settings="$5"
  local native bits=64 saver_pid settings_pid mine
  [ "$arch" = win32 ] && bits=32
  echo "== $(basename "$installer") on ${bits}-bit Windows (a fresh prefix)"
  export WINEPREFIX="$work/wine-$arch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if ! "$root/scripts/wine-prefix" "$WINEPREFIX" "$arch"; then
    fail "a ${bits}-bit Wine prefix"
    return
  fi
  native=$wine64
  [ "$arch" = win32 ] && native=$wine32
  drive="$WINEPREFIX/drive_c"
  folder="$drive/Program Files/Tessoran/Saver2"
  system="$drive/windows/system32"
  menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Vireluna"

  # The value's data in the native registry view, or nothing when it is missing.
  reg_value() {  # key, name
    "$native" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
      sed -nE "s/^ +$2 +REG_[A-Z_]+ *(.*)$/\1/p"
  }
  install() {  # extra arguments...
    timeout 300 "$installer_loader" "$installer" /S "$@" && timeout 120 wineserver -w
  }
  uninstall() {  # extra arguments...
    # The uninstaller is the installer's own kind of program. It runs from a copy in the
    # temporary folder; wait for that copy to end.
    timeout 300 "$installer_loader" "C:\\Program Files\\Tessoran\\Saver2\\Uninstall.exe" /S "$@" &&
      timeout 120 wineserver -w
  }

  check "the installer runs silently (/S) and succeeds" install
  check "the ${bits}-bit saver is in the system folder" cmp -s "$expected_saver" "$system/VirelunaLogo.scr"
  if [ "$arch" = win64 ]; then
    check "no saver went to the 32-bit system folder" test ! -e "$drive/windows/syswow64/VirelunaLogo.scr"
    check "nothing went to Program Files (x86)" test ! -e "$drive/Program Files (x86)/Tessoran"
  fi
  check "the sample designs are in the default playlist's folder" design_files_installed
  check "the uninstaller is in place" test -f "$folder/Uninstall.exe"
  if [ -n "$expected_settings" ]; then
    check "the ${bits}-bit settings program is installed" cmp -s "$expected_settings" "$folder/VirelunaSettings.exe"
    check "the Start menu has the settings program" test -f "$menu/Vireluna Settings.lnk"
  else
    echo "     (no VirelunaSettings.exe is built yet)"
  fi
  check "the uninstaller is registered" \
    test "$(reg_value "$uninstall_key" UninstallString)" = '"C:\Program Files\Tessoran\Saver2\Uninstall.exe"'
  check "Vireluna is the current screen saver" \
    test "$(reg_value "$desktop_key" SCRNSAVE.EXE)" = 'C:\windows\system32\VirelunaLogo.scr'
  check "a new profile plays the sample designs, logo first" \
    test "$(reg_value "$playlist_key" File01)" = 'C:\Program Files\Tessoran\Saver2\Designs\logo.pxs'

  # Windows starts the saver with a program of its own bitness.
  "$native" 'C:\windows\system32\VirelunaLogo.scr' /s &
  saver_pid=$!
  if wait_for 60 covered; then
    pass "the installed saver (/s) covers the screen"
    first_ink=$(ink)
    check "the saver stitches the installed designs" wait_for 30 more_ink
    check "the saver shows no message box" only_the_full_screen_window
    xdotool key space
    if wait_for 30 bash -c "! kill -0 $saver_pid 2>/dev/null"; then
      wait "$saver_pid"
      check "a key ends the saver with status 0" test $? -eq 0
    else
      fail "a key ends the saver"
    fi
  else
    fail "the installed saver (/s) covers the screen" "$(background_share)% field colour"
  fi
  running "$saver_pid" && kill "$saver_pid"

  if [ -n "$expected_settings" ]; then
    "$native" 'C:\Program Files\Tessoran\Saver2\VirelunaSettings.exe' &
    settings_pid=$!
    sheet() { xdotool search --onlyvisible --name '^VirelunaLogo$' 2>/dev/null | head -n 1; }
    sheet_open() { [ -n "$(sheet)" ]; }
    if wait_for 60 sheet_open; then
      pass "the settings program starts from its installed place"
      xdotool key --window "$(sheet)" Escape 2>/dev/null
      check "the settings program closes" wait_for 30 bash -c "! kill -0 $settings_pid 2>/dev/null"
    else
      fail "the settings program starts from its installed place"
    fi
    running "$settings_pid" && kill "$settings_pid"
  fi
  timeout 60 wineserver -w

  echo "== update, then uninstall"
  mine='C:\Program Files\Tessoran\Saver2\Designs\koi.pxs'
  "$native" reg add "$playlist_key" /v File01 /d "$mine" /f >/dev/null 2>&1
  "$native" reg add "$playlist_key" /v File02 /d '' /f >/dev/null 2>&1
  cp "$root/resources/designs/koi.pxs" "$folder/Designs/mine.pxs"
  check "a second install succeeds" install
  check "a second install keeps the changed playlist" \
    test "$(reg_value "$playlist_key" File01)|$(reg_value "$playlist_key" File02)" = "$mine|"

  check "the uninstaller runs silently and succeeds" uninstall
  check "the saver is gone from the system folder" test ! -e "$system/VirelunaLogo.scr"
  check "only the user's own design is left in the folder" \
    test "$(cd "$drive/Program Files/Tessoran" && find . | sort | tr '\n' ' ')" = \
    ". ./Saver2 ./Saver2/Designs ./Saver2/Designs/mine.pxs "
  check "the Start menu entry is gone" test ! -e "$menu"
  check "the uninstaller's registration is gone" test -z "$(reg_value "$uninstall_key" DisplayName)"
  check "the screen-saver choice no longer names the removed saver" \
    test -z "$(reg_value "$desktop_key" SCRNSAVE.EXE)"
  check "the uninstaller keeps the user's playlist" test "$(reg_value "$playlist_key" File01)" = "$mine"

  rm "$folder/Designs/mine.pxs"
  install
  check "on request (/REMOVESETTINGS) the uninstaller also removes the settings" \
    uninstall /REMOVESETTINGS
  check "the profile is gone" \
    bash -c "! '$native' reg query 'HKCU\\Software\\TessoranVireluna' >/dev/null 2>&1"
  check "nothing is left of the installed folder" test ! -e "$drive/Program Files/Tessoran"
  timeout 60 wineserver -k
  end_part "$(basename "$installer") on ${bits}-bit Windows"
}

if "$root/scripts/can-run-32bit" && [ -x "$wine32" ]; then
  installer_suite win64 "$setup" "$wine32" "$saver64" "$settings64"
  installer_suite win32 "$setup" "$wine32" "$saver32" "$settings32"
else
  "$root/scripts/can-run-32bit" || echo "32-bit Windows: not run: this kernel cannot execute 32-bit code"
  "$root/scripts/can-run-32bit" && fail "wine32 is installed (scripts/install-deps.sh)"
  # The shipped installer cannot run: its 64-bit twin shows what it does on 64-bit Windows.
  installer_suite win64 "$setup64" "$wine64" "$saver64" "$settings64"
fi
finish
