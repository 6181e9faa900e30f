#!/bin/sh
# Builds the library and the gallery demo and runs it headless under Wine,
# writing a screenshot: tools/demo.sh [FILE.png]   (default: demo.png)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-demo.png}")
"$root/tools/setup.sh"
"$root/tools/build.sh" x86_64
build="$root/build/x86_64"
cd "$build/bin"
winpath="Z:$(echo "$out" | sed "s|/|\\\\|g")"
"$build/wine-run" ztdemo.exe --screenshot "$winpath"
echo "screenshot written to $out"
