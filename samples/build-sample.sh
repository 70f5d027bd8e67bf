#!/usr/bin/env bash
# Assembles sample.asm into sample.sms (48 KB) with pasmo and fills in the
# cartridge header checksum. The ROM is committed, so only people changing
# the sample need pasmo (apt-get install pasmo).
#   build-sample.sh          rebuild sample.sms
#   build-sample.sh --check  fail if sample.sms differs from what the source gives
set -euo pipefail
cd "$(dirname "$0")"

readonly rom_size=49152
readonly header_checksum_at=$((0x7FFA))
readonly checksummed_bytes=$((0x7FF0))

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$work/sample.sms"

# pasmo only warns when a "ds target - \$" pad goes negative (code grew past a
# fixed address), so any warning is treated as an error.
if ! pasmo sample.asm "$out" > "$work/log" 2>&1 || grep -qi 'warning\|error' "$work/log"; then
  cat "$work/log" >&2
  exit 1
fi

size=$(stat -c %s "$out")
if (( size > rom_size )); then
  echo "sample.asm assembles to $size bytes, more than $rom_size" >&2
  exit 1
fi
truncate -s "$rom_size" "$out"

sum=$(head -c "$checksummed_bytes" "$out" | od -An -v -tu1 | awk '{ for (i = 1; i <= NF; i++) s += $i } END { print s % 65536 }')
printf "\\$(printf %03o $((sum & 0xFF)))\\$(printf %03o $((sum >> 8)))" |
  dd of="$out" bs=1 seek="$header_checksum_at" conv=notrunc status=none

if [[ "${1:-}" == --check ]]; then
  if ! cmp -s "$out" sample.sms; then
    echo "sample.sms is out of date: run samples/build-sample.sh" >&2
    exit 1
  fi
  exit 0
fi
mv "$out" sample.sms
