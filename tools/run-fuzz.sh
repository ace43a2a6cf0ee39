#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS seconds each (default 60) from a corpus seeded by our own
# writers; fails on any crash, leak, timeout or out-of-memory.
# Usage: tools/run-fuzz.sh BUILD_DIR [TARGET...]
set -uo pipefail
build=$1; shift
seconds=${FUZZ_SECONDS:-60}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seeds="$build/seeds"
rm -rf "$seeds"
"$build/bin/make_fuzz_seeds" "$seeds" >/dev/null || { echo "run-fuzz: seed writer failed" >&2; exit 1; }
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
failed=0
passed=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  artifacts="$build/artifacts/$t/"
  mkdir -p "$corpus" "$artifacts" "$seeds/$t"
  log="$build/$t.log"
  "$build/bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" "$seeds/$t" >"$log" 2>&1
  status=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  units=$(find "$corpus" -type f | wc -l)
  if [ $status -eq 0 ]; then
    passed=$((passed + 1))
    echo "fuzz $t: ok, ${execs:-?} runs in ${seconds}s ($(( ${execs:-0} / seconds ))/s), corpus $units files"
  else
    failed=$((failed + 1))
    echo "fuzz $t: FAILED (status $status), see $log and $artifacts" >&2
    grep -m 5 -E 'ERROR|SUMMARY|==[0-9]+==' "$log" >&2
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
