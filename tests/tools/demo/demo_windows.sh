#!/usr/bin/env bash
# The demo as a newcomer meets it, on a virtual X display: scripts/run starts the phone and Corvant
# from a fresh demo profile, and demo-windows starts the other programs from Corvant's launcher
# and checks each window on the screen with its data. Skipped (77) where no X server can be
# started.
#   demo_windows.sh SOURCE_DIR BUILD_DIR [SHOTS_DIR]      (SHOTS_DIR keeps the windows' PNGs)
set -uo pipefail
source_dir=$1
build_dir=$2
shots=${3:-}

if [ -z "${DEMO_WINDOWS_ON_X:-}" ]; then
  if ! command -v xvfb-run > /dev/null || ! command -v Xvfb > /dev/null; then
    echo "SKIP: xvfb-run or Xvfb is not installed, so no X server can be started for the demo"
    exit 77
  fi
  work=$(mktemp -d "${TMPDIR:-/tmp}/torvane-demo.XXXXXX") || exit 1
  trap 'rm -rf "$work"' EXIT
  DEMO_WINDOWS_ON_X=1 xvfb-run -a -s '-screen 0 1280x1024x24' -e "$work/xvfb.log" \
    "$0" "$source_dir" "$build_dir" "${shots:-$work/shots}" "$work"
  rc=$?
  # xvfb-run itself fails with 1 before running anything when the server does not come up.
  if [ "$rc" != 0 ] && [ ! -e "$work/started" ]; then
    echo "SKIP: no X server could be started for the demo:"
    cat "$work/xvfb.log"
    exit 77
  fi
  exit $rc
fi

work=$4
touch "$work/started"
profile="$work/profile"
mkdir -p "$shots"
# The programs' boxes are answered and logged: the waiting message is sent, the new melody is not
# saved at the end, and any other box (an error) fails the run, but for the melody editor's
# notice on a machine without MIDI output.
printf 'CSmsPreviewDlg\tOK\nMessageBox\tNo\n' > "$work/answers"
export TORVANE_UI_SCRIPT="$work/answers" TORVANE_UI_LOG="$work/boxes.log" QT_QPA_PLATFORM=xcb
# Quoted: the sanitizers split their options at blanks, which the checkout's path may hold.
export LSAN_OPTIONS="suppressions=\"$source_dir/tests/support/xcb_leaks.supp\"${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

export XDG_CONFIG_HOME="$profile/config" XDG_DATA_HOME="$profile/data" XDG_RUNTIME_DIR="$profile/run"
"$source_dir/scripts/run" --build "$build_dir" --profile "$profile" --fresh --detach || exit 1
sim=$(awk '$1 == "phonesim" {print $2}' "$profile/pids")
corvant=$(awk '$1 == "corvant" {print $2}' "$profile/pids")
end_demo() {
  # Closing Corvant's window ends what it started; the phone ends on its signal.
  "$build_dir/tests/tools/demo/demo-windows" --close > /dev/null 2>&1
  for _ in $(seq 300); do kill -0 "$corvant" 2> /dev/null || break; sleep 0.1; done
  kill "$corvant" 2> /dev/null
  kill "$sim" 2> /dev/null
  true
}
trap end_demo EXIT

"$build_dir/tests/tools/demo/demo-windows" "$shots"
rc=$?
echo "boxes the programs showed:"
cat "$work/boxes.log" 2> /dev/null
# Corvant takes one message off the phone every 15 seconds; when the demo ends before the second
# part of the two-part message arrived, Corvant keeps the first as an incomplete message and says
# so on its way out. Which way it goes depends on how busy the machine is.
if grep -v -e '^CSmsPreviewDlg' -e 'Cannot find any MIDI-device' -e 'Save changes to RingToneEditor1' \
          -e 'Incomplete concatenated message was saved' \
     "$work/boxes.log" 2> /dev/null | grep -q .; then
  echo "FAIL: a program showed a box besides the waiting message's"
  rc=1
fi
[ "$rc" = 0 ] || { echo "Corvant's output:"; cat "$profile/corvant.log"; }
exit $rc
