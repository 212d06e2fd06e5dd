#!/bin/sh
# The Windows build under Wine (make test-windows): the bench signature first, then the
# engine's own sessions from the Linux tests that make sense on Windows, run against
# vemsul.exe, then what only Windows has: the book beside the exe in a folder with blanks,
# its path with a drive letter and backslashes, the compiled-in Gaviota code, the book builder.
# Needs build-windows/ (make windows) and the Linux test build in build/ (make build).
set -eu
cd "$(dirname "$0")/.."
raiz=$(pwd)
export WINEDEBUG=-all
# A Wine prefix of our own, made once: the user's own Wine settings stay untouched.
export WINEPREFIX=${WINEPREFIX:-$raiz/build-windows/wine}
motor=$raiz/scripts/vemsul-wine.sh
if [ ! -d "$WINEPREFIX" ]; then
    echo "Preparing the Wine prefix (once)..."
    wineboot -i > /dev/null 2>&1 || true
fi

scripts/check-bench.sh "$motor"

# The sessions: protocol, line ends (CR-LF), searches, pondering, the book, perft, the
# evaluation command, the node counts, both tablebases. Left out: what drives the shell or
# POSIX signals around the engine, the tests of the library loader (Linux's own), and the
# Syzygy sessions, whose path lists are separated by ":" (";" on Windows: checked below).
filtro="Protocol.*:GoSession.*:GoConLibro.*:ComandoBook.*:Perft.OutputFormatAndRefusals:EvalCommand.*"
filtro="$filtro:Bench.*:Parada.*:BusquedaConTablas.*"
filtro="$filtro-Protocol.ClosedOutputDoesNotKillTheEngine:Bench.PinnedNodeTotalFromTheShellAndTheConsole"
for t in uci search book board eval tablebases; do
    VEMSUL_MOTOR=$motor build/tests/test_$t --gtest_filter="$filtro" --gtest_brief=1
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falla() { printf "test-windows: %s\n" "$1" >&2; exit 1; }

# The book builder under Windows, then the book found beside the exe from another folder.
carpeta="$tmp/Motor de ajedrez"
mkdir -p "$carpeta" "$tmp/otra"
cp build-windows/vemsul.exe build-windows/vemsul-libro.exe "$carpeta/"
printf '[Event "a"]\n\n1. e4 e5 2. Nf3 Nc6 *\n' > "$tmp/lineas.pgn"
wine "$carpeta/vemsul-libro.exe" -o "$carpeta/Book.db" "$tmp/lineas.pgn" > "$tmp/libro.log" 2>&1 ||
    falla "the book builder failed: $(cat "$tmp/libro.log")"
salida=$(cd "$tmp/otra" && printf 'setoption name OwnBook value true\r\nposition startpos moves e2e4\r\ngo\r\nquit\r\n' |
         VEMSUL_EXE="$carpeta/vemsul.exe" "$motor")
printf "%s\n" "$salida" | grep -q "^bestmove e7e5" || falla "no book move from the book beside the exe: $salida"
[ ! -e "$tmp/otra/Book.db" ] || falla "an empty Book.db was left in the working directory"
echo "book beside the exe, from a folder with blanks: ok"

# Gaviota's 3-piece tables through a Windows path: drive letter, backslashes.
ruta=$(winepath -w /usr/share/gaviotatb/gtb4 2> /dev/null)
salida=$(printf 'setoption name UseGaviotaTablebases value true\nsetoption name GaviotaTbPath value %s\nisready\nposition fen 4k3/8/8/8/8/8/8/3QK3 w - - 0 1\ngo depth 6\nquit\n' "$ruta" | "$motor")
printf "%s\n" "$salida" | grep -q "^3-pc TBs available" || falla "no 3-piece tables at $ruta: $salida"
printf "%s\n" "$salida" | grep -q "score mate 8" || falla "the tables' mate was not reported: $salida"
printf "Gaviota tables at %s: ok\n" "$ruta"
# Syzygy through a Windows path list: ";" between a missing folder and the test tables.
ruta="C:\\No existe;$(winepath -w "$raiz/tests/tablebases/syzygy" 2> /dev/null)"
salida=$(printf 'setoption name SyzygyPath value %s\nposition fen 4k3/8/8/2P5/2K5/8/8/8 w - - 0 1\ngo depth 4\nquit\n' "$ruta" | "$motor")
printf "%s\n" "$salida" | grep -q "^info string Syzygy: 5 tablas WDL y 5 DTZ, hasta 3 piezas" || falla "Syzygy tables not found at $ruta: $salida"
printf "%s\n" "$salida" | grep -q "^bestmove c4b5" || falla "not the tables' only winning move: $salida"
printf "Syzygy tables at %s: ok\n" "$ruta"
echo "test-windows: all passed"
