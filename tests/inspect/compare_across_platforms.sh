#!/usr/bin/env bash
# The comparison that inspect_tests made on each platform (exchange/: old.htm, new.htm and
# comparison.json), made again by the other platform's program: Windows reports (code page
# 1252) read on Linux, Linux reports (UTF-8) read under Wine. Each must find exactly what the
# report's own platform found, and mask a report as the other does. Needs both build trees;
# skipped (77) without the Linux one.
#
#   compare_across_platforms.sh LINUX_BUILD WINDOWS_INSPECT WINDOWS_EXCHANGE WINE_RUN WORK
set -euo pipefail
linux_build=$1 windows_inspect=$2 windows_exchange=$3 wine_run=$4 work=$5
linux_inspect=$linux_build/bin/configreport-inspect
linux_exchange=$linux_build/tests/inspect/exchange
for needed in "$linux_inspect" "$linux_exchange/comparison.json" "$windows_exchange/comparison.json"; do
    if [ ! -e "$needed" ]; then
        echo "skipped: no $needed (run the linux tests first)"
        exit 77
    fi
done
rm -rf "$work"
mkdir -p "$work"

# compare OUTPUT PROGRAM...: runs a comparison, which must find differences (exit status 1).
compare() {
    local output=$1 status=0
    shift
    "$@" >"$output" || status=$?
    [ "$status" -eq 1 ] || { echo "$* ended with $status"; exit 1; }
}
# same A B: the two comparisons agree in all but the reports' file names.
same() {
    /usr/bin/python3 - "$1" "$2" <<'PYTHON'
import json, sys
a, b = (json.load(open(name, encoding="utf-8")) for name in sys.argv[1:3])
for comparison in (a, b):
    for side in ("before", "after"):
        del comparison[side]["report"]
if a != b:
    print(f"{sys.argv[1]} differs from {sys.argv[2]}")
    sys.exit(1)
PYTHON
}

compare "$work/windows-reports-on-linux.json" \
    "$linux_inspect" compare --json "$windows_exchange/old.htm" "$windows_exchange/new.htm"
same "$work/windows-reports-on-linux.json" "$windows_exchange/comparison.json"
compare "$work/linux-reports-under-wine.json" "$wine_run" "$windows_inspect" compare --json \
    "Z:$linux_exchange/old.htm" "Z:$linux_exchange/new.htm"
same "$work/linux-reports-under-wine.json" "$linux_exchange/comparison.json"
# masked EXCHANGE NAME: the old report of EXCHANGE masked, with the names, by each program;
# the two copies are the same, byte for byte.
masked() {
    "$linux_inspect" mask --mask-names "$1/old.htm" -o "$work/$2-on-linux.htm" 2>/dev/null
    "$wine_run" "$windows_inspect" mask --mask-names "Z:$1/old.htm" -o "Z:$work/$2-under-wine.htm" \
        2>/dev/null
    cmp "$work/$2-on-linux.htm" "$work/$2-under-wine.htm"
}
masked "$windows_exchange" windows-report
masked "$linux_exchange" linux-report
echo "each platform's program finds and masks what the other's does"
