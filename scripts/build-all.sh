#!/usr/bin/env bash
# Builds every tree from the one source: native, native with sanitizers, the fuzzers
# (clang), and Windows i686 (the release build) and x86_64 (tested under wine64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
jobs=$(nproc)

configure() {  # dir, extra cmake arguments...
  local dir="$1"
  shift
  [ -f "$build/$dir/build.ninja" ] || cmake -S "$root" -B "$build/$dir" -G Ninja "$@" >/dev/null
}

configure native -DCMAKE_BUILD_TYPE=RelWithDebInfo
configure asan -DCMAKE_BUILD_TYPE=Debug -DVIRELUNA_SANITIZE=ON
configure fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIRELUNA_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
configure mingw32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake"
configure mingw64 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"

for dir in native asan fuzz mingw32 mingw64; do
  echo "== build $dir"
  cmake --build "$build/$dir" -j "$jobs"
done
