#!/usr/bin/env bash
# run_under_xvfb.sh PREFIX DPI PROGRAM [ARGS...]
# Runs a Windows program under Wine on a virtual X display of its own, with the screen at DPI
# dots per inch, where Wine draws real windows. The prefix is the GUI tests' own: the other
# Windows tests keep Wine's null graphics driver in theirs, and a Wine server started without a
# display never gains one.
set -u
prefix=$1 dpi=$2
shift 2
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko installers: their dialogs would wait for a user on the virtual display.
export WINEDLLOVERRIDES="mscoree,mshtml="

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
cleanup() {
    wineserver -k >/dev/null 2>&1
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
if [ ! -s "$display_file" ]; then
    echo "Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=:$(head -n1 "$display_file")

wineserver -k >/dev/null 2>&1
[ -f "$prefix/system.reg" ] || wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
# With no window manager to answer, Wine waits two seconds for one each time it hides a
# window it lets a manager handle; unmanaged windows hide at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Opening the report must not start a real browser on the build machine.
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d cr-no-browser /f >/dev/null 2>&1
# The DPI is read when the Wine server starts.
wineserver -k >/dev/null 2>&1
wine "$@"
