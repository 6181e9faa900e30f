#!/bin/sh
# Configures and builds one architecture: tools/build.sh x86_64|i686 [TARGET...]
# (all targets when none are named).
set -e
arch="$1"
shift
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/$arch"
jobs=$(nproc 2>/dev/null || echo 2)
# Configure every time (quick): new source files and targets are picked up.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$build" -j "$jobs" --target "$@"
else
  cmake --build "$build" -j "$jobs"
fi
