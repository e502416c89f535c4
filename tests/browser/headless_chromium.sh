# Sourced by the browser tests: headless Chromium and a tally of what a test found wrong.

# Chromium reserves far more address space than it uses; under a limit on it (as a test
# harness may set) the browser aborts at start, so the test is skipped rather than failed.
if [ "$(ulimit -v)" != unlimited ]; then
    echo "skipped: address space limited to $(ulimit -v) KiB, too little for Chromium"
    exit 77
fi

# dump_dom PAGE WORK: writes WORK/dom.htm, the page as the browser parsed it (so its text
# shows how the page's bytes were decoded) after its scripts, if any, ran.
dump_dom() {
    chromium --headless=new --no-sandbox --disable-gpu --user-data-dir="$2/chromium" \
        --dump-dom "file://$1" >"$2/dom.htm" 2>"$2/chromium.log"
}

failed=0
complain() {
    echo "$*"
    failed=1
}
