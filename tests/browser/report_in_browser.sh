#!/usr/bin/env bash
# Makes a report with the unattended run of a product folder whose names and text are not
# ASCII, opens it in headless Chromium and checks what a reader sees there: the names and the
# text decoded right, a name the code page cannot hold shown as "?", every link of the page
# leading to an anchor of the page, and the mail link carrying its subject and body.
#
#   report_in_browser.sh linux BATCH WORK
#   report_in_browser.sh win32 BATCH WORK WINE_RUN   (WINEPREFIX set, Wine started)
set -euo pipefail
platform=$1 batch=$2 work=$3 wine_run=${4:-}
source "$(dirname "$0")/headless_chromium.sh"

rm -rf "$work"
mkdir -p "$work/tool"
# The report, its style sheet, list files and log go beside the program.
cp "$batch" "$work/tool/"
tool="$work/tool/$(basename "$batch")"

if [ "$platform" = win32 ]; then
    # C:\velldata is one of the places the tool looks for products; it is removed again so that
    # no other test of this Wine prefix finds it.
    product_root="$WINEPREFIX/drive_c/velldata"
    trap 'rm -rf "$product_root"' EXIT
    product="$product_root/Übersicht"
    mkdir -p "$product"
    printf 'name=Gr\xfc\xdfe\r\n' >"$product/café.ini"  # code page 1252
    printf 'omega=1\r\n' >"$product/Ωmega.ini"         # a name outside code page 1252
    expected=("Übersicht" "café.ini" "name=Grüße" "?mega.ini" "omega=1")
    run=("$wine_run" "$tool")
else
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    product="$HOME/Documents/morvasoftware/Übersicht"
    mkdir -p "$product"
    printf 'name=Grüße\n' >"$product/café.ini"
    expected=("Übersicht" "café.ini" "name=Grüße")
    run=("$tool")
fi

if ! "${run[@]}" >"$work/batch.out" 2>"$work/batch.err"; then
    echo "the unattended run failed:"
    cat "$work/batch.err"
    exit 1
fi
dump_dom "$work/tool/morvasoftware_bug_report.htm" "$work"

for text in "${expected[@]}"; do
    grep -qF -- "$text" "$work/dom.htm" || complain "not shown: $text"
done

links=$(grep -o 'href="#[^"]*"' "$work/dom.htm" | sed 's/^href="#//; s/"$//' | sort -u)
anchors=$(grep -oE '(name|id)="[^"]*"' "$work/dom.htm" | sed -E 's/^(name|id)="//; s/"$//' |
    sort -u)
for wanted in top sysinfo proc files002 inifiles002 logfiles002 datfiles002; do
    grep -qx -- "$wanted" <<<"$links" || complain "no link to #$wanted"
done
for missing in $(comm -23 <(echo "$links") <(echo "$anchors")); do
    complain "link to #$missing, which the page does not hold"
done

nbsp='&nbsp;'
body="NOTE${nbsp}-${nbsp}please${nbsp}attach${nbsp}the${nbsp}report${nbsp}file${nbsp}"
mail_link='href="mailto:support@morvasoftware\.com\?subject=[Cc]onfig[Rr]eport-batch_[0-9]+\.[0-9]+\.[0-9]+'
mail_link+="&amp;body=${body}[^\"]*morvasoftware_bug_report\\.htm${nbsp}to${nbsp}this${nbsp}email"
mail_link+="${nbsp}before${nbsp}sending\""
grep -qE -- "$mail_link" "$work/dom.htm" ||
    complain "no mail link with subject and body: $(grep -o 'href="mailto:[^"]*"' "$work/dom.htm")"

[ "$failed" -eq 0 ] || echo "the page as Chromium read it: $work/dom.htm"
exit "$failed"
