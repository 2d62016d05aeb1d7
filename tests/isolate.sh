#!/bin/sh
# Runs one test program in private XDG folders and with the offscreen Qt platform,
# so no test sees the user's settings, data or message endpoints, nor another test's.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/torvane-test.XXXXXX") || exit 1
mkdir -p "$tmp/config" "$tmp/data" "$tmp/run"
chmod 700 "$tmp/run"
XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run" \
  QT_QPA_PLATFORM=offscreen TORVANE_TEST_TMP="$tmp" "$@"
rc=$?
rm -rf "$tmp"
exit $rc
