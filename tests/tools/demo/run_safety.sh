#!/usr/bin/env bash
# scripts/run as a user meets it from a folder of their own: a folder of theirs given as the
# profile is refused and left as it was, relative --build and --profile are taken from where the
# command runs, --fresh makes its own profile anew, and a Corvant that cannot reach a display
# fails the command without leaving the phone running.
#   run_safety.sh SOURCE_DIR BUILD_DIR      (within tests/isolate.sh)
set -uo pipefail
source_dir=$1
build_dir=$2
run="$source_dir/scripts/run"
work="$TORVANE_TEST_TMP/a working folder"
mkdir -p "$work"
cd "$work" || exit 1
# A build folder named with blanks, given relative to the working folder.
ln -s "$build_dir" "the build"
export CORVANT_TIMER_PERIODS=50,200

fail() { echo "FAIL: $*"; exit 1; }

# Processes whose command line holds the argument $1 exactly.
processes_with() {
  local dir
  for dir in /proc/[0-9]*; do
    tr '\0' '\n' 2>/dev/null < "$dir/cmdline" | grep -qxF -- "$1" && echo "${dir#/proc/}"
  done
}
stop() {
  local pid
  for pid in "$@"; do kill "$pid" 2>/dev/null; done
  for pid in "$@"; do
    local deadline=$((SECONDS + 30))
    while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
  done
}
# Whatever a run left behind, also one that should not have started anything.
cleanup() {
  local profile pids
  for profile in mine "no display" "my demo"; do
    mapfile -t pids < <(awk '{print $2}' "$work/$profile/pids" 2>/dev/null
                        processes_with "$work/$profile/config/torvane/ports/COM1")
    stop "${pids[@]}"
  done
}
trap cleanup EXIT

# A folder of the user's is neither wiped nor filled, with or without --fresh.
mkdir "mine"
printf 'a letter\n' > "mine/letter.txt"
cp "mine/letter.txt" letter.copy
for fresh in --fresh ""; do
  "$run" --build "$build_dir" --profile "$work/mine" ${fresh:+"$fresh"} --detach > out.txt 2> err.txt \
    && fail "scripts/run $fresh took a folder of the user's as its profile"
  grep -qF "$work/mine" err.txt || { cat out.txt err.txt; fail "the refusal does not name the folder"; }
  cmp "mine/letter.txt" letter.copy || fail "the user's file was changed"
  [ "$(ls -A mine)" = letter.txt ] || { ls -A mine; fail "scripts/run put files into the user's folder"; }
done

# Without a display Corvant cannot start: the command fails with Corvant's own message and
# stops the phone it started.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$run" --build "$build_dir" --profile "$work/no display" --fresh --detach > out.txt 2> err.txt \
  && fail "scripts/run --detach succeeded although Corvant had no display"
grep -q 'Corvant did not start' err.txt || { cat out.txt err.txt; fail "no word that Corvant did not start"; }
grep -q 'could not connect to display' err.txt || { cat err.txt; fail "Corvant's own message is not shown"; }
[ -z "$(processes_with "$work/no display/config/torvane/ports/COM1")" ] || fail "the phone was left running"
grep -qs '^corvant' "no display/pids" && fail "the pids file claims a Corvant that is not running"

# Relative paths from the working folder, twice: the second --fresh makes the profile anew.
for round in 1 2; do
  "$run" --build "the build" --profile "my demo" --fresh --detach || fail "the demo did not start (round $round)"
  [ ! -e "my demo/data/torvane/sms_out/SMSleft.tmp" ] || fail "--fresh kept a file of the old profile"
  sim=$(awk '$1 == "phonesim" {print $2}' "my demo/pids")
  corvant=$(awk '$1 == "corvant" {print $2}' "my demo/pids")
  deadline=$((SECONDS + 60))
  until grep -qF 'AT+CGMI' "my demo/transcript.log" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$corvant" 2>/dev/null; then
      cat "my demo/corvant.log"
      fail "Corvant did not ask the demo phone who it is (round $round)"
    fi
    sleep 0.1
  done
  stop "$corvant" "$sim"
  printf 'left over\n' > "my demo/data/torvane/sms_out/SMSleft.tmp"
done
echo "scripts/run keeps to its own profile, takes relative paths and fails without a display"
