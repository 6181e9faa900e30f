#!/bin/sh
# Builds the 64-bit gallery and runs it under Wine to take its picture:
#   tools/demo.sh [FILE.png]     (default: demo.png in the current directory)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out="${1:-demo.png}"
case "$out" in
  /*) ;;
  *) out="$PWD/$out" ;;
esac
"$root/tools/setup.sh" x86_64
"$root/tools/build.sh" x86_64 ztdemo
# Wine maps the Unix root to drive Z:.
winpath="Z:$(printf '%s' "$out" | tr / '\\')"
"$root/build/x86_64/wine-run" "$root/build/x86_64/bin/ztdemo.exe" --screenshot "$winpath"
echo "demo: wrote $out"
