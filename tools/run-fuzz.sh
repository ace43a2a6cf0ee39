#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS seconds each (default 60) from a corpus seeded by our own
# writers; fails on any crash, leak, timeout or out-of-memory. First every input a fuzzer ever failed
# on (fuzz/regressions/<target>/, kept in the repository) is run once through its target.
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
  if [ -z "$(ls -A "$seeds/$t" 2>/dev/null)" ]; then
    failed=$((failed + 1))
    echo "fuzz $t: FAILED, no seeds were written for it (fuzz/seeds/)" >&2
    continue
  fi
  regressions="$root/fuzz/regressions/$t"
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
    # Given files (not a folder), a target runs each of them once and stops at the first failure.
    if ! "$build/bin/$t" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 "$regressions"/* >"$build/$t.replay.log" 2>&1; then
      failed=$((failed + 1))
      echo "fuzz $t: FAILED on a kept regression input, see $build/$t.replay.log" >&2
      grep -m 5 -E 'ERROR|SUMMARY|Running:' "$build/$t.replay.log" >&2
      continue
    fi
    echo "fuzz $t: $(ls "$regressions" | wc -l) regression inputs replayed"
  fi
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
    # The input that failed joins the regression inputs, to be committed with the fix.
    mkdir -p "$root/fuzz/regressions/$t"
    find "$artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) \
      -exec cp -n {} "$root/fuzz/regressions/$t/" \;
    echo "fuzz $t: FAILED (status $status), see $log; the failing input is now in fuzz/regressions/$t/" >&2
    grep -m 5 -E 'ERROR|SUMMARY|==[0-9]+==' "$log" >&2
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
