#!/usr/bin/env python3
"""Several lines (MultiPV) and searchmoves checked against each other through python-chess.

  PYTHONPATH=<python-chess> tools/multipv_control.py build/vemsul [--depth 8] [--lines 3]

For each position below (openings, middlegames, endgames, one with a single legal move), a
search at fixed depth with MultiPV 3 must give, in its deepest iteration, as many lines as it can (3, or the number of
legal moves), distinct legal first moves, legal lines, non-increasing scores, and bestmove =
line 1's move. Then, each from a cleared table at the same depth: MultiPV 1 (does line 1's
move agree?) and a searchmoves search over every move but line 1's (is its score within 40 cp
of line 2's?). Prints a row per position and the tallies; exits 1 on a broken rule (the
agreements are figures, not rules: a different search tree may choose differently).
"""
import argparse
import sys

import chess
import chess.engine

POSICIONES = [
    ("start", chess.STARTING_FEN),
    ("open-e4e5", "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2"),
    ("sicilian", "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2"),
    ("qgd", "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 2 4"),
    ("middle-1", "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 9"),
    ("middle-2", "r2q1rk1/pp1nbppp/2p1pn2/3p1b2/2PP4/1QN1PN2/PP2BPPP/R1B2RK1 w - - 4 9"),
    ("middle-3", "r1b2rk1/2q1bppp/p2ppn2/1p6/3BPP2/2N2B2/PPP1Q1PP/R4R1K b - - 3 14"),
    ("tactics", "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4"),
    ("middle-4", "2rq1rk1/pb2bppp/1pn1pn2/3p4/2PP4/P1NBPN2/1P1Q1PPP/2R2RK1 w - - 1 14"),
    ("rook-end", "8/5pk1/6p1/8/3R4/6P1/r4PKP/8 w - - 0 40"),
    ("pawn-end", "8/8/4k3/2p5/2P1K3/8/8/8 w - - 0 50"),
    ("minor-end", "8/5k2/3b4/8/3N4/5K2/5P2/8 w - - 0 45"),
    ("queen-end", "8/6k1/6p1/8/5Q2/6PK/8/3q4 b - - 0 60"),
    ("single-move", "7k/8/8/8/8/8/6q1/7K w - - 0 1"),
]


def puntos(info, turno):
    return info["score"].pov(turno).score(mate_score=100000)


def limpio(motor):
    motor.configure({"Clear Hash": None})


def main():
    a = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    a.add_argument("motor")
    a.add_argument("--depth", type=int, default=8)
    a.add_argument("--lines", type=int, default=3)
    a = a.parse_args()
    fallos = iguales = comparadas = cerca = 0
    with chess.engine.SimpleEngine.popen_uci(a.motor) as motor:
        for nombre, fen in POSICIONES:
            t = chess.Board(fen)
            esperadas = min(a.lines, t.legal_moves.count())
            limpio(motor)
            with motor.analysis(t, chess.engine.Limit(depth=a.depth), multipv=a.lines, game=object()) as analisis:
                # The lines of the deepest iteration reported (a mate found ends a search early).
                final, hondo = {}, 0
                for info in analisis:
                    if "pv" in info and info.get("depth", 0) >= hondo:
                        if info["depth"] > hondo:
                            final, hondo = {}, info["depth"]
                        final[info.get("multipv", 1)] = info
                mejor = analisis.wait().move
            lineas = [final[k] for k in sorted(final)]
            primeras = [l["pv"][0] for l in lineas]
            fallo = []
            if len(lineas) != esperadas or len(set(primeras)) != len(primeras):
                fallo.append(f"{len(lineas)} lines, first moves {primeras}")
            for l in lineas:
                c = t.copy()
                for m in l["pv"]:
                    if m not in c.legal_moves:
                        fallo.append(f"illegal pv {l['pv']}")
                        break
                    c.push(m)
            s = [puntos(l, t.turn) for l in lineas]
            if any(x < y for x, y in zip(s, s[1:])):
                fallo.append(f"scores rise: {s}")
            if primeras and mejor != primeras[0]:
                fallo.append(f"bestmove {mejor} is not line 1's {primeras[0]}")
            # The same depth as the lines (a mate found may have ended their search early).
            limite = chess.engine.Limit(depth=hondo)
            limpio(motor)
            uno = motor.analyse(t, limite, game=object())
            iguales += bool(primeras) and uno["pv"][0] == primeras[0]
            fila = f"{nombre:12} depth {hondo} lines {' '.join(f'{m}:{x}' for m, x in zip(primeras, s))} | MultiPV 1 {uno['pv'][0]}"
            if len(lineas) >= 2:
                limpio(motor)
                resto = [m for m in t.legal_moves if m != primeras[0]]
                otra = motor.analyse(t, limite, root_moves=resto, game=object())
                d = puntos(otra, t.turn) - s[1]
                comparadas += 1
                cerca += abs(d) <= 40
                fila += f" | searchmoves without line 1: {otra['pv'][0]}:{puntos(otra, t.turn)} ({d:+})"
            print(fila + ("  FAULT: " + "; ".join(fallo) if fallo else ""))
            fallos += bool(fallo)
    print(f"{len(POSICIONES)} positions at depth {a.depth}: {fallos} broken; line 1 = MultiPV 1 move in {iguales}; "
          f"line 2 within 40 cp of the searchmoves search in {cerca} of {comparadas}")
    sys.exit(1 if fallos else 0)


if __name__ == "__main__":
    main()
