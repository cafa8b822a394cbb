#!/usr/bin/env bash
# The program must import only system DLLs: it is statically linked and ships as one file. And it
# must not carry the C runtime's printf engine or the C++ runtime's demangler: under Wine the whole
# image stays resident for the window's life, and the two are about a third of its code. A new
# swprintf or snprintf, or the default terminate handler, brings them back.
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
# Texts only those two hold: the formatter's spellings of a null string and of infinity, and the
# demangler's spelling of a deduced type.
texts=$(x86_64-w64-mingw32-strings -a "$exe")
for marker in "(null)" "Infinity" "decltype(auto)"; do
  if grep -qF "$marker" <<<"$texts"; then
    echo "carries the runtime's formatter or demangler (found \"$marker\")"; status=1
  fi
done
exit $status
