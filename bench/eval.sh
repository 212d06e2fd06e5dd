#!/bin/sh
# Speed of the static evaluation (Release build): evaluations per second over a fixed set of
# varied positions, the evaluation cache out of the way.
# Usage: bench/eval.sh [repetitions per position]   (default 200000)
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build --target bench_eval > /dev/null
exec build/bench_eval "$@"
