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
# The picture is taken away first and looked for afterwards: Wine can end a
# crashed program with exit status 0.
rm -f "$out"
"$root/build/x86_64/wine-run" "$root/build/x86_64/bin/ztdemo.exe" --screenshot "$winpath"
if [ ! -s "$out" ]; then
  echo "demo: the gallery wrote no picture to $out" >&2
  exit 1
fi
echo "demo: wrote $out"
