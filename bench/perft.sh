#!/bin/sh
# Perft speed of the Release build: the published deep counts, leaf nodes per second.
# Usage: bench/perft.sh [engine binary]   (default build/vemsul)
set -eu
motor=${1:-build/vemsul}
[ -x "$motor" ] || { echo "no engine at $motor: run 'make build' first" >&2; exit 1; }

total_nodos=0
total_ms=0
ejecutar() {
    salida=$(printf 'position %s\nperft %s\nquit\n' "$1" "$2" | "$motor")
    nodos=$(printf '%s\n' "$salida" | sed -n 's/^Nodos: //p')
    ms=$(printf '%s\n' "$salida" | sed -n 's/^Tiempo(ms): //p')
    printf '%-12s %-90s depth %s %12s nodes %7s ms\n' "$3" "$1" "$2" "$nodos" "$ms"
    total_nodos=$((total_nodos + nodos))
    total_ms=$((total_ms + ms))
}

ejecutar "startpos" 6 start
ejecutar "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1" 4 kiwipete
ejecutar "fen 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1" 6 endgame
ejecutar "fen r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1" 5 promotions
ejecutar "fen rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8" 4 pos5
ejecutar "fen r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10" 4 pos6

[ "$total_ms" -gt 0 ] || total_ms=1
echo "total: $total_nodos nodes in $total_ms ms, $((total_nodos * 1000 / total_ms)) nodes per second"
