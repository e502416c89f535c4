#!/usr/bin/env bash
# Runs a Windows test program under Wine with the build tree's private prefix, so that no
# test touches the user's own Wine set-up. Wine takes its ANSI code page from the host locale: a
# UTF-8 locale gives code page 1252 and non-ASCII host file names that reach the program intact.
: "${WINEPREFIX:=${CR_WINEPREFIX:-$PWD/wineprefix}}"
export WINEPREFIX WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8
exec wine "$@"
