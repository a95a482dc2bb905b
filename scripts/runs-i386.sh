#!/usr/bin/env bash
# runs-i386.sh: exit status 0 when this machine runs 32-bit x86 Linux
# programs, which 32-bit Wine (wine32:i386) is. A kernel without IA-32
# emulation (built without it, or a virtual machine that leaves it out)
# refuses them, and Debian's `wine` command, which prefers the 32-bit loader
# once wine32 is installed, would then fail for 64-bit programs too.
# It runs the smallest i386 program there is, made here, so that nothing of
# that architecture needs to be installed to ask.
set -u
probe=$(mktemp "${TMPDIR:-/tmp}/zeph-i386.XXXXXX") || exit 2
trap 'rm -f "$probe"' EXIT
# ELF header (ELFCLASS32, EM_386, entry 0x08048054), one PT_LOAD segment of
# the whole 93-byte file at 0x08048000, then: mov eax, 1; xor ebx, ebx;
# int 0x80 (exit with status 0).
elf='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00'
elf+='\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00'
elf+='\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
elf+='\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
elf+='\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'
# shellcheck disable=SC2059 # the bytes are the format
printf "$elf" >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
