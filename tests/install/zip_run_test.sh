#!/usr/bin/env bash
# zip_run_test.sh BUILD VERSION
# Packs the Windows zip of the build tree BUILD, unzips it into a scratch folder and checks
# what a packager gets: the three programs, the export's schema and the README, the icon and
# manifest in each program, the batch program run from the unzipped folder under Wine, writing
# its report beside itself, and that report read back by the report reader. Wine's prefix and
# server come from the test's environment.
set -euo pipefail
build=$1 version=$2
IFS=. read -r major minor patch <<<"$version"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

name=ConfigReport-$version-windows-x64
cpack -G ZIP -B "$scratch/packages" --config "$build/CPackConfig.cmake" >"$scratch/log" 2>&1 ||
    fail "cpack: $(tail -n 20 "$scratch/log")"
[ -f "$scratch/packages/$name.zip" ] || fail "no $name.zip"
unzip -q "$scratch/packages/$name.zip" -d "$scratch/unzipped"
folder=$scratch/unzipped/$name
shipped="ConfigReport-batch.exe ConfigReport-inspect.exe ConfigReport.exe README.txt"
shipped+=" configreport-report.schema.json "
[ "$(ls "$folder" | tr '\n' ' ')" = "$shipped" ] ||
    fail "the zip holds: $(cd "$scratch/unzipped" && find . -type f)"
grep -q $'ConfigReport-batch.exe \\[--open\\] \\[--version\\] \\[--help\\]\r$' "$folder/README.txt" ||
    fail "README.txt does not describe the unattended run in CR LF lines"

for program in ConfigReport.exe ConfigReport-batch.exe ConfigReport-inspect.exe; do
    wrestool -l --type=14 "$folder/$program" | grep -q . || fail "$program has no icon"
    manifest=$(wrestool -x --raw --type=24 "$folder/$program")
    for setting in '<longPathAware[^>]*>true<' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
        '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' 'Microsoft.Windows.Common-Controls'; do
        grep -q "$setting" <<<"$manifest" || fail "$program's manifest lacks $setting"
    done
done

cd "$folder"
for program in batch inspect; do
    printed=$(wine ConfigReport-$program.exe --version | tr -d '\r')
    [ "$printed" = "ConfigReport-$program v$major.$minor   (build $patch)" ] ||
        fail "$program --version printed: $printed"
done
report=$(wine ConfigReport-batch.exe 2>"$scratch/messages" | tr -d '\r') ||
    fail "the report run failed: $(cat "$scratch/messages")"
[ "${report##*\\}" = morvasoftware_bug_report.htm ] || fail "the report is named $report"
for file in morvasoftware_bug_report.htm style.css _tmpApps.txt ConfigReport-batch.log; do
    [ -f "$folder/$file" ] || fail "$file was not written beside the program"
done
tail -c 16 morvasoftware_bug_report.htm | grep -q '</BODY></HTML>' || fail "the report is incomplete"
wine ConfigReport-inspect.exe json morvasoftware_bug_report.htm -o report.json 2>"$scratch/problems" ||
    fail "the report reader did not read the report whole: $(cat "$scratch/problems")"
grep -q '"format":"configreport-report"' report.json || fail "the report reader wrote no export"
echo "unzipped and run under Wine: $name.zip"
