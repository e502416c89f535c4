#!/usr/bin/env bash
# deb_install_test.sh BUILD VERSION
# Packs the Debian package of the build tree BUILD, installs it on this machine with apt (as a
# customer would, so its declared dependencies are resolved), runs the installed programs as
# the user nobody and as root, checks where their files landed, and removes the package again,
# also when a check fails. Needs root; skipped (77) without it, and when configreport is
# installed here already, so that a real installation is never touched.
set -euo pipefail
build=$1 version=$2
IFS=. read -r major minor patch <<<"$version"
if [ "$(id -u)" -ne 0 ]; then
    echo "needs root to install the package: skipped"
    exit 77
fi
if dpkg-query -W -f='${Status}' configreport 2>/dev/null | grep -q 'install ok installed'; then
    echo "configreport is installed on this machine already: left alone, skipped"
    exit 77
fi

# apt as this test runs it: without questions, waiting for another run's hold on the package
# database instead of failing at once.
quiet_apt() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 -y -qq "$@"; }

scratch=$(mktemp -d)
installed=
cleanup() {
    if [ -n "$installed" ]; then
        quiet_apt purge configreport >/dev/null 2>&1 || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB -B "$scratch/packages" --config "$build/CPackConfig.cmake" >"$scratch/log" 2>&1 ||
    fail "cpack: $(tail -n 20 "$scratch/log")"
deb=$scratch/packages/configreport_${version}_amd64.deb
[ -f "$deb" ] || fail "no $(basename "$deb")"

# What the package holds and what it asks for.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$scratch/contents"
for file in /usr/bin/configreport /usr/bin/configreport-batch /usr/bin/configreport-inspect \
    /usr/share/doc/configreport/configreport-report.schema.json \
    /usr/share/applications/configreport.desktop \
    /usr/share/icons/hicolor/16x16/apps/configreport.png \
    /usr/share/icons/hicolor/256x256/apps/configreport.png \
    /usr/share/icons/hicolor/scalable/apps/configreport.svg; do
    grep -qx "$file" "$scratch/contents" || fail "the package lacks $file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-qpa-plugins; do
    [[ $depends == *"$dependency"* ]] || fail "Depends lacks $dependency: $depends"
done

quiet_apt install --no-install-recommends "$deb" \
    >"$scratch/log" 2>&1 || fail "apt could not install the package: $(tail -n 20 "$scratch/log")"
installed=yes
desktop-file-validate /usr/share/applications/configreport.desktop ||
    fail "the desktop entry is not valid"

# run USER HOME ARGS...: the installed unattended run as USER with HOME, from a neutral folder.
run() {
    local user=$1 home=$2
    shift 2
    (cd / && runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$home" configreport-batch "$@")
}

mkdir -m 755 "$scratch/nobody" "$scratch/root"
mkdir -m 700 "$scratch/nobody/runtime"
chown nobody "$scratch/nobody" "$scratch/nobody/runtime"
chmod 755 "$scratch"
[ "$(run nobody "$scratch/nobody" --version)" = "configreport-batch v$major.$minor   (build $patch)" ] ||
    fail "--version printed: $(run nobody "$scratch/nobody" --version)"
[ "$(configreport-inspect --version)" = "configreport-inspect v$major.$minor   (build $patch)" ] ||
    fail "configreport-inspect --version printed: $(configreport-inspect --version)"

# A user cannot write to /usr/bin, and root must not: both get their own state folder.
for user in nobody root; do
    folder=$scratch/$user/.local/state/configreport
    report=$(run "$user" "$scratch/$user") || fail "the report as $user ended with $?"
    [ "$report" = "$folder/morvasoftware_bug_report.htm" ] || fail "$user's report went to $report"
    tail -c 16 "$report" | grep -q '</BODY></HTML>' || fail "$user's report is incomplete"
    for file in style.css _tmpApps.txt configreport-batch.log; do
        [ -f "$folder/$file" ] || fail "$user's $file is not in $folder"
    done
    [ "$(stat -c %U "$report")" = "$user" ] || fail "$user's report belongs to someone else"
    # The installed reader reads it back whole, as the user.
    (cd / && runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$scratch/$user" \
        configreport-inspect json "$report" -o "$scratch/$user/report.json") ||
        fail "configreport-inspect did not read $user's report whole"
    /usr/bin/python3 -c 'import json, sys; json.load(open(sys.argv[1]))' "$scratch/$user/report.json" ||
        fail "configreport-inspect wrote no JSON"
done
for file in morvasoftware_bug_report.htm style.css _tmpApps.txt configreport-batch.log; do
    [ ! -e "/usr/bin/$file" ] || fail "/usr/bin/$file was written"
done

# The window starts from the installed copy with the libraries the package pulled in.
status=0
(cd / && runuser -u nobody -- env -i PATH=/usr/bin:/bin HOME="$scratch/nobody" \
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/nobody/runtime" timeout 3 configreport) \
    >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the window ended at once with status $status"

quiet_apt purge configreport >/dev/null
installed=
[ ! -e /usr/bin/configreport-batch ] || fail "the package left /usr/bin/configreport-batch"
echo "installed, run as nobody and root, removed: $(basename "$deb")"
