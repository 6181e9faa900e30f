#!/bin/sh
# Builds the 64-bit benchmark and runs it under Wine: the library's controls
# against the system's common controls, and the mixing console.  Prints the
# machine, Wine and the load first, then the benchmark's Markdown tables:
#   tools/bench.sh [--blocks N] [--block-ms N] [--console-blocks N]
# Timings are noisy: run it when the machine is otherwise idle.  The load
# printed before and after the run says how idle it was.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" x86_64
"$root/tools/build.sh" x86_64 ztbench >/dev/null
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
echo "machine: ${cpu:-unknown CPU}, $(nproc) processors, $(uname -sr)"
echo "wine: $(/usr/lib/wine/wine64 --version), null graphics driver"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$root/build/x86_64/wine-run" "$root/build/x86_64/bin/ztbench.exe" "$@"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
