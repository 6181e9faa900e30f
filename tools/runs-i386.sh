#!/bin/sh
# Tells whether this machine runs 32-bit x86 programs: writes a 96-byte static
# i386 program that does nothing but exit with 42, and runs it.
#   tools/runs-i386.sh      exit status 0 where it does, 1 where it does not
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/build"
probe=$(mktemp "$root/build/.runs-i386.XXXXXX")
trap 'rm -f "$probe"' EXIT

# ELF header: 32-bit, little-endian, executable for the 386, entry 0x08048054,
# one program header at offset 52.
elf='7f 45 4c 46 01 01 01 00  00 00 00 00 00 00 00 00
     02 00 03 00 01 00 00 00  54 80 04 08 34 00 00 00
     00 00 00 00 00 00 00 00  34 00 20 00 01 00 00 00  00 00 00 00'
# Program header: the whole file loaded read-only and executable at 0x08048000.
elf="$elf
     01 00 00 00 00 00 00 00  00 80 04 08 00 80 04 08
     60 00 00 00 60 00 00 00  05 00 00 00 00 10 00 00"
# Code: mov ebx, 42; mov eax, 1 (exit); int 0x80.
elf="$elf
     bb 2a 00 00 00  b8 01 00 00 00  cd 80"

for byte in $elf; do
  # shellcheck disable=SC2059 # the format is the byte itself, as an octal escape
  printf "\\$(printf %o "0x$byte")"
done >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
[ $? -eq 42 ]
