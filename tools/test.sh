#!/bin/sh
# Builds and tests both architectures, or those named:
#   tools/test.sh [x86_64] [i686]
# The x86_64 programs run under 64-bit Wine.  The i686 programs run under
# 32-bit Wine, in a 32-bit prefix of their own, where this machine runs
# 32-bit x86 code; elsewhere the 32-bit DLL is built and its exports checked.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
archs="${*:-x86_64 i686}"
for arch in $archs; do
  case "$arch" in
    x86_64|i686) ;;
    *) echo "usage: tools/test.sh [x86_64] [i686]" >&2; exit 2 ;;
  esac
done
"$root/tools/setup.sh" $archs

start=$(date +%s)
for arch in $archs; do
  echo "== building $arch"
  "$root/tools/build.sh" "$arch"
done

ran=""
failed=""
for arch in $archs; do
  if [ "$arch" = i686 ] && ! "$root/tools/runs-i386.sh"; then
    echo "== testing i686 without Wine"
    (cd "$root/build/i686" && ctest --output-on-failure -L static) || failed="$failed i686"
    echo "i686: tests under Wine skipped: this machine cannot execute 32-bit x86 code; the 32-bit DLL was built and its exports checked."
    continue
  fi
  echo "== testing $arch under Wine"
  (cd "$root/build/$arch" && ctest --output-on-failure -j 2) || failed="$failed $arch"
  ran="$ran $arch"
done

echo "== tests ran under Wine for:${ran:- no architecture}; all done in $(( $(date +%s) - start )) s"
if [ -n "$failed" ]; then
  echo "== failed:$failed"
  exit 1
fi
