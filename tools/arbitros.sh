#!/bin/sh
# Matches through the match runners engine testers use, against Debian's stockfish playing at
# UCI_LimitStrength Elo 2000 (not part of make test: they take from minutes to an hour and need
# the runners built from ../shared/tools, and python-chess for the openings).
#   tools/arbitros.sh ENGINE fastchess-10    fastchess, 100 games at 10+0.1
#   tools/arbitros.sh ENGINE fastchess-40    fastchess, 40 games at 40/20
#   tools/arbitros.sh ENGINE cutechess-ponder cutechess-cli -debug, 40 games at 10+0.1, pondering on
#   tools/arbitros.sh ENGINE hilos            fastchess, 200 games at 10+0.1: Threads 2 against
#                                             Threads 1 of the same engine (an idle 2-core machine)
# Extra arguments go to the runner (e.g. option.Threads=2 for the engine: put -each or -engine
# flags there). The log and the games go to $SALIDA (default /tmp/arbitros): the summary line,
# time losses, illegal moves, disconnects, stalls and every warning naming our engine are
# printed at the end.
set -eu
motor=$(realpath "$1"); modo=$2; shift 2
compartido=${COMPARTIDO:-$(dirname "$0")/../../shared}
salida=${SALIDA:-/tmp/arbitros}; mkdir -p "$salida"
# Only the runner a mode needs is built.
# Openings: the first 8 plies of random lines of the default book, as EPD positions.
aperturas=$salida/aperturas.epd
PYTHONPATH="$compartido/tools/python-chess" python3 - "$(dirname "$motor")/Book.db" "$aperturas" <<'PY'
import random, sqlite3, sys, chess
filas = sqlite3.connect(sys.argv[1]).execute("SELECT Partida FROM Book").fetchall()
random.seed(7)
vistas = set()
with open(sys.argv[2], "w") as f:
    for (linea,) in random.sample(filas, min(400, len(filas))):
        t = chess.Board()
        for m in linea.split()[:8]:
            t.push_uci(m)
        if t.ply() == 8 and t.epd() not in vistas:
            vistas.add(t.epd())
            f.write(t.epd() + "\n")
PY
rival="name=stockfish cmd=/usr/games/stockfish option.UCI_LimitStrength=true option.UCI_Elo=2000"
case "$modo" in
hilos)
    FC=$("$compartido/tools/fastchess/build.sh")
    "$FC" -engine name=vemsul-2 cmd="$motor" option.Threads=2 -engine name=vemsul-1 cmd="$motor" \
        -each tc=10+0.1 -rounds 100 -games 2 -repeat -concurrency 1 \
        -openings file="$aperturas" format=epd order=random -pgnout file="$salida/$modo.pgn" \
        -log file="$salida/$modo.log" level=warn "$@" > "$salida/$modo.out" 2>&1 || true
    grep -E "Results of|Elo:|Games:|Ptnml" "$salida/$modo.out" | tail -4
    grep -ciE "timeout|loses on time|illegal|disconnect|stall|crash" "$salida/$modo.pgn" "$salida/$modo.log" || true
    ;;
fastchess-10|fastchess-40)
    FC=$("$compartido/tools/fastchess/build.sh")
    tc=10+0.1; rondas=50; [ "$modo" = fastchess-40 ] && { tc=40/20; rondas=20; }
    "$FC" -engine name=vemsul cmd="$motor" -engine $rival -each tc=$tc -rounds $rondas -games 2 -repeat \
        -concurrency 1 -openings file="$aperturas" format=epd order=random -pgnout file="$salida/$modo.pgn" \
        -log file="$salida/$modo.log" level=warn "$@" > "$salida/$modo.out" 2>&1 || true
    grep -E "Results of|Elo:|Games:|Ptnml" "$salida/$modo.out" | tail -4
    grep -ciE "timeout|loses on time|illegal|disconnect|stall|crash" "$salida/$modo.pgn" "$salida/$modo.log" || true
    ;;
cutechess-ponder)
    CC=$("$compartido/tools/cutechess/build.sh")
    "$CC" -engine name=vemsul cmd="$motor" proto=uci -engine $rival proto=uci -each tc=10+0.1 ponder \
        -games 2 -rounds 20 -repeat -openings file="$aperturas" format=epd order=random \
        -pgnout "$salida/$modo.pgn" -debug "$@" > "$salida/$modo.log" 2>&1 || true
    grep -E "^Score of|^Elo" "$salida/$modo.log" | tail -2
    echo "warnings naming vemsul:"; grep -iE "warning" "$salida/$modo.log" | grep -i vemsul | sort | uniq -c | head
    grep -ciE "loses on time|illegal move|disconnects|stalls|crash" "$salida/$modo.log" || true
    ;;
*) echo "usage: $0 ENGINE fastchess-10|fastchess-40|cutechess-ponder [runner flags]" >&2; exit 2 ;;
esac
