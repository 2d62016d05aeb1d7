#!/usr/bin/env bash
# scripts/setup-deps run by a normal user on a system without sudo: with packages missing it names
# them and the command for root, and ends failing without trying to install; with every package
# there it ends quietly, so the build and the tests go on as that user.
#   setup_deps_without_root.sh SOURCE_DIR      (within tests/isolate.sh)
set -uo pipefail
source_dir=$1
bin="$TORVANE_TEST_TMP/bin"
mkdir -p "$bin"
# Only what the script needs is on PATH, so a sudo on this machine stays out of reach.
for tool in bash grep; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
printf '#!/bin/sh\necho 1000\n' > "$bin/id"
printf '#!/bin/sh\necho "$*" >> "%s/apt-get.calls"\n' "$TORVANE_TEST_TMP" > "$bin/apt-get"
printf '#!/bin/sh\n[ -e "%s/all-installed" ] && printf "install ok installed"\n' "$TORVANE_TEST_TMP" > "$bin/dpkg-query"
chmod +x "$bin/id" "$bin/apt-get" "$bin/dpkg-query"

fail() { echo "$1"; echo "--- its output:"; cat "$TORVANE_TEST_TMP/out"; exit 1; }

PATH="$bin" "$source_dir/scripts/setup-deps" > "$TORVANE_TEST_TMP/out" 2>&1
status=$?
[ "$status" -ne 0 ] || fail "setup-deps ended well with packages missing and no way to install them"
grep -q 'needs root' "$TORVANE_TEST_TMP/out" || fail "setup-deps did not say that installing needs root"
grep -qE '^  apt-get update && apt-get install .*fonts-dejavu-core.*python3-gammu' "$TORVANE_TEST_TMP/out" \
  || fail "setup-deps did not give the command that installs the missing packages"
[ ! -e "$TORVANE_TEST_TMP/apt-get.calls" ] || fail "setup-deps ran apt-get without root"

touch "$TORVANE_TEST_TMP/all-installed"
PATH="$bin" "$source_dir/scripts/setup-deps" > "$TORVANE_TEST_TMP/out" 2>&1 \
  || fail "setup-deps failed for a normal user although every package is there"
[ ! -s "$TORVANE_TEST_TMP/out" ] || fail "setup-deps said something although every package is there"
echo "setup-deps tells a normal user without sudo what to install as root"
