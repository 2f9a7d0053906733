#!/usr/bin/env bash
# Builds every tree from the one source: native, native with sanitizers, the fuzzers
# (clang), and Windows i686 (the release build) and x86_64 (tested under wine64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null 2>&1; then
  # Several work trees of one repository share the cache.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure() {  # dir, extra cmake arguments...
  local dir="$1"
  shift
  [ -f "$build/$dir/build.ninja" ] ||
    cmake -S "$root" -B "$build/$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
}

configure native -DCMAKE_BUILD_TYPE=RelWithDebInfo
configure asan -DCMAKE_BUILD_TYPE=Debug -DVIRELUNA_SANITIZE=ON
configure fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIRELUNA_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
# Both Windows trees build their tests: they compare the saver's screen with the native
# tool's pictures. The i686 tree is the release build, tested as shipped.
configure mingw32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
  -DVIRELUNA_NATIVE_BUILD_DIR="$build/native"
configure mingw64 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DVIRELUNA_NATIVE_BUILD_DIR="$build/native"

for dir in native asan fuzz mingw32 mingw64; do
  echo "== build $dir"
  cmake --build "$build/$dir" -j "$jobs"
done
