#!/bin/sh
# Real games against another engine under every kind of time control, with pondering off and
# on: a check that the engine never plays an illegal move, never loses on time, never crashes
# or hangs. Prints one line per game and a summary per time control.
# Usage: bench/match.sh [games per control and ponder setting] [opponent] [opponent options...]
#   default: 8 games, /usr/games/stockfish at "Skill Level=3"
set -eu
cd "$(dirname "$0")/.."
partidas=${1:-8}
rival=${2:-/usr/games/stockfish}
[ $# -ge 2 ] && shift 2 || shift $#
[ $# -gt 0 ] || set -- "Skill Level=3"
opciones=""
for o in "$@"; do opciones="$opciones --opt2 '$o'"; done

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build --target vemsul vemsul_match > /dev/null

estado=0
for control in 5+0 10+0 2+0.1 10/5; do
    for ponder in "" --ponder1; do
        echo "== $control ${ponder:-(no ponder)} against $rival $*"
        eval build/vemsul_match --engine1 build/vemsul --engine2 "$rival" $opciones \
            --tc "$control" --games "$partidas" --seed 7 $ponder || estado=1
    done
done
exit $estado
