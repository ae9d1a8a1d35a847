#!/bin/sh
# Runs one Windows test program under Wine for CTest: run-under-wine.sh PREFIX PROGRAM [ARGS...]
# Wine's background services inherit the output handles of the program that starts them. The
# program writes into a file first, so no service can keep CTest's pipe open and stall the run.
# KORVESSA_WINE names the loader (build.sh sets the 64-bit one where 32-bit programs cannot run).
prefix=$1
shift
out=$(mktemp) || exit 1
WINEPREFIX=$prefix WINEDEBUG=-all "${KORVESSA_WINE:-wine}" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
