#!/usr/bin/env bash
# Rebuilds the wheel designs from nothing into a fresh store and writes the formula file.
# Usage: tools/wheels/reproduce.sh [STORE] [OUT]   (defaults: build/wheels, build/GS.spt)
# Runs for about 20 minutes on one core; the searches stop by time, so the rows
# themselves differ from run to run and machine to machine, the sizes do not (but see
# 选15中7保6 in docs/wheels.md).
set -euo pipefail
W=${QUORBEL_WHEELS:-build/quorbel-wheels}
STORE=${1:-build/wheels}
OUT=${2:-build/GS.spt}
run_in() { local store=$1; shift; nice -n 19 "$W" search --store "$store" "$@" | grep -E "best|extending" || true; }
run() { run_in "$STORE" "$@"; }

# Up to 13 numbers: the row-weighting search downwards from a greedy design reaches every
# goal in under a second (exchanges for 6 of 7, free moves for 5 of 7).
for n in 9 10 11 12 13; do
  run --n "$n" --t 6 --weights exchange --seconds 60
  run --n "$n" --t 5 --weights free --seconds 60
done
# 6 of 7: tabu search from random rows at the goal size (a failed attempt is repeated).
run --n 14 --t 6 --tabu 10 --size 100 --per-size 60 --seconds 600
run --n 16 --t 6 --tabu 3 --size 293 --per-size 300 --seconds 600 --seed 11
# 15 numbers: the 14-number design, completed greedily for the draws that hold number 15,
# then tabu search downwards with those 100 rows kept.
run --n 15 --t 6 --keep-smaller --tabu 3 --per-size 20 --seconds 120 --seed 32
# ... then annealing downwards with every row free, then the row-weighting search
# exchanging one number at a time.
run --n 15 --t 6 --seconds 240 --per-size 60 --seed 51
run --n 15 --t 6 --weights exchange --seconds 600 --seed 5
# 5 of 7: 15 numbers by completing a 16-row design for 14 numbers that a 7-cycle on 1..7
# maps onto itself (made in a scratch store); 14 numbers by the row-weighting search from
# a greedy design; 16 numbers by tabu search at the goal.
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
run_in "$SCRATCH" --n 14 --t 5 --group 7 --seconds 5
run_in "$SCRATCH" --n 14 --t 5 --seconds 60 --per-size 20 --seed 4
run_in "$SCRATCH" --n 15 --t 5 --extend --fresh --seconds 120 --per-size 20 --seed 8
cp "$SCRATCH/n15t5.txt" "$STORE/"
run --n 14 --t 5 --weights free --seconds 120 --seed 1
run --n 16 --t 5 --tabu 5 --size 31 --per-size 30 --seconds 300

"$W" generate --store "$STORE" --out "$OUT"
