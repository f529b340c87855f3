#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for SECONDS seconds (default 30), starting from the seeds in
# tests/fuzz/corpus/<target>/. A target that finds a crash, a leak, a hang (10 s for one input)
# or a broken property stops the script with a failure; the input is kept in build-fuzz/findings/.
# FUZZ_SEED fixes libFuzzer's random seed, so that a run can be repeated input for input (CI
# sets it: its result then depends on the code, not on chance).
# For long runs: FUZZ_RUNS=N runs each target for N executions instead of a time; FUZZ_TARGETS
# names the targets to run (all by default); FUZZ_SANITIZERS=undefined builds without
# AddressSanitizer (several times faster) into build-fuzz-undefined/.
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

packages=(clang libclang-rt-14-dev cmake make qt6-base-dev libgl-dev libdeflate-dev)
bash scripts/install-packages.sh "${packages[@]}"

sanitizers=${FUZZ_SANITIZERS:-address,undefined}
build=build-fuzz
[ "$sanitizers" != "address,undefined" ] && build=build-fuzz-${sanitizers//,/-}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++ CC=clang cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSPLITDUEL_FUZZ=ON -DSPLITDUEL_FUZZ_SANITIZERS="$sanitizers" "${launcher[@]}" > /dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_targets

mkdir -p "$build/findings"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
# The targets write their inputs to files: keep those in memory when the machine can.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
status=0
limit=(-max_total_time="$seconds")
[ -n "${FUZZ_RUNS:-}" ] && limit=(-runs="$FUZZ_RUNS")
for target in ${FUZZ_TARGETS:-$(cat "$build/tests/fuzz/targets.txt")}; do
  seeds=tests/fuzz/corpus/$target
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  echo "== $target: ${FUZZ_RUNS:-${seconds}s}${FUZZ_RUNS:+ runs}"
  seed=()
  [ -n "${FUZZ_SEED:-}" ] && seed=(-seed="$FUZZ_SEED")
  if ! "$build/tests/fuzz/$target" "$corpus" "$seeds" "${seed[@]}" "${limit[@]}" -timeout=10 \
        -rss_limit_mb=2560 -max_len=65536 -artifact_prefix="$build/findings/$target-" \
        -print_final_stats=1 2> "$build/$target.log"; then
    tail -n 40 "$build/$target.log"
    status=1
  fi
  grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$build/$target.log" | tail -n 2 || true
done
exit $status
