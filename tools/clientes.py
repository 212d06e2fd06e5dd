#!/usr/bin/env python3
"""The engine through python-chess, the library under lichess-bot and most analysis scripts.

  PYTHONPATH=<python-chess> tools/clientes.py build/vemsul [games]

Checks what a client asks of an engine (configure, analyse with every limit, play with one
clock, both, increment, mate), then plays games against Debian's stockfish (UCI_LimitStrength,
Elo 2000) with pondering on and only the mover's clock sent, keeping the clocks itself: every
move must be legal and arrive within the clock. Not part of make test (python-chess is not a
dependency); prints what it saw and exits 1 on the first fault.
"""
import sys
import time

import chess
import chess.engine

MEDIO_JUEGO = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 9"


def da_mate(tablero, jugada):
    tablero.push(jugada)
    mate = tablero.is_checkmate()
    tablero.pop()
    return mate


def comprobaciones(motor):
    motor.configure({"Threads": 1, "Move Overhead": 100, "Hash": 64})
    print("configure Threads 1, Move Overhead 100, Hash 64: ok")
    tablero = chess.Board(MEDIO_JUEGO)
    for limite in (chess.engine.Limit(time=0.1), chess.engine.Limit(time=1.0), chess.engine.Limit(depth=8),
                   chess.engine.Limit(nodes=20000)):
        info = motor.analyse(tablero, limite)
        assert "score" in info and "depth" in info and info.get("pv"), (limite, info)
        print(f"analyse {limite}: score {info['score'].white()} depth {info['depth']} pv {info['pv'][0]}")
    for limite in (chess.engine.Limit(white_clock=5), chess.engine.Limit(white_clock=5, black_clock=5),
                   chess.engine.Limit(white_clock=5, black_clock=5, white_inc=0.1, black_inc=0.1)):
        inicio = time.monotonic()
        jugada = motor.play(tablero, limite).move
        assert jugada in tablero.legal_moves, (limite, jugada)
        print(f"play {limite}: {jugada} in {time.monotonic() - inicio:.2f} s")
    mate = chess.Board("k7/8/2K5/8/8/8/8/7R w - - 0 1")
    jugada = motor.play(mate, chess.engine.Limit(mate=2)).move
    mate.push(jugada)
    # Every reply must still be met by a mate.
    for respuesta in list(mate.legal_moves):
        mate.push(respuesta)
        assert any(da_mate(mate, m) for m in mate.legal_moves), (jugada, respuesta)
        mate.pop()
    print(f"play mate=2: {jugada}, a forced mate")
    inicio = time.monotonic()
    motor.play(tablero, chess.engine.Limit(time=1.0, white_clock=600, black_clock=600))
    print(f"movetime 1000 with a 10-minute clock (Move Overhead 100): {time.monotonic() - inicio:.3f} s")


def partidas(ruta, n, segundos=20.0, incremento=0.1):
    resultados = {"1-0": 0, "0-1": 0, "1/2-1/2": 0}
    for k in range(n):
        with chess.engine.SimpleEngine.popen_uci(ruta) as nuestro, \
                chess.engine.SimpleEngine.popen_uci("/usr/games/stockfish") as rival:
            nuestro.configure({"Move Overhead": 100})  # python-chess sets Ponder itself
            rival.configure({"UCI_LimitStrength": True, "UCI_Elo": 2000})
            tablero = chess.Board()
            blancas_nuestras = k % 2 == 0
            reloj = {chess.WHITE: segundos, chess.BLACK: segundos}
            while not tablero.is_game_over(claim_draw=True) and tablero.ply() < 300:
                turno = tablero.turn
                nuestra = (turno == chess.WHITE) == blancas_nuestras
                motor = nuestro if nuestra else rival
                # Only the mover's clock, as Limit(white_clock=...) sends it.
                limite = chess.engine.Limit(white_clock=reloj[turno], white_inc=incremento) if turno == chess.WHITE \
                    else chess.engine.Limit(black_clock=reloj[turno], black_inc=incremento)
                inicio = time.monotonic()
                r = motor.play(tablero, limite, ponder=nuestra)
                reloj[turno] -= time.monotonic() - inicio
                if reloj[turno] < 0:
                    print(f"game {k + 1}: {'our engine' if nuestra else 'stockfish'} lost on time")
                    if nuestra:
                        sys.exit(1)
                    break
                reloj[turno] += incremento
                if r.move not in tablero.legal_moves:
                    print(f"game {k + 1}: illegal move {r.move}")
                    sys.exit(1)
                tablero.push(r.move)
            resultado = tablero.result(claim_draw=True)
            if resultado in resultados:
                resultados[resultado if blancas_nuestras else {"1-0": "0-1", "0-1": "1-0"}.get(resultado, resultado)] += 1
            print(f"game {k + 1}: {resultado} ({'White' if blancas_nuestras else 'Black'}), {tablero.ply()} plies")
    print(f"{n} games with ponder=True and one clock: +{resultados['1-0']} -{resultados['0-1']} ={resultados['1/2-1/2']}"
          " (our wins, losses, draws), no illegal move, no time loss")


if __name__ == "__main__":
    ruta = sys.argv[1] if len(sys.argv) > 1 else "build/vemsul"
    with chess.engine.SimpleEngine.popen_uci(ruta) as motor:
        comprobaciones(motor)
    partidas(ruta, int(sys.argv[2]) if len(sys.argv) > 2 else 10)
