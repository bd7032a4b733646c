#!/usr/bin/env bash
# Runs every fuzz target: first over its committed corpus and the inputs that
# once crashed it, then for SECONDS of new inputs. Any crash, leak, timeout or
# out-of-memory fails the run; the offending input is kept in fuzz/findings/.
#   bash fuzz/run_all.sh BUILD_FUZZ_DIR [SECONDS]
set -uo pipefail
bin_dir=$1
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
findings="$here/findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"

run_one() {
  local target=$1 name=${1#fuzz_}
  local corpus="$here/corpus/$name" regressions="$here/regressions/$name"
  local dirs=("$corpus")
  [ -d "$regressions" ] && dirs+=("$regressions")
  mkdir -p "$work/$name"
  "$bin_dir/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$findings/$name-" "$work/$name" "${dirs[@]}" \
    > "$work/$name.log" 2>&1
  local rc=$?
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$name.log" | grep -o '[0-9]*$')
  if [ $rc -ne 0 ]; then
    echo "fuzz $name: FAILED (exit $rc)"
    grep -E 'ERROR|SUMMARY|runtime error' "$work/$name.log" | head -20
    return 1
  fi
  echo "fuzz $name: ${runs:-?} executions in ${seconds} s, no finding"
}

targets=()
for f in "$bin_dir"/fuzz_*; do
  [ -x "$f" ] && [ -f "$f" ] && targets+=("$(basename "$f")")
done
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $bin_dir"; exit 1; }

failed=0 passed=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pids=()
  for t in "${targets[@]:i:2}"; do
    run_one "$t" > "$work/$t.result" 2>&1 &
    pids+=($!)
  done
  for j in "${!pids[@]}"; do
    if wait "${pids[$j]}"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
    cat "$work/${targets[$((i + j))]}.result"
  done
done
echo "fuzz targets: $passed clean, $failed with findings"
[ $failed -eq 0 ]
