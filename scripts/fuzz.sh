#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and the sanitizers, replays the
# inputs saved in fuzz/regressions/ (named <target>-<anything>) once, then
# runs each target for a bounded time on a copy of its seed corpus. Inputs
# that fail are kept in build-fuzz/findings/.
# BYTEGLEANER_FUZZ_SECONDS sets the time per target (default 20).
set -euo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.."

seconds=${BYTEGLEANER_FUZZ_SECONDS:-20}
targets=(opcode_table_fuzzer preferences_fuzzer examination_fuzzer hints_fuzzer)
build=build-fuzz

scripts/install-packages.sh cmake make clang libclang-rt-14-dev
cmake -S . -B "$build" -DBYTEGLEANER_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DBYTEGLEANER_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

# The examination target's scratch folder goes here too, so one left by a
# fuzzer that ended without its exit handlers is still removed.
work=$(mktemp -d "${TMPDIR:-/tmp}/bytegleaner-fuzz-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
# Leaks are faults too; a run that ends on one must fail.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
for input in fuzz/regressions/*; do
  [[ " ${targets[*]} " == *" $(basename "${input%%-*}") "* ]] || failed+=("$input (name it <target>-<anything>)")
done
for target in "${targets[@]}"; do
  mkdir -p "$work/$target" "$work/$target-findings"
  cp -R "fuzz/corpus/$target/." "$work/$target/"
  options=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$work/$target-findings/")
  saved=(fuzz/regressions/"$target"-*)
  if { ((${#saved[@]} == 0)) || "$build/$target" "${options[@]}" "${saved[@]}"; } > "$work/log" 2>&1 &&
    "$build/$target" "$work/$target" -max_total_time="$seconds" -max_len=65536 "${options[@]}" >> "$work/log" 2>&1; then
    echo "$target: ok, $(grep -Eo '#[0-9]+.*cov: [0-9]+' "$work/log" | tail -1)"
  else
    tail -n 60 "$work/log"
    mkdir -p "$build/findings"
    for finding in "$work/$target-findings"/*; do cp -v "$finding" "$build/findings/$target-$(basename "$finding")"; done
    failed+=("$target")
  fi
done

((${#failed[@]} == 0)) || { echo "fuzzing failed: ${failed[*]}"; exit 1; }
