#!/usr/bin/env bash
# Runs a Windows test program under Wine with the build tree's private prefix, so that no
# test touches the user's own Wine set-up.
: "${WINEPREFIX:=${CR_WINEPREFIX:-$PWD/wineprefix}}"
export WINEPREFIX WINEDEBUG=-all
exec wine "$@"
