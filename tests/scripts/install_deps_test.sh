#!/usr/bin/env bash
# scripts/install-deps run by a user without root and without sudo: it names
# the missing packages and how to install them, and fails.
set -euo pipefail
top=$1
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/scripts" "$sandbox/bin"
cp "$top/scripts/install-deps" "$sandbox/scripts/"
printf '# test list\nbash\ntarvex-no-such-package\n' >"$sandbox/scripts/debian-packages.txt"
# A PATH with the tools the script uses, an id that says "not root", and no sudo.
for tool in bash grep dpkg-query dirname cat; do ln -s "$(command -v "$tool")" "$sandbox/bin/$tool"; done
printf '#!/bin/sh\necho 1000\n' >"$sandbox/bin/id"
chmod +x "$sandbox/bin/id"
set +e
out=$(PATH="$sandbox/bin" bash "$sandbox/scripts/install-deps" 2>&1)
status=$?
set -e
echo "$out"
[ "$status" -ne 0 ] || { echo "FAIL: exit status 0"; exit 1; }
grep -q 'tarvex-no-such-package' <<<"$out" || { echo "FAIL: missing package not named"; exit 1; }
grep -q 'apt-get install' <<<"$out" || { echo "FAIL: no install command"; exit 1; }
if grep -q 'command not found' <<<"$out"; then echo "FAIL: ran a missing command"; exit 1; fi
if grep -q 'bash' <<<"$(grep 'missing' <<<"$out")"; then echo "FAIL: named an installed package"; exit 1; fi
echo "PASS"
