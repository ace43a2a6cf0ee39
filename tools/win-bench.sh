#!/usr/bin/env bash
# The Windows-side tree fill benchmark (bench/win/TreeFillWinBench.cpp) on the benchmark wallets of
# 10,000 and 100,000 cards, through Wine under a private Xvfb. The wallets are the ones tl5bench
# generates (and keeps) under RELEASE_BIN/bench-wallets; missing ones are generated first.
# Usage: tools/win-bench.sh RELEASE_BIN WIN_BIN [ROUNDS]
# TL5_BENCH_SIZES=10000 picks other sizes, as for tl5bench.
set -euo pipefail
release=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
rounds=${3:-3}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sizes=${TL5_BENCH_SIZES:-10000,100000}
# The wallets: tl5bench's tree fill plan benchmark makes any that are missing (and prints its figures).
TL5_BENCH_SIZES=$sizes "$release/tl5bench" treefill
wallets=()
for n in ${sizes//,/ }; do
  w=$(ls -t "$release"/bench-wallets/wallet-"$n"-s*-g*.tl5 2>/dev/null | head -n 1 || true)
  [ -n "$w" ] || { echo "win-bench: no benchmark wallet of $n cards" >&2; exit 1; }
  wallets+=("Z:${w//\//\\}")
done
"$root/tools/wine-run.sh" --init
exec "$root/tools/with-xvfb.sh" --screen 640x480x24 "$root/tools/wine-run.sh" "$win/tl5winbench.exe" --rounds "$rounds" "${wallets[@]}"
