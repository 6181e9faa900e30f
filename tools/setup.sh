#!/bin/sh
# Installs what building and testing ztctrl32 needs on a Debian 12 machine:
#   tools/setup.sh [x86_64] [i686]      (both when none is named)
# Always: the mingw-w64 cross compilers for both, 64-bit Wine and its fonts,
# stb, GoogleTest sources, CMake, make and the host compiler (for the
# pixel-art converter).  For i686, where this machine runs 32-bit x86 code:
# Debian's 32-bit Wine (wine32, from the i386 architecture), which the tests
# call by its loader, /usr/lib/wine/wine, beside the 64-bit one.
# Says nothing when everything is already there; otherwise prints a line per
# step and apt's summary.  Run as root.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
archs="${*:-x86_64 i686}"

need=""
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for pkg in g++ make cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 fonts-wine libstb-dev googletest; do
  have_pkg "$pkg" || need="$need $pkg"
done
need32=""
case " $archs " in
  *" i686 "*) if "$root/tools/runs-i386.sh" && ! have_pkg wine32:i386; then need32="wine32:i386"; fi ;;
esac
[ -z "$need$need32" ] && exit 0

start=$(date +%s)
step() { echo "setup: [$(( $(date +%s) - start )) s] $*"; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# apt-get with its output kept aside: its summary is shown, and on failure
# the end of it.
run_apt() {
  if apt-get -q -y "$@" >"$log" 2>&1; then
    grep -E '^([0-9]+ upgraded|Need to get|Fetched|[WE]: )' "$log" | sed 's/^/setup:     /' || true
  else
    tail -n 40 "$log" >&2
    echo "setup: apt-get $1 failed" >&2
    return 1
  fi
}

export DEBIAN_FRONTEND=noninteractive
if [ -n "$need32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  step "adding the i386 architecture, for the 32-bit Wine"
  dpkg --add-architecture i386
fi
step "updating the package lists"
run_apt update
if [ -n "$need" ]; then
  step "installing$need"
  run_apt install --no-install-recommends $need
fi
if [ -n "$need32" ]; then
  step "installing the 32-bit Wine ($need32, with its i386 libraries: about 150 MB)"
  run_apt install --no-install-recommends $need32
fi
step "done"
