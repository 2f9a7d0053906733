#!/usr/bin/env bash
# Builds the trees of the one source, each configured the first time:
#   native   the vireluna tool, the X11 saver, the Debian package, the native tests
#   mingw64  Windows x86_64: the saver, the settings program, the tests run under wine64
#   mingw32  Windows i686: the release build, its tests run under 32-bit Wine
#   asan     native with AddressSanitizer and UndefinedBehaviorSanitizer, with the generators
#   fuzz     the fuzzers (clang)
# Usage: scripts/build-all.sh [--main-job] [TREE...]
# The trees named, in that order; without a name all five. --main-job builds in each tree only
# what scripts/main-job.sh and the packages take from it, not the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
jobs=$(nproc)
main_job=false
if [ "${1:-}" = --main-job ]; then
  main_job=true
  shift
fi
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native mingw64 mingw32 asan fuzz)

launcher=()
if command -v ccache >/dev/null 2>&1; then
  # Several work trees of one repository share the cache.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Configures a new tree. An existing one keeps its configuration, except that a project option
# (or the install setting) given here and not yet in its cache is set: trees made before it.
configure() {  # dir, extra cmake arguments...
  local dir="$1" argument name value
  shift
  if [ -f "$build/$dir/build.ninja" ]; then
    for argument in "$@"; do
      [[ "$argument" =~ ^-D(VIRELUNA_[A-Z_]+|CMAKE_SKIP_INSTALL_ALL_DEPENDENCY)=(.*)$ ]] || continue
      name=${BASH_REMATCH[1]}
      value=${BASH_REMATCH[2]}
      if [ "$(sed -n "s/^$name:[A-Z]*=//p" "$build/$dir/CMakeCache.txt")" != "$value" ]; then
        cmake "$build/$dir" "-D$name=$value" >/dev/null
      fi
    done
    return
  fi
  cmake -S "$root" -B "$build/$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
}

for tree in "${trees[@]}"; do
  main_job_targets=(vireluna_package_contents)
  case "$tree" in
    native)
      # The package is made from what this script builds for it, not from the whole tree.
      configure native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON ;;
    mingw64)
      # The Windows tests compare the saver's screen with the native tool's pictures.
      configure mingw64 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DVIRELUNA_NATIVE_BUILD_DIR="$build/native"
      main_job_targets+=(saver_snapshot) ;;  # photographs the saver for the main job
    mingw32)
      # The release build, tested as shipped: its tests also compare with the native tool.
      configure mingw32 -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
        -DVIRELUNA_NATIVE_BUILD_DIR="$build/native" ;;
    asan)
      configure asan -DCMAKE_BUILD_TYPE=Debug -DVIRELUNA_SANITIZE=ON -DVIRELUNA_GENERATORS=ON ;;
    fuzz)
      configure fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIRELUNA_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ ;;
    *)
      echo "build-all: no tree $tree (native, mingw64, mingw32, asan, fuzz)" >&2
      exit 2 ;;
  esac
  if $main_job; then
    case "$tree" in
      asan | fuzz) continue ;;  # the main job takes nothing from these
    esac
    echo "== build $tree for the main job"
    cmake --build "$build/$tree" -j "$jobs" --target "${main_job_targets[@]}"
  else
    echo "== build $tree"
    cmake --build "$build/$tree" -j "$jobs"
  fi
done
