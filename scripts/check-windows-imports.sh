#!/usr/bin/env bash
# Checks, without running it, that a Windows program or library can be loaded: every DLL it
# imports is a system DLL that Wine provides (or lies beside it), and every function it imports
# from one is exported there. 32-bit programs cannot run on this machine; Wine's 64-bit system
# DLLs export the same Win32 functions, so they stand in as the reference.
# Usage: check-windows-imports.sh OBJDUMP FILE...   (OBJDUMP of the files' own kind)
set -euo pipefail
objdump=$1
shift
system=${QMV718_WINE_SYSTEM_DLLS:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}
system_objdump=x86_64-w64-mingw32-objdump
declare -A exports_of
# Functions that only the 32-bit msvcrt.dll exports (the 64-bit one has no use for them).
i386_only=" __p__acmdln __p__commode __p__fmode __p__environ __p___argc __p___argv __p__wcmdln "
i386_only+=" _setjmp3 _except_handler3 _except_handler4_common _global_unwind2 _local_unwind2 _ftol _CIpow _chkesp "
status=0

# Whether the system DLL exports the function (its export list read once).
exports() {
  local dll=$1 name=$2
  if [ -z "${exports_of[$dll]+set}" ]; then
    exports_of[$dll]=$("$system_objdump" -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^$/{t=0} t{print $NF}')
  fi
  grep -qx -- "$name" <<<"${exports_of[$dll]}"
}

for file in "$@"; do
  folder=$(dirname "$file")
  imports=$("$objdump" -p "$file" | awk '
    /DLL Name:/ { dll = $3; print "DLL " dll; next }
    /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print "FN " dll " " $3 }')
  while read -r kind dll name; do
    lower=${dll,,}
    if [ -f "$folder/$lower" ] || [ -f "$folder/$dll" ]; then
      continue # shipped beside it, checked on its own
    fi
    if [ ! -f "$system/$lower" ]; then
      echo "$file: imports $dll, which is neither a system DLL nor beside it" >&2
      status=1
      continue
    fi
    if [ "$kind" = FN ] && [ "$lower" = msvcrt.dll ] && [[ "$i386_only" == *" $name "* ]]; then
      continue
    fi
    if [ "$kind" = FN ] && ! exports "$system/$lower" "$name"; then
      echo "$file: $dll does not export $name" >&2
      status=1
    fi
  done <<<"$imports"
  [ $status -eq 0 ] && echo "imports resolve: $(basename "$file") ($(grep -c '^FN' <<<"$imports") functions from $(grep -c '^DLL' <<<"$imports") DLLs)"
done
exit $status
