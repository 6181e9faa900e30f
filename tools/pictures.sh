#!/bin/sh
# Makes the pictures in docs/ again from the 64-bit demo under Wine, drawn in
# Wine's own fonts only (see cmake/wine-run.sh.in), so that they come out the
# same on every machine:
#   tools/pictures.sh
# docs/screenshot.png: the gallery; docs/about.png: its About box;
# docs/sections/<section>.png: one per gallery section ("VU meters" ->
# vu-meters.png), the section's area with a 4-pixel margin, and toolbar.png
# and status-line.png, the frame's toolbar and status line edge to edge.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" x86_64
"$root/tools/build.sh" x86_64 ztdemo
# Wine maps the Unix root to drive Z:.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
run="$root/build/x86_64/wine-run"
demo="$root/build/x86_64/bin/ztdemo.exe"
docs="$root/docs"
rm -rf "$docs/sections"
"$run" "$demo" --screenshot "$(winpath "$docs/screenshot.png")" --screenshot-dir "$(winpath "$docs/sections")"
"$run" "$demo" --screenshot-about "$(winpath "$docs/about.png")"
echo "pictures: wrote docs/screenshot.png, docs/about.png and $(ls "$docs/sections" | wc -l) pictures in docs/sections/"
