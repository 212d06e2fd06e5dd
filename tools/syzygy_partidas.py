#!/usr/bin/env python3
"""Games from won and drawn 3-4 men positions against stockfish, which plays at full strength
and without tables, to check that the engine with its Syzygy tables converts every win inside
the fifty-move rule and holds every draw.

Positions are drawn at random (half-move clock 0) from the materials below and sorted by the
tables (python-chess chess.syzygy): won for the side to move, or drawn. fastchess plays each
twice with colours swapped; the engine must win every game where it has the won side, and lose
no game from a drawn position. Not part of make test (a game lasts up to a minute).

    tools/syzygy_partidas.py build/vemsul FASTCHESS [--won 5] [--drawn 3] [--tc 10+0.1]
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from syzygy_wdl import compartido  # noqa: E402

GANADAS = ["KBNvK", "KQvKR", "KQvKP", "KRvKP", "KPvK", "KQvKN", "KRvKN"]
TABLAS = ["KRvKB", "KPvK", "KQvKP", "KRvKP", "KRvKR", "KBvKP"]


def argumentos():
    a = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    a.add_argument("motor")
    a.add_argument("fastchess")
    a.add_argument("--won", type=int, default=5, help="won positions per material")
    a.add_argument("--drawn", type=int, default=3, help="drawn positions per material")
    a.add_argument("--tc", default="10+0.1")
    a.add_argument("--seed", type=int, default=1)
    a.add_argument("--stockfish", default="/usr/games/stockfish")
    a.add_argument("--tables", default=compartido("data", "syzygy"))
    a.add_argument("--python-chess", default=compartido("tools", "python-chess"))
    a.add_argument("--pgn", default="syzygy_partidas.pgn")
    return a.parse_args()


def posicion(chess, tablas, material, buscado, azar):
    """A legal position of the material (stronger side to move or not) whose result for the
    side to move is `buscado` (2 won, 0 drawn), not over and not decided at once by a capture."""
    fuerte, debil = material.split("v")
    while True:
        tablero = chess.Board(None)
        blancas = azar.random() < 0.5
        letras = (fuerte if blancas else fuerte.lower()) + (debil.lower() if blancas else debil)
        for letra, casilla in zip(letras, azar.sample(range(64), len(letras))):
            tablero.set_piece_at(casilla, chess.Piece.from_symbol(letra))
        tablero.turn = blancas if buscado == 2 else azar.random() < 0.5
        if not tablero.is_valid() or tablero.is_game_over():
            continue
        if any(tablero.is_capture(m) for m in tablero.legal_moves):
            continue
        if tablas.probe_wdl(tablero) == buscado:
            return tablero


def main():
    a = argumentos()
    sys.path.insert(0, a.python_chess)
    import chess
    import chess.pgn
    import chess.syzygy

    tablas = chess.syzygy.open_tablebase(a.tables)
    azar = random.Random(a.seed)
    posiciones = []  # (fen, kind)
    for m in GANADAS:
        posiciones += [(posicion(chess, tablas, m, 2, azar).fen(), "won " + m) for _ in range(a.won)]
    for m in TABLAS:
        posiciones += [(posicion(chess, tablas, m, 0, azar).fen(), "drawn " + m) for _ in range(a.drawn)]
    clase = dict(posiciones)

    with tempfile.NamedTemporaryFile("w", suffix=".epd", delete=False) as f:
        for fen, _ in posiciones:
            f.write(" ".join(fen.split()[:4]) + "\n")
        aperturas = f.name
    if os.path.exists(a.pgn):
        os.remove(a.pgn)
    orden = [a.fastchess, "-engine", "cmd=" + a.motor, "name=vemsul", "option.SyzygyPath=" + a.tables,
             "-engine", "cmd=" + a.stockfish, "name=stockfish",
             "-each", "tc=" + a.tc, "-openings", "file=" + aperturas, "format=epd", "order=sequential",
             "-rounds", str(len(posiciones)), "-games", "2", "-repeat", "-concurrency", "1",
             "-pgnout", "file=" + a.pgn, "-log", "file=" + a.pgn + ".log", "level=warn"]
    subprocess.run(orden, stdout=subprocess.DEVNULL, check=True)
    os.remove(aperturas)

    fallos = 0
    ganadas = convertidas = tablas_jugadas = sostenidas = 0
    with open(a.pgn) as pgn:
        while (partida := chess.pgn.read_game(pgn)) is not None:
            fen = partida.headers["FEN"]
            tipo = next(v for k, v in clase.items() if k.split()[:4] == fen.split()[:4])
            inicio = chess.Board(fen)
            nuestro = chess.WHITE if partida.headers["White"] == "vemsul" else chess.BLACK
            resultado = partida.headers["Result"]
            jugadas = len(list(partida.mainline_moves()))
            gana_nuestro = resultado == ("1-0" if nuestro == chess.WHITE else "0-1")
            pierde_nuestro = resultado == ("0-1" if nuestro == chess.WHITE else "1-0")
            if tipo.startswith("won") and inicio.turn == nuestro:
                ganadas += 1
                convertidas += gana_nuestro
                if not gana_nuestro:
                    fallos += 1
                    print("not converted: %s (%s) %s after %d plies" % (fen, tipo, resultado, jugadas))
            elif tipo.startswith("drawn"):
                tablas_jugadas += 1
                sostenidas += not pierde_nuestro
                if pierde_nuestro:
                    fallos += 1
                    print("draw lost: %s (%s) %s" % (fen, tipo, resultado))
    print("won positions: %d of %d converted; drawn positions: %d of %d held (not lost)" %
          (convertidas, ganadas, sostenidas, tablas_jugadas))
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
