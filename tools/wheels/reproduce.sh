#!/usr/bin/env bash
# Rebuilds the wheel designs from nothing into a fresh store and writes the formula file.
# Usage: tools/wheels/reproduce.sh [STORE] [OUT]   (defaults: build/wheels, build/GS.spt)
# Runs for about 10 minutes on one core; the searches stop by time, so the rows
# themselves differ from run to run and machine to machine, the sizes do not (but see
# 选15中7保6 in docs/wheels.md).
set -euo pipefail
W=${QUORBEL_WHEELS:-build/quorbel-wheels}
STORE=${1:-build/wheels}
OUT=${2:-build/GS.spt}
run() { nice -n 19 "$W" search --store "$STORE" "$@" | grep -E "best|extending" || true; }

# Up to 13 numbers: annealing downwards from a greedy design reaches every goal in seconds.
for n in 9 10 11 12 13; do
  for t in 6 5; do run --n "$n" --t "$t" --seconds 60; done
done
# 6 of 7: tabu search from random rows at the goal size (a failed attempt is repeated).
run --n 14 --t 6 --tabu 10 --size 100 --per-size 60 --seconds 600
run --n 16 --t 6 --tabu 3 --size 293 --per-size 300 --seconds 600 --seed 11
# 15 numbers: the 14-number design, completed greedily for the draws that hold number 15,
# then tabu search downwards with those 100 rows kept.
run --n 15 --t 6 --keep-smaller --tabu 3 --per-size 20 --seconds 120 --seed 32
# ... then annealing downwards with every row free.
run --n 15 --t 6 --seconds 240 --per-size 60 --seed 51
# 5 of 7: 14 numbers from a design that a 7-cycle on the numbers 1..7 maps onto itself,
# then annealing; 15 numbers by completing it; 16 numbers by tabu search at the goal.
run --n 14 --t 5 --group 7 --seconds 5
run --n 14 --t 5 --seconds 60 --per-size 20 --seed 4
run --n 15 --t 5 --extend --fresh --seconds 120 --per-size 20 --seed 8
run --n 16 --t 5 --tabu 5 --size 31 --per-size 30 --seconds 300

"$W" generate --store "$STORE" --out "$OUT"
