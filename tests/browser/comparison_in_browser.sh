#!/usr/bin/env bash
# Opens the comparison page that inspect_tests wrote (two reports of a tree whose configuration
# file holds a script element and an onerror attribute) in headless Chromium and checks that
# the hostile text is shown as text and never ran: the page's title is its own, and the page
# holds no script or image element.
#
#   comparison_in_browser.sh PAGE WORK
set -euo pipefail
page=$1 work=$2
source "$(dirname "$0")/headless_chromium.sh"
rm -rf "$work"
mkdir -p "$work"
dump_dom "$page" "$work"
grep -qF "&lt;script&gt;document.title='ran'&lt;/script&gt;" "$work/dom.htm" ||
    complain "the script element is not shown as text"
grep -qF "&lt;img src=x onerror=\"document.title='ran'\"&gt;" "$work/dom.htm" ||
    complain "the image with its onerror attribute is not shown as text"
grep -qi "<script\|<img" "$work/dom.htm" && complain "the page holds a script or image element"
grep -q "<title>Comparison of " "$work/dom.htm" || complain "the page's title changed: it ran"
grep -q "+ level=3" "$work/dom.htm" || complain "the changed line is not shown"
[ "$failed" -eq 0 ] || echo "the page as Chromium read it: $work/dom.htm"
exit "$failed"
