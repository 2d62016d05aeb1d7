#!/usr/bin/env bash
# Runs random-input on a virtual X display of its own, in a new folder for its profile and logs
# that is removed afterwards (kept, and named, when the run failed). Skipped (77) where no X
# server can be started.
#   random_input.sh RANDOM_INPUT [random-input options...]
set -uo pipefail
program=$1
shift
if ! command -v xvfb-run > /dev/null || ! command -v Xvfb > /dev/null; then
  echo "SKIP: xvfb-run or Xvfb is not installed, so no X server can be started"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/torvane-random-input.XXXXXX") || exit 1
# Nothing owns the clipboard on a new display, as after a login.
xvfb-run -a -s '-screen 0 1280x1024x24' -e "$work/xvfb.log" "$program" --work "$work/run" "$@"
rc=$?
if [ "$rc" = 0 ]; then
  rm -rf "$work"
else
  echo "random_input: the profile and the programs' logs are kept in $work/run"
fi
exit $rc
