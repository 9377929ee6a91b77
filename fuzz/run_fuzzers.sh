#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build, one after another, each for SECONDS with its seeds
# and dictionary, and fails when any of them reports a crash, a leak, a timeout or running out
# of memory. Inputs that reach new code are kept in BUILD/fuzz-corpus/TARGET (the seeds in
# BUILD/fuzz-data stay as the build made them); logs and the inputs that failed go to
# BUILD/fuzz-findings/.
#   fuzz/run_fuzzers.sh BUILD SECONDS          fuzz on from the inputs kept by earlier runs
#   fuzz/run_fuzzers.sh BUILD SECONDS --check  from the seeds alone, with a fixed random seed
set -euo pipefail

build=$1
seconds=$2
mode=${3:-}
data=$build/fuzz-data
findings=$build/fuzz-findings
mkdir -p "$findings"

corpus_root=$build/fuzz-corpus
check_flags=()
if [ "$mode" = --check ]; then
  corpus_root=$build/fuzz-check-corpus
  rm -rf "$corpus_root"
  check_flags=(-seed=1)
fi

export UBSAN_OPTIONS=print_stacktrace=1
failed=()
while read -r name max_len; do
  [ -n "$name" ] || continue
  corpus=$corpus_root/$name
  log=$findings/$name.log
  mkdir -p "$corpus"
  if "$build/bin/${name}_fuzzer" "$corpus" "$data/corpora/$name" \
      -dict="$data/dicts/$name.dict" -max_len="$max_len" -max_total_time="$seconds" \
      -timeout=10 -rss_limit_mb=2048 -detect_leaks=1 -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" "${check_flags[@]}" </dev/null >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    cover=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
    echo "fuzz $name: ok, $runs runs, $rate exec/s, $cover"
  else
    echo "fuzz $name: FAILED ($log)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)|runtime error|#[0-9]+ 0x' \
      "$log" | head -n 40 || true
    failed+=("$name")
  fi
done <"$build/fuzz-targets.txt"

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz targets that failed: ${failed[*]}"
  exit 1
fi
