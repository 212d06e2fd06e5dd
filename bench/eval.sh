#!/bin/sh
# Speed of the static evaluation (Release build), the evaluation cache out of the way: a fixed
# set of varied positions each evaluated many times in a row, then search-like sequences
# (seeded playout positions, each followed by its children; best of 30 rounds).
# Usage: bench/eval.sh [repetitions per position]   (default 200000)
#        bench/eval.sh --referencia   writes the reference values of tests/eval/oraculo_test.cpp
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build --target bench_eval > /dev/null
exec build/bench_eval "$@"
