#!/bin/sh
# The Windows engine under Wine, started as the Linux one is: make test-windows hands this
# script to the engine's tests in place of build/vemsul.
#   scripts/vemsul-wine.sh [arguments]      (VEMSUL_EXE: default build-windows/vemsul.exe)
exe=${VEMSUL_EXE:-$(cd "$(dirname "$0")/.." && pwd)/build-windows/vemsul.exe}
WINEDEBUG=${WINEDEBUG:--all} exec wine "$exe" "$@"
