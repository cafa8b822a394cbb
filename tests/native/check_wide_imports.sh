#!/usr/bin/env bash
# Fails when a host executable still takes a function that handles wchar_t strings from the C
# library: the library expects 4-byte units, so every such function in use must be one of
# wide_functions.cpp (functions of single wint_t characters, such as towlower, are fine).
set -euo pipefail
# nm on its own, so that a file it cannot read fails the check, and a stripped file (nothing listed)
# fails too; grep's "no match" is the good case.
undefined=$(nm -u --format=posix "$1")
if [ -z "$undefined" ]; then
  echo "$1: nm lists no undefined symbols, so its imports cannot be checked" >&2
  exit 1
fi
imports=$(awk '{print $1}' <<<"$undefined" | sed 's/@.*//' |
  { grep -E '^(wcs|wmem|mbs|mbr|mbtowc$|wctomb$|wcrtomb$|fgetws$|fputws$)|wprintf$|wscanf$' || [ $? -eq 1 ]; })
if [ -n "$imports" ]; then
  echo "$1 takes wide-string functions from the C library (add them to wide_functions.cpp): $imports" >&2
  exit 1
fi
