#!/usr/bin/env python3
"""Checks the engine's Syzygy results against an independent prober (python-chess chess.syzygy).

On random legal positions of the tables found (3 and 4 men with the test set), each position
is checked three ways through the engine binary:
  - "syzygy" (the probe the search makes after a capture or pawn move) must give the tables'
    win/draw/loss for the side to move (cursed wins and blessed losses count as draws);
  - a short search ("go depth N") must report the same result: a win as a mate or a score of
    20000 and more, a loss the same negated, a draw as exactly "cp 0";
  - its best move must keep that result inside the fifty-move rule (a win: a winning capture or
    pawn move, or a move to a position lost for the opponent within 99 plies of the clock).
One position in ten is KPvKP with an en passant capture possible. Not part of make test.

With --damage N the engine reads copies of the tables damaged at random instead (N rounds: in
each, every file has a few bytes changed, or is cut short, or is left whole); then only its
survival is checked: every command answered, no crash, a clean exit. Run it on the sanitizer
build (build-asan/vemsul) to catch any read beyond a file.

    tools/syzygy_wdl.py build/vemsul [--positions 600] [--depth 6] [--tables DIR] [--python-chess DIR]
    tools/syzygy_wdl.py build-asan/vemsul --damage 20 [--positions 100]
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile

RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def compartido(*partes):
    """The shared folder beside the repository (or beside a folder that holds it)."""
    d = RAIZ
    while os.path.dirname(d) != d:
        d = os.path.dirname(d)
        if os.path.isdir(os.path.join(d, "shared", *partes)):
            return os.path.join(d, "shared", *partes)
    return os.path.join(RAIZ, "..", "shared", *partes)


def argumentos():
    a = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    a.add_argument("motor")
    a.add_argument("--positions", type=int, default=600)
    a.add_argument("--depth", type=int, default=6)
    a.add_argument("--seed", type=int, default=1)
    a.add_argument("--damage", type=int, default=0, help="rounds with damaged copies of the tables")
    a.add_argument("--tables", default=compartido("data", "syzygy"))
    a.add_argument("--python-chess", default=compartido("tools", "python-chess"))
    return a.parse_args()


class Motor:
    def __init__(self, ruta, tablas, informar=True):
        self.p = subprocess.Popen([ruta], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                  encoding="latin-1")
        self.enviar("setoption name ShowPv value Full")
        self.enviar("setoption name SyzygyPath value " + tablas)
        self.enviar("isready")
        informe = self.hasta("readyok")
        if informar:
            print("".join(l for l in informe if l.startswith("info string")), end="")

    def enviar(self, linea):
        self.p.stdin.write(linea + "\n")
        self.p.stdin.flush()

    def hasta(self, prefijo):
        lineas = []
        while True:
            l = self.p.stdout.readline()
            if not l:
                raise RuntimeError("the engine ended")
            lineas.append(l)
            if l.startswith(prefijo):
                return lineas

    def sonda(self, fen):
        self.enviar("position fen " + fen)
        self.enviar("syzygy")
        return self.hasta("Syzygy:")[-1].split(":", 1)[1].strip()

    def buscar(self, fen, profundidad):
        self.enviar("position fen " + fen)
        self.enviar("go depth %d" % profundidad)
        puntuacion = None
        for l in self.hasta("bestmove"):
            if l.startswith("info depth") and " score " in l:
                w = l.split(" score ")[1].split()
                puntuacion = (w[0], int(w[1]))
            if l.startswith("bestmove"):
                return puntuacion, l.split()[1]

    def cerrar(self):
        self.enviar("quit")
        self.p.wait(timeout=60)


def categoria(wdl):
    return 1 if wdl == 2 else -1 if wdl == -2 else 0


def resultado_busqueda(puntuacion):
    tipo, valor = puntuacion
    if tipo == "mate":
        return 1 if valor > 0 else -1
    if valor >= 20000:
        return 1
    if valor <= -20000:
        return -1
    return 0 if valor == 0 else None


def posicion_al_azar(chess, materiales, azar):
    while True:
        blancas, negras = azar.choice(materiales)
        if azar.random() < 0.5:
            blancas, negras = negras, blancas
        tablero = chess.Board(None)
        casillas = azar.sample(range(64), len(blancas) + len(negras))
        for letra, casilla in zip(blancas + negras.lower(), casillas):
            tablero.set_piece_at(casilla, chess.Piece.from_symbol(letra))
        tablero.turn = azar.random() < 0.5
        if tablero.is_valid():
            return tablero


def posicion_al_paso(chess, azar):
    """KPvKP with the pawn just advanced two squares beside an enemy pawn that may take it."""
    while True:
        tablero = chess.Board(None)
        tablero.turn = azar.random() < 0.5
        movido = not tablero.turn
        columna = azar.randrange(8)
        lado = columna + azar.choice((-1, 1))
        if not 0 <= lado < 8:
            continue
        fila = 3 if movido == chess.WHITE else 4
        peon = chess.square(columna, fila)
        tablero.set_piece_at(peon, chess.Piece(chess.PAWN, movido))
        tablero.set_piece_at(chess.square(lado, fila), chess.Piece(chess.PAWN, tablero.turn))
        libres = [c for c in range(64) if tablero.piece_at(c) is None]
        for color, casilla in zip((chess.WHITE, chess.BLACK), azar.sample(libres, 2)):
            tablero.set_piece_at(casilla, chess.Piece(chess.KING, color))
        tablero.ep_square = peon + (-8 if movido == chess.WHITE else 8)
        if tablero.is_valid() and tablero.has_legal_en_passant():
            return tablero


def conserva(tablas, tablero, jugada, esperado):
    """Does the move keep the root's result inside the fifty-move rule (clock 0 at the root)?"""
    despues = tablero.copy()
    despues.push(jugada)
    if despues.is_checkmate():
        return esperado == 1
    if esperado == 0:
        return categoria(-tablas.probe_wdl(despues)) >= 0
    if esperado == -1:
        return True
    if tablero.is_zeroing(jugada):
        return tablas.probe_wdl(despues) == -2
    dtz = tablas.probe_dtz(despues)
    return dtz < 0 and -dtz + 1 <= 100


def danar(origen, destino, azar):
    """Copies the tables, each with a few bytes changed, cut short, or left whole."""
    for f in os.listdir(origen):
        if not f.endswith((".rtbw", ".rtbz")):
            continue
        datos = bytearray(open(os.path.join(origen, f), "rb").read())
        suerte = azar.random()
        if suerte < 0.5:
            for _ in range(azar.randint(1, 20)):
                # Mostly in the headers, where a change reaches the most.
                i = azar.randrange(min(len(datos), 512) if azar.random() < 0.5 else len(datos))
                datos[i] = azar.randrange(256)
        elif suerte < 0.75:
            del datos[azar.randrange(len(datos)):]
        open(os.path.join(destino, f), "wb").write(datos)


def sobrevive(a, chess, materiales, tablas):
    import shutil
    azar = random.Random(a.seed)
    for ronda in range(a.damage):
        destino = tempfile.mkdtemp(prefix="vemsul-danadas-")
        try:
            danar(a.tables, destino, azar)
            motor = Motor(a.motor, destino, informar=False)
            for i in range(a.positions):
                tablero = posicion_al_paso(chess, azar) if i % 10 == 9 else posicion_al_azar(chess, materiales, azar)
                motor.sonda(tablero.fen())
                motor.buscar(tablero.fen(), a.depth)
            motor.cerrar()
            if motor.p.returncode != 0:
                print("round %d: exit status %d" % (ronda, motor.p.returncode))
                return 1
        except (RuntimeError, subprocess.TimeoutExpired) as e:
            print("round %d: the engine did not survive (%s); tables left in %s" % (ronda, e, destino))
            return 1
        shutil.rmtree(destino)
    print("%d rounds with damaged tables, %d positions each: the engine answered every command" %
          (a.damage, a.positions))
    return 0


def main():
    a = argumentos()
    sys.path.insert(0, a.python_chess)
    import chess
    import chess.syzygy

    tablas = chess.syzygy.open_tablebase(a.tables)
    materiales = sorted({tuple(f[:-5].split("v")) for f in os.listdir(a.tables) if f.endswith(".rtbw")})
    if a.damage:
        return sobrevive(a, chess, materiales, tablas)
    azar = random.Random(a.seed)
    motor = Motor(a.motor, a.tables)
    fallos = {"syzygy": 0, "search": 0, "bestmove": 0}
    cuenta = {1: 0, 0: 0, -1: 0}
    al_paso = 0
    for i in range(a.positions):
        if i % 10 == 9 and ("KP", "KP") in materiales:
            tablero = posicion_al_paso(chess, azar)
        else:
            tablero = posicion_al_azar(chess, materiales, azar)
        fen = tablero.fen()
        al_paso += tablero.ep_square is not None
        esperado = categoria(tablas.probe_wdl(tablero))
        cuenta[esperado] += 1
        sonda = motor.sonda(fen)
        obtenido = None if sonda == "sin resultado" else (int(sonda) > 0) - (int(sonda) < 0)
        if obtenido != esperado:
            fallos["syzygy"] += 1
            print("syzygy  %s: tables %d, engine %s" % (fen, esperado, sonda))
        puntuacion, mejor = motor.buscar(fen, a.depth)
        if puntuacion is None or resultado_busqueda(puntuacion) != esperado:
            fallos["search"] += 1
            print("search  %s: tables %d, engine %s" % (fen, esperado, puntuacion))
        if not tablero.is_game_over() and not conserva(tablas, tablero, chess.Move.from_uci(mejor), esperado):
            fallos["bestmove"] += 1
            print("bestmove %s: tables %d, engine played %s" % (fen, esperado, mejor))
    motor.cerrar()
    print("%d positions (%d won, %d drawn, %d lost for the side to move; %d with en passant), depth %d" %
          (a.positions, cuenta[1], cuenta[0], cuenta[-1], al_paso, a.depth))
    print("disagreements: %d probe, %d search result, %d best move" %
          (fallos["syzygy"], fallos["search"], fallos["bestmove"]))
    return 1 if any(fallos.values()) else 0


if __name__ == "__main__":
    sys.exit(main())
