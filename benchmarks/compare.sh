#!/usr/bin/env bash
# Times bytegleaner-cli against GNU objdump for the Z80 (a linear sweep that
# does less work than a trace) and z80dasm on the same generated images,
# and prints a Markdown table with the ratios and peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
for tool in /usr/bin/time:time z80-unknown-coff-objdump:binutils-z80 z80dasm:z80dasm; do
  command -v "${tool%%:*}" > /dev/null || need+=("${tool##*:}")
done
if ((${#need[@]})); then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"
fi

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBYTEGLEANER_BENCHMARKS=ON -DBYTEGLEANER_TESTS=OFF > /dev/null
cmake --build build-bench -j "$(nproc)" --target examine_benchmark bytegleaner-cli > /dev/null
cli="$PWD/build-bench/bytegleaner-cli"
images=$(mktemp -d)
trap 'rm -rf "$images"' EXIT
./build-bench/examine_benchmark --write-images "$images"
cd "$images"

# Best of five: wall seconds, user seconds, peak KB.
best() {
  local best_wall=999 best="" wall user memory
  for _ in 1 2 3 4 5; do
    # Each examination starts as the first one does, with no output to replace.
    rm -f ./*.asm ./*.dat.*
    /usr/bin/time -o measured -f "%e %U %M" "$@" > /dev/null 2>&1
    read -r wall user memory < measured
    if awk "BEGIN{exit !($wall < $best_wall)}"; then best_wall=$wall best="$wall $user $memory"; fi
  done
  echo "$best"
}
ratio() { awk "BEGIN{printf \"%.2f\", $1 / $2}"; }

echo "| image | bytegleaner-cli | peak memory | peer | peer time | ratio |"
echo "|---|---|---|---|---|---|"
for image in dense-4mb.sms paged-dense-4mb.sms random-4mb.sms game-512kb.sms; do
  read -r ours _ memory <<< "$(best "$cli" "$image")"
  read -r theirs _ _ <<< "$(best z80-unknown-coff-objdump -D -b binary -m z80 "$image")"
  echo "| $image | ${ours} s | $((memory / 1024)) MB | objdump -D | ${theirs} s | $(ratio "$ours" "$theirs") |"
done
read -r ours _ memory <<< "$(best "$cli" dense-64kb.sms)"
read -r theirs _ _ <<< "$(best z80dasm -a -l -g 0 dense-64kb.sms)"
echo "| dense-64kb.sms | ${ours} s | $((memory / 1024)) MB | z80dasm -a -l -g 0 | ${theirs} s | $(ratio "$ours" "$theirs") |"
