#!/bin/sh
# Two engine binaries side by side, for search speed and for perft speed: each round runs
# `bench` and a set of perft counts on both, alternating which goes first (A B, B A, ...) so
# that both meet the same machine load, and times them in processor seconds. Prints each
# round ("count seconds"), then the median ratio B/A of bench nodes per second and of perft
# leaves per second. The counts of A and B must agree.
#   bench/comparar.sh [engine-a [engine-b [rounds [bench-depth]]]]
set -eu
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
a=${1:-build/vemsul}
b=${2:-build-opt/vemsul}
rondas=${3:-5}
profundidad=${4:-11}

# Processor seconds (user and system) that the engine takes over the commands given; the
# machine is shared, so its load changes wall-clock times far more than processor times.
cpu() { printf '%s\n' "$@" quit | /usr/bin/time -f '%U %S' -o "$tmp/t" "$motor" > "$tmp/o"; awk '{ print $1 + $2 }' "$tmp/t"; }
# "nodes seconds" of bench, less a depth-1 bench (start-up and the table clearing per position).
bench() {
    motor=$1
    t=$(cpu "bench $profundidad"); n=$(tail -n 1 "$tmp/o" | awk '{ print $1 }')
    t0=$(cpu "bench 1"); n0=$(tail -n 1 "$tmp/o" | awk '{ print $1 }')
    echo "$((n - n0)) $(echo "$t $t0" | awk '{ print $1 - $2 }')"
}
# "leaves seconds" of the perft set, less the engine's start-up.
perft() {
    motor=$1
    t=$(cpu "position startpos" "perft 5" \
        "position fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1" "perft 4" \
        "position fen 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1" "perft 6" \
        "position fen r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1" "perft 5" \
        "position fen rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8" "perft 4")
    n=$(awk '/^Nodos: / { n += $2 } END { print n }' "$tmp/o")
    t0=$(cpu)
    echo "$n $(echo "$t $t0" | awk '{ print $1 - $2 }')"
}
mediana() { sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median %.3f, range %.3f .. %.3f\n", m, v[1], v[NR] }'; }

i=1
while [ "$i" -le "$rondas" ]; do
    if [ $((i % 2)) -eq 1 ]; then
        ba=$(bench "$a"); bb=$(bench "$b"); pa=$(perft "$a"); pb=$(perft "$b")
    else
        bb=$(bench "$b"); ba=$(bench "$a"); pb=$(perft "$b"); pa=$(perft "$a")
    fi
    echo "round $i: bench A $ba | B $bb; perft A $pa | B $pb"
    [ "${ba%% *}" = "${bb%% *}" ] || { echo "bench node totals differ" >&2; exit 1; }
    [ "${pa%% *}" = "${pb%% *}" ] || { echo "perft leaf totals differ" >&2; exit 1; }
    # Speed ratio B/A: the same count in less time is faster.
    echo "$ba $bb" | awk '{ printf "%.4f\n", $2 / $4 }' >> "$tmp/bench"
    echo "$pa $pb" | awk '{ printf "%.4f\n", $2 / $4 }' >> "$tmp/perft"
    i=$((i + 1))
done
echo "A $a, B $b, $rondas rounds, bench depth $profundidad"
echo "bench nps B/A: $(mediana < "$tmp/bench")"
echo "perft leaves/s B/A: $(mediana < "$tmp/perft")"
