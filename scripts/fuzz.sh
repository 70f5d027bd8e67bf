#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and the sanitizers, runs each for a
# bounded time on a copy of its seed corpus, then replays every saved input
# in fuzz/regressions/ (named <target>-<anything>) once. Inputs that fail
# are kept in build-fuzz/findings/.
# BYTEGLEANER_FUZZ_SECONDS sets the time per target (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${BYTEGLEANER_FUZZ_SECONDS:-20}
targets=(opcode_table_fuzzer preferences_fuzzer examination_fuzzer hints_fuzzer)
build=build-fuzz

scripts/install-packages.sh cmake make clang libclang-rt-14-dev

cmake -S . -B "$build" -DBYTEGLEANER_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DBYTEGLEANER_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

work=$(mktemp -d "${TMPDIR:-/tmp}/bytegleaner-fuzz-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
# The examination target's scratch folder goes here too, so one left by a
# fuzzer that ended without its exit handlers is still removed.
export TMPDIR="$work"
# Leaks are faults too; a run that ends on one must fail.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
summaries=()
for target in "${targets[@]}"; do
  corpus="$work/corpus-$target"
  artifacts="$work/artifacts-$target"
  mkdir -p "$corpus" "$artifacts"
  cp -R "fuzz/corpus/$target/." "$corpus/"
  log="$work/$target.log"
  echo "== $target: ${seconds}s"
  status=0
  "$build/$target" "$corpus" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" > "$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  coverage=$(grep -Eo 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
  size=$(find "$corpus" -type f | wc -l)
  if ((status != 0)); then
    tail -n 60 "$log"
    for artifact in "$artifacts"/*; do
      [[ -e $artifact ]] || continue
      mkdir -p "$build/findings"
      cp "$artifact" "$build/findings/$target-$(basename "$artifact")"
      echo "kept $build/findings/$target-$(basename "$artifact")"
    done
    failed+=("$target")
  fi
  summaries+=("$target: $( ((status == 0)) && echo ok || echo FAILED ), ${runs:-?} executions, ${rate:-?}/s, ${coverage:-no coverage line}, corpus $size files")
done

shopt -s nullglob
for input in fuzz/regressions/*; do
  target=""
  for candidate in "${targets[@]}"; do
    [[ $(basename "$input") == "$candidate"-* ]] && target=$candidate
  done
  if [[ -z $target ]]; then
    echo "no target for $input (name it <target>-<anything>)"
    failed+=("$input")
    continue
  fi
  if "$build/$target" -timeout=10 -rss_limit_mb=2048 "$input" > "$work/replay.log" 2>&1; then
    summaries+=("replayed $input: ok")
  else
    tail -n 60 "$work/replay.log"
    summaries+=("replayed $input: FAILED")
    failed+=("$input")
  fi
done

printf '%s\n' "${summaries[@]}"
if ((${#failed[@]})); then
  echo "fuzzing failed: ${failed[*]}"
  exit 1
fi
