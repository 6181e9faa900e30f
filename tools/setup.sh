#!/bin/sh
# Installs what building and testing ztctrl32 needs on a Debian 12 machine:
# the mingw-w64 cross compilers, Wine (64-bit loader and its fonts only),
# stb, GoogleTest sources, CMake, make and the host compiler (for the
# pixel-art converter).
# Quiet and quick when everything is already there.  Run as root.
set -e

need=""
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for pkg in g++ make cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 fonts-wine libstb-dev googletest; do
  have_pkg "$pkg" || need="$need $pkg"
done
[ -z "$need" ] && exit 0

# wine32 must not be installed: it makes the wine launcher pick the 32-bit
# loader even for 64-bit programs.
echo "setup: installing$need"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $need >/dev/null
