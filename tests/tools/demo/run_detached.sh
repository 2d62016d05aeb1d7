#!/usr/bin/env bash
# scripts/run as a test script starts the demo: a fresh profile made from tools/demo/profile, the
# simulated phone and Corvant in the background with their process ids in the profile, and
# Corvant asking the phone who it is (on the offscreen platform here, under Xvfb elsewhere).
#   run_detached.sh SOURCE_DIR BUILD_DIR      (within tests/isolate.sh)
set -euo pipefail
source_dir=$1
build_dir=$2
profile="$TORVANE_TEST_TMP/demo"

"$source_dir/scripts/run" --build "$build_dir" --profile "$profile" --fresh --detach
sim=$(awk '$1 == "phonesim" {print $2}' "$profile/pids")
corvant=$(awk '$1 == "corvant" {print $2}' "$profile/pids")
trap 'kill "$corvant" 2>/dev/null; kill "$sim" 2>/dev/null; true' EXIT

for file in phone.json config/torvane/HKEY_CURRENT_USER.reg config/torvane/HKEY_LOCAL_MACHINE.reg \
            data/torvane/calendar.ics data/torvane/addressbook/demo-g01.vcf data/torvane/sms_out/SMSdemo.tmp; do
  [ -s "$profile/$file" ] || { echo "the fresh profile lacks $file"; exit 1; }
done

deadline=$((SECONDS + 60))
until grep -qF 'AT+CGMI' "$profile/transcript.log" 2>/dev/null; do
  if [ $SECONDS -ge $deadline ] || ! kill -0 "$corvant" 2>/dev/null; then
    echo "Corvant did not ask the demo phone who it is"
    cat "$profile/corvant.log"
    exit 1
  fi
  sleep 0.1
done
echo "Corvant talks to the demo phone"
