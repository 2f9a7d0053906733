#!/usr/bin/env bash
# Runs every test: native, native under AddressSanitizer and UndefinedBehaviorSanitizer,
# the Windows tests under Wine on an Xvfb display (the x86_64 build on 64-bit Windows, the
# i686 build on 32-bit and on 64-bit Windows where the kernel executes 32-bit code), the
# packages, the layer check, and each fuzzer for a bounded time. Prints the counts and time of
# each suite, then the total. Ends non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
logs=$(mktemp -d)
passed=0
failed=0
status=0

# Every tree, all targets: the ones scripts/setup.sh left out are configured and built here.
"$root/scripts/build-all.sh" || { echo "build failed"; echo "0 passed, 1 failed"; exit 1; }

# ctest prints "N% tests passed, F tests failed out of T"; add its figures to ours.
count_ctest() {  # log file
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  fails=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - fails))
  failed=$((failed + fails))
}

summary=()
run_ctest() {  # name, build dir, extra ctest arguments...
  local name="$1" dir="$2" log before_passed=$passed before_failed=$failed start=$SECONDS
  shift 2
  log="$logs/${name//[^a-zA-Z0-9]/-}.log"
  echo "== test $name"
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  count_ctest "$log"
  summary+=("$name: $((passed - before_passed)) passed, $((failed - before_failed)) failed ($((SECONDS - start)) s)")
}

echo "== format"
if (cd "$root" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror); then
  passed=$((passed + 1))
else
  echo "format: run clang-format -i on the files above"
  failed=$((failed + 1))
  status=1
fi

run_ctest native "$build/native" -j 2
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_ctest sanitizers "$build/asan" -j 2

# The committed designs, emblem, icon and cursor against the generators of the sanitizer tree.
echo "== generated files"
if "$root/scripts/check-generated.sh" "$build/asan"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  status=1
fi

# Every include points along the table of docs/architecture.md, and no two folders include
# each other.
echo "== layers"
if python3 "$root/scripts/check-layers.py" "$root"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  status=1
fi

# Windows: every build in the prefixes it ships for, each prefix private and made here
# (scripts/wine-prefix), on a private display.
export WINEDEBUG=-all
xvfb_pid=""
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  display=":$((90 + RANDOM % 9))"
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  sleep 1
fi
wine_suite() {  # name, tree, win64|win32
  export VIRELUNA_WINEPREFIX="$logs/wine-$2-$3" VIRELUNA_WINEARCH="$3"
  "$root/scripts/wine-prefix" "$VIRELUNA_WINEPREFIX" "$3"
  run_ctest "$1" "$build/$2"
  WINEPREFIX="$VIRELUNA_WINEPREFIX" wineserver -k >/dev/null 2>&1
  unset VIRELUNA_WINEPREFIX VIRELUNA_WINEARCH
}
wine_suite "x86_64 build, 64-bit Windows" mingw64 win64
if ! "$root/scripts/can-run-32bit"; then
  summary+=("32-bit Windows: not run: this kernel cannot execute 32-bit code")
elif [ ! -x /usr/lib/wine/wine ]; then
  echo "32-bit Windows: wine32 is not installed: run scripts/install-deps.sh"
  summary+=("32-bit Windows: wine32 is not installed: run scripts/install-deps.sh")
  failed=$((failed + 1))
  status=1
else
  wine_suite "i686 build, 32-bit Windows" mingw32 win32
  wine_suite "i686 build, 64-bit Windows" mingw32 win64
fi
# The packages, installed as a user would: the .deb unpacked, the installer in its own prefix.
echo "== test packages"
start=$SECONDS
"$root/tests/packaging/test-packages.sh" 2>&1 | tee "$logs/packages.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
packages=$(sed -nE 's/^packages: ([0-9]+) passed, ([0-9]+) failed$/\1 \2/p' "$logs/packages.log")
if [ -n "$packages" ]; then
  passed=$((passed + ${packages% *}))
  failed=$((failed + ${packages#* }))
else
  failed=$((failed + 1))
fi
# Its own lines per package and prefix, then its total.
while IFS= read -r line; do summary+=("$line"); done < <(grep -E '^packages' "$logs/packages.log")
summary[-1]="${summary[-1]} ($((SECONDS - start)) s)"
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null

# Fuzzers, each seeded with its corpus (the design reader also with the sample designs). The
# readers share one total time, so that a new format does not lengthen the run.
reader_seconds=180
readers=$(find "$build/fuzz/fuzz" -maxdepth 1 -name 'fuzz_*_reader' -type f -perm -u+x 2>/dev/null | wc -l)
for fuzzer in "$build"/fuzz/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  seconds=20
  corpus="$logs/corpus-$name"
  mkdir -p "$corpus"
  case "$name" in
    *_reader) seconds=$((reader_seconds / readers))
      cp "$root/fuzz/corpus/${name#fuzz_}"/* "$corpus"/ 2>/dev/null ;;
  esac
  if [ "$name" = fuzz_design_reader ]; then
    cp "$root"/resources/designs/*.pxs "$corpus"/ 2>/dev/null
  fi
  echo "== fuzz $name for ${seconds}s"
  # Inputs up to 4 KB for every target: the sample designs would otherwise raise the design
  # reader's limit to their own size and slow it fifty-fold (they are tested whole elsewhere).
  if "$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus" \
      >"$logs/$name.log" 2>&1; then
    tail -n 3 "$logs/$name.log"
    passed=$((passed + 1))
  else
    tail -n 40 "$logs/$name.log"
    failed=$((failed + 1))
    status=1
  fi
done

rm -rf "$logs"
printf '%s\n' "${summary[@]}"
echo "Vireluna: $passed passed, $failed failed ($((SECONDS / 60)) min)"
exit $status
