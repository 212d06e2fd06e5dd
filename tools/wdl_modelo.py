#!/usr/bin/env python3
"""The win/draw/loss model behind UCI_ShowWDL: self-play games, and the fit of the model to them.

    tools/wdl_modelo.py partidas ENGINE FASTCHESS [--games 2000] [--nodes 5000] [--out DIR]
        Self-play through fastchess: one game from each of GAMES distinct openings (the first
        6 to 14 plies, at random, of a line of the default book beside ENGINE), every
        move searched to NODES nodes, games with a score beyond 1200 for 4 moves on both sides
        given up. fastchess writes each move's score into the PGN (DIR/wdl.pgn). About 40
        minutes at nodes 5000 on one core.
    tools/wdl_modelo.py ajustar DIR/wdl.pgn
        Reads every searched move's score (side to move's view, centipawns; mates left out) with
        the material on the board and the game's result, and fits by maximum likelihood

            W = 1 / (1 + exp(-(s - a) / b)),   L = 1 / (1 + exp((s + a) / b)),   D = 1 - W - L
            a = CENTRO + CENTRO_POR_MATERIAL * m,   b = ESCALA + ESCALA_POR_MATERIAL * m

        s the score, m the material (pawn 1, knight and bishop 3, rook 5, queen 9; both sides;
        at most 78). Prints the constants for src/search/wdl.h and the calibration table (mean
        predicted W/D/L against the results observed, in score bands) that the README shows.

Not part of make test. Needs python-chess (../shared/tools/python-chess).
"""
import argparse
import math
import os
import random
import sqlite3
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from syzygy_wdl import compartido  # noqa: E402

sys.path.insert(0, compartido("tools", "python-chess"))
import chess  # noqa: E402
import chess.pgn  # noqa: E402

VALORES = {chess.PAWN: 1, chess.KNIGHT: 3, chess.BISHOP: 3, chess.ROOK: 5, chess.QUEEN: 9}
# Scores beyond this are left out of the fit (won or lost in all but name, or a mate).
LIMITE_PUNTUACION = 2000


def aperturas(libro, n, destino):
    filas = [f for (f,) in sqlite3.connect(libro).execute("SELECT Partida FROM Book").fetchall()]
    random.seed(21)
    vistas = set()
    with open(destino, "w") as f:
        while len(vistas) < n:
            t = chess.Board()
            linea = random.choice(filas).split()
            for m in linea[:random.randint(6, 14)]:
                t.push_uci(m)
            if t.ply() < 6 or t.epd() in vistas:
                continue
            vistas.add(t.epd())
            f.write(t.epd() + "\n")


def partidas(a):
    os.makedirs(a.out, exist_ok=True)
    motor = os.path.realpath(a.engine)
    epd = os.path.join(a.out, "aperturas.epd")
    aperturas(os.path.join(os.path.dirname(motor), "Book.db"), a.games, epd)
    cada = ["-each", f"cmd={motor}", "tc=inf", f"nodes={a.nodes}", "option.ShowPv=Full"]
    subprocess.run([a.fastchess, "-engine", "name=A", "-engine", "name=B", *cada, "-rounds", str(a.games),
                    "-games", "1", "-concurrency", "1", "-openings", f"file={epd}", "format=epd", "order=sequential",
                    "-resign", "movecount=4", "score=1200", "twosided=true",
                    "-pgnout", f"file={os.path.join(a.out, 'wdl.pgn')}",
                    "-log", f"file={os.path.join(a.out, 'wdl.log')}", "level=warn"], check=False)


def muestras(pgn):
    """(score, material, outcome for the side to move: 1 win, 0 draw, -1 loss) per searched move."""
    with open(pgn) as f:
        while True:
            g = chess.pgn.read_game(f)
            if g is None:
                return
            r = {"1-0": 1, "0-1": -1, "1/2-1/2": 0}.get(g.headers.get("Result"))
            if r is None:
                continue
            t = g.board()
            for nodo in g.mainline():
                comentario = " ".join(nodo.comments) if hasattr(nodo, "comments") else nodo.comment
                c = comentario.split("/")[0].strip()
                if c and c[0] in "+-" and "M" not in c:
                    try:
                        s = round(float(c) * 100)
                    except ValueError:
                        s = None
                    if s is not None and abs(s) <= LIMITE_PUNTUACION:
                        m = sum(VALORES.get(p.piece_type, 0) for p in t.piece_map().values())
                        yield s, m, r if t.turn == chess.WHITE else -r
                t.push(nodo.move)


def probabilidades(p, s, m):
    a0, a1, b0, b1 = p
    a, b = a0 + a1 * m, max(b0 + b1 * m, 1.0)
    w = 1 / (1 + math.exp(max(-60.0, min(60.0, -(s - a) / b))))
    l = 1 / (1 + math.exp(max(-60.0, min(60.0, (s + a) / b))))
    return w, max(1 - w - l, 1e-9), l


def nelder_mead(f, x0, pasos, iteraciones=600):
    pts = [list(x0)] + [[x + (pasos[i] if j == i else 0) for j, x in enumerate(x0)] for i in range(len(x0))]
    val = [f(p) for p in pts]
    for _ in range(iteraciones):
        orden = sorted(range(len(pts)), key=lambda i: val[i])
        pts, val = [pts[i] for i in orden], [val[i] for i in orden]
        c = [sum(p[j] for p in pts[:-1]) / (len(pts) - 1) for j in range(len(x0))]
        r = [c[j] + (c[j] - pts[-1][j]) for j in range(len(x0))]
        fr = f(r)
        if fr < val[0]:
            e = [c[j] + 2 * (c[j] - pts[-1][j]) for j in range(len(x0))]
            fe = f(e)
            pts[-1], val[-1] = (e, fe) if fe < fr else (r, fr)
        elif fr < val[-2]:
            pts[-1], val[-1] = r, fr
        else:
            k = [c[j] + 0.5 * (pts[-1][j] - c[j]) for j in range(len(x0))]
            fk = f(k)
            if fk < val[-1]:
                pts[-1], val[-1] = k, fk
            else:
                pts = [pts[0]] + [[pts[0][j] + 0.5 * (p[j] - pts[0][j]) for j in range(len(x0))] for p in pts[1:]]
                val = [val[0]] + [f(p) for p in pts[1:]]
    i = min(range(len(pts)), key=lambda i: val[i])
    return pts[i], val[i]


def ajustar(a):
    # Counts by (score to 20 cp, material to 2): the likelihood over a few thousand cells.
    celdas = {}
    total = 0
    for s, m, r in muestras(a.pgn):
        k = (20 * round(s / 20), 2 * round(m / 2))
        celdas.setdefault(k, [0, 0, 0])[1 - r] += 1
        total += 1
    partidas = sum(1 for _ in open(a.pgn) if _.startswith("[Result"))

    def nll(p):
        t = 0.0
        for (s, m), (nw, nd, nl) in celdas.items():
            w, d, l = probabilidades(p, s, m)
            t -= nw * math.log(max(w, 1e-12)) + nd * math.log(d) + nl * math.log(max(l, 1e-12))
        return t

    fijo, v1 = nelder_mead(lambda q: nll([q[0], 0, q[1], 0]), [150, 100], [50, 30])
    p, v2 = nelder_mead(nll, [fijo[0], 0, fijo[1], 0], [30, 2, 20, 1.5], 900)
    print(f"{partidas} games, {total} positions; log-likelihood per position: score only "
          f"{-v1 / total:.4f}, score and material {-v2 / total:.4f}")
    print(f"score only: a = {fijo[0]:.1f}, b = {fijo[1]:.1f}")
    print(f"CENTRO = {p[0]:.2f}, CENTRO_POR_MATERIAL = {p[1]:.3f}, ESCALA = {p[2]:.2f}, ESCALA_POR_MATERIAL = {p[3]:.3f}")
    print("\n| score (cp) | positions | predicted W/D/L (%) | observed W/D/L (%) |")
    print("|---|---|---|---|")
    bandas = [(-2000, -600), (-600, -300), (-300, -150), (-150, -50), (-50, 50), (50, 150), (150, 300),
              (300, 600), (600, 2001)]
    for lo, hi in bandas:
        n, pr, ob = 0, [0.0] * 3, [0] * 3
        for (s, m), cuentas in celdas.items():
            if lo <= s < hi:
                c = sum(cuentas)
                q = probabilidades(p, s, m)
                n += c
                for i in range(3):
                    pr[i] += q[i] * c
                    ob[i] += cuentas[i]
        if n:
            print(f"| {lo} .. {hi - 1} | {n} | " + "/".join(f"{100 * x / n:.0f}" for x in pr) + " | " +
                  "/".join(f"{100 * x / n:.0f}" for x in ob) + " |")


def main():
    a = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = a.add_subparsers(dest="orden", required=True)
    p = sub.add_parser("partidas")
    p.add_argument("engine")
    p.add_argument("fastchess")
    p.add_argument("--games", type=int, default=2000)
    p.add_argument("--nodes", type=int, default=5000)
    p.add_argument("--out", default="/tmp/wdl")
    q = sub.add_parser("ajustar")
    q.add_argument("pgn")
    a = a.parse_args()
    partidas(a) if a.orden == "partidas" else ajustar(a)


if __name__ == "__main__":
    main()
