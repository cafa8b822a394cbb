#!/usr/bin/env bash
# The program must import only system DLLs: it is statically linked and ships as one file.
set -euo pipefail
exe=$1
allowed="KERNEL32.dll USER32.dll GDI32.dll SHELL32.dll msvcrt.dll"
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
status=0
for dll in $imports; do
  case " $allowed " in
    *" $dll "*) echo "imports $dll" ;;
    *) echo "not a system DLL of ours: $dll"; status=1 ;;
  esac
done
[ -n "$imports" ] || { echo "no imports read from $exe"; status=1; }
exit $status
