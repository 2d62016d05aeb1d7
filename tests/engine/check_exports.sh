#!/bin/sh
# Checks the dynamic symbols of libzeldll.so: it defines exactly the engine's exports (ZelSimPin
# as 12 bytes of data, the rest as functions), and of the suite's platform libraries it uses only
# the functions listed, which it imports from their shared libraries instead of carrying copies.
#   check_exports.sh LIBRARY EXPORTS-FILE IMPORTS-FILE
set -u
lib=$1
exports=$2
imports=$3
tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT
status=0

# Defined symbols; the sanitizer build adds its own "__odr_asan" markers, which are no exports.
nm -D --defined-only "$lib" | awk '{print $NF}' | grep -v '^__odr_asan' | sort -u > "$tmp/defined"
sort -u "$exports" > "$tmp/expected"
if ! diff -u "$tmp/expected" "$tmp/defined"; then
  echo "FAIL: defined dynamic symbols differ from $exports (- missing, + extra)"
  status=1
fi

line=$(nm -DS --defined-only "$lib" | awk '$NF == "ZelSimPin"')
size=$(echo "$line" | awk '{print $2}')
type=$(echo "$line" | awk '{print $3}')
case "$type" in
  B|D) ;;
  *) echo "FAIL: ZelSimPin is not exported as data: '$line'"; status=1 ;;
esac
if [ "$((0x${size:-0}))" -ne 12 ]; then
  echo "FAIL: ZelSimPin is ${size:-?} bytes, not 12 (0xc)"
  status=1
fi
for f in $(grep -v ZelSimPin "$exports"); do
  t=$(nm -D --defined-only "$lib" | awk -v f="$f" '$NF == f {print $2}')
  [ "$t" = T ] || { echo "FAIL: $f is not an exported function (type '$t')"; status=1; }
done

# Platform functions used: names (without parameter lists) of undefined symbols of our layers.
nm -DC --undefined-only "$lib" | sed 's/^ *U //; s/(.*//; s/@.*//' |
  grep -E '^(torvane::|messaging::|PostMessage$|SendMessage$|SendMessageTimeout$|FindWindow|IsWindow$)' |
  sort -u > "$tmp/used"
sort -u "$imports" > "$tmp/allowed"
if ! diff -u "$tmp/allowed" "$tmp/used"; then
  echo "FAIL: platform functions used differ from $imports (- not used, + not listed)"
  status=1
fi
for dep in libtorvane_messaging.so libtorvane_sharedmem.so; do
  readelf -d "$lib" | grep -q "NEEDED.*\[$dep\]" || { echo "FAIL: $lib does not load $dep"; status=1; }
done

[ "$status" = 0 ] && echo "libzeldll.so exports $(wc -l < "$tmp/defined") symbols as listed"
exit $status
