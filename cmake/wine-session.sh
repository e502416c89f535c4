#!/usr/bin/env bash
# Starts (start) or stops (stop) the Wine server of the build tree's private prefix around the
# Windows tests. Without a display Wine's graphics driver is set to null: windows and messages
# then work and nothing is drawn; with the default driver and no display the tests would hang.
# The locale is the tests' own (wine-run.sh): a UTF-8 one, for code page 1252.
set -u
export WINEPREFIX="$1" WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8
case "$2" in
start)
    wineboot -i >/dev/null 2>&1
    if [ -z "${DISPLAY:-}" ]; then
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    else
        wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1
    fi
    wineserver -k >/dev/null 2>&1
    wineserver -p >/dev/null 2>&1
    # Start Wine's own services now, inside the fixture: started by the first test instead, they
    # would hold ctest's output pipe open until its time-out.
    wine cmd /c exit >/dev/null 2>&1
    ;;
stop)
    wineserver -k >/dev/null 2>&1
    ;;
esac
exit 0
