#!/usr/bin/env bash
# run_unprivileged.sh PROGRAM ARGS...: runs a test program as an ordinary user, as a customer's
# own account runs the tool, so that what the system refuses such a user is refused: root
# passes every permission check, and the tests run as root in CI. As root, the program runs as
# nobody from a copy in a scratch folder of nobody's (the build tree may be out of its reach),
# with that folder for its temporary files; run by anyone else, it runs as that user.
set -euo pipefail
program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    exec "$program" "$@"
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$program" "$scratch/"
chown -R nobody:nogroup "$scratch"
chmod 755 "$scratch"
cd "$scratch"
TMPDIR=$scratch setpriv --reuid=nobody --regid=nogroup --clear-groups \
    "$scratch/$(basename "$program")" "$@"
