#!/usr/bin/env bash
# run_qt_on_display.sh x11|wayland SCREENSHOTS ICON TOOL PROGRAM [ARGS...]
# Runs the Qt window tests PROGRAM on a real display server of their own, then starts the tool
# TOOL there and photographs the whole screen as a user would see it, into
# SCREENSHOTS/desktop.png. x11: Xvfb with the openbox window manager, whose title bars show a
# window's icon; the tool's window must carry the icon (_NET_WM_ICON).
# wayland: weston's headless backend drawing with pixman; Qt draws the title bar itself, with
# the icon, and the tool must name its desktop entry (app id "configreport"), by which a Wayland
# desktop finds its name and icon; weston's panel shows ICON as the tool's launcher.
set -u
kind=$1 shots=$2 icon=$3 tool=$4
shift 4
mkdir -p "$shots"
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "$kind: $*" >&2; exit 1; }
# wait_for SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds.
wait_for() {
    local tenths=$(($1 * 10))
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

case $kind in
x11)
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
    pids+=($!)
    wait_for 10 test -s "$scratch/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$scratch/display") QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
    openbox >/dev/null 2>&1 &
    pids+=($!)
    wait_for 10 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window" ||
        fail "openbox did not start"
    # openbox announces itself before it has finished starting; a window mapped in between
    # may never be exposed.
    sleep 1
    ;;
wayland)
    printf '[launcher]\nicon=%s\npath=%s\n' "$icon" "$tool" >"$scratch/weston.ini"
    # --debug lets weston-screenshooter photograph the screen.
    weston --backend=headless-backend.so --use-pixman --debug --config="$scratch/weston.ini" \
        --socket=wayland-cr --width=800 --height=600 >"$scratch/weston.log" 2>&1 &
    pids+=($!)
    wait_for 10 test -S "$XDG_RUNTIME_DIR/wayland-cr" || fail "weston did not start"
    export WAYLAND_DISPLAY=wayland-cr QT_QPA_PLATFORM=wayland
    unset DISPLAY
    ;;
*) fail "unknown display kind" ;;
esac

"$@"
status=$?

# The tool itself, on an empty documents folder, in a tool folder of its own.
mkdir -p "$scratch/tool" "$scratch/config"
cp "$tool" "$scratch/tool/"
printf 'XDG_DOCUMENTS_DIR="%s"\n' "$scratch/none" >"$scratch/config/user-dirs.dirs"
XDG_CONFIG_HOME=$scratch/config WAYLAND_DEBUG=client "$scratch/tool/$(basename "$tool")" \
    >/dev/null 2>"$scratch/tool.log" &
pids+=($!)
cd "$scratch"
case $kind in
x11)
    wait_for 10 xdotool search --onlyvisible --name "^Configuration Report - " ||
        fail "the tool's window did not appear"
    window=$(xdotool search --onlyvisible --name "^Configuration Report - " | head -n1)
    xprop -id "$window" _NET_WM_ICON | grep -q "Icon (16 x 16)" ||
        fail "the tool's window has no 16-pixel icon"
    sleep 1
    import -window root "$shots/desktop.png" || fail "no screenshot"
    ;;
wayland)
    wait_for 10 grep -q 'xdg_toplevel@[0-9]*\.set_title("Configuration Report - ' tool.log ||
        fail "the tool's window did not appear"
    grep -q 'xdg_toplevel@[0-9]*\.set_app_id("configreport")' tool.log ||
        fail "the tool's window does not name its desktop entry"
    sleep 1
    timeout 20 weston-screenshooter || fail "no screenshot"
    mv wayland-screenshot-*.png "$shots/desktop.png"
    ;;
esac
exit $status
