#!/usr/bin/env bash
# Fails when a host executable still takes a function that handles wchar_t strings from the C
# library: the library expects 4-byte units, so every such function in use must be one of
# wide_functions.cpp (functions of single wint_t characters, such as towlower, are fine).
set -euo pipefail
imports=$(nm -u --format=posix "$1" | awk '{print $1}' | sed 's/@.*//' |
  grep -E '^(wcs|wmem|mbs|mbr|mbtowc$|wctomb$|wcrtomb$|fgetws$|fputws$)|wprintf$|wscanf$' || true)
if [ -n "$imports" ]; then
  echo "$1 takes wide-string functions from the C library (add them to wide_functions.cpp): $imports" >&2
  exit 1
fi
