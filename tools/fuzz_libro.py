#!/usr/bin/env python3
"""Fuzzing the book builder (vemsul-libro): random and mutated PGN and ECO files, files that
cannot be read, full disks and standard output, a book that is one of its inputs, and runs
interrupted at random moments by SIGINT, SIGTERM, SIGHUP and SIGKILL.

Each run is checked against what the builder promises:
  - it never dies by a signal it was not sent, and no sanitizer reports anything;
  - its status says what happened: 0 only when the book was written with no bad game, 1 for
    bad games or no line at all (with a fault reported), 2 only for a failure (none of the
    plain input runs may give 2) and never 0 after one;
  - the earlier book stays byte for byte whenever no new book was written, and a new book holds
    legal lines (python-chess replays them when it is found) or, after an interruption, the
    complete book an uninterrupted run writes;
  - no Book.db.nuevo is left, except after SIGKILL, and then the next run removes it;
  - messages are one line each, without control bytes, and short.

  tools/fuzz_libro.py                              the Release build's builder, 2000 runs
  tools/fuzz_libro.py --libro build-asan/vemsul-libro --runs 500 --seed 7

Not part of make test (it takes minutes). Prints the figures; exits 1 on any finding, leaving
the failing inputs in the directory it names.
"""
import argparse
import os
import random
import re
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time
import resource

RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PARTIDAS = os.path.join(RAIZ, "tests", "book", "partidas")
ECO_DEBIAN = "/usr/share/scid/data/scid.eco"
PYTHON_CHESS = os.path.join(RAIZ, "..", "..", "shared", "tools", "python-chess")
for ruta in (PYTHON_CHESS, "/work/shared/tools/python-chess"):
    sys.path.insert(0, ruta)
try:
    import chess
except ImportError:
    chess = None

FICHAS = ["1.", "2.", "12...", "e4", "e5", "d4", "Nf3", "Nc6", "Bb5", "a6", "O-O", "0-0-0", "exd5", "Qxf7#",
          "e8=Q+", "Ke2", "Nbd7", "1-0", "0-1", "1/2-1/2", "*", "{", "}", "(", ")", ";", "%", "[", "]", '"', "$1",
          "!?", "\n", "\r\n", " ", " ", " ", "\t", "\x00", "\x1b[31m", "\x9b", "\xc5\x90", "\xef\xbb\xbf", "#",
          "A00", "B12a", '"Name"', "[Event \"x\"]\n", "[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n", "\\"]


def corpus():
    textos = []
    for nombre in sorted(os.listdir(PARTIDAS)):
        with open(os.path.join(PARTIDAS, nombre), "rb") as f:
            textos.append((os.path.splitext(nombre)[1], f.read()))
    if os.path.exists(ECO_DEBIAN):
        with open(ECO_DEBIAN, "rb") as f:
            eco = f.read()
        for inicio in (0, len(eco) // 3, 2 * len(eco) // 3):
            trozo = eco[eco.index(b"\n\n", inicio) if inicio else 0:][:6000]
            textos.append((".eco", trozo[:trozo.rindex(b"*") + 2]))
    return textos


def aleatorio(r):
    partes = []
    for _ in range(r.randint(1, 200)):
        if r.random() < 0.03:
            partes.append(bytes(r.randrange(256) for _ in range(r.randint(1, 8))))
        elif r.random() < 0.01:
            partes.append(b"e" * r.choice((256, 1000, 100000)))
        else:
            partes.append(r.choice(FICHAS).encode("latin-1"))
    return b"".join(partes)


def mutar(r, texto, textos):
    t = bytearray(texto)
    for _ in range(r.randint(1, 6)):
        i = r.randrange(len(t) + 1)
        op = r.randrange(7)
        if op == 0 and t:
            t[min(i, len(t) - 1)] = r.randrange(256)
        elif op == 1:
            t[i:i] = bytes([r.choice((0, 0x1B, 0x7F, 0x9B, 0x22, 0x2A, 0x0A, r.randrange(256)))])
        elif op == 2:
            del t[i:i + r.randint(1, 40)]
        elif op == 3:
            j = r.randrange(len(t) + 1)
            t[i:i] = t[j:j + r.randint(1, 200)]
        elif op == 4:
            del t[i:]
        elif op == 5:
            otro = r.choice(textos)[1]
            j = r.randrange(len(otro) + 1)
            t[i:i] = otro[j:j + r.randint(1, 400)]
        else:
            t[i:i] = r.choice(FICHAS).encode("latin-1")
    return bytes(t)


def filas(fichero):
    try:
        db = sqlite3.connect("file:%s?mode=ro" % fichero, uri=True)
        try:
            return [f[0] for f in db.execute("SELECT Partida FROM Book ORDER BY rowid")]
        finally:
            db.close()
    except sqlite3.Error:
        return None


def crear_libro(fichero, lineas):
    db = sqlite3.connect(fichero)
    db.execute("CREATE TABLE Book (Partida TEXT)")
    db.executemany("INSERT INTO Book VALUES (?)", [(l,) for l in lineas])
    db.commit()
    db.close()


def leer(fichero):
    with open(fichero, "rb") as f:
        return f.read()


def lineas_legales(lineas):
    """None when every line is a legal game start of four-character moves, else the first bad one."""
    for l in lineas:
        jugadas = l.split(" ")
        if not l or len(l) > 100 or len(jugadas) > 20 or any(len(j) != 4 for j in jugadas):
            return l
        if chess:
            tablero = chess.Board()
            for j in jugadas:
                m = chess.Move.from_uci(j) if re.fullmatch(r"[a-h][1-8][a-h][1-8]", j) else None
                if m is None or m not in tablero.legal_moves:
                    return l
                tablero.push(m)
    return None


def mensajes_malos(err):
    """Message lines with control bytes, C1 controls or an unreasonable length."""
    malos = []
    for linea in err.split(b"\n"):
        texto = linea.decode("utf-8", "surrogateescape")
        if len(linea) > 400 or any(ord(c) < 0x20 or 0x7F <= ord(c) <= 0x9F or 0xDC80 <= ord(c) <= 0xDC9F
                                   for c in texto):
            malos.append(linea[:120])
    return malos


class Fuzz:
    def __init__(self, libro, dir_trabajo, semilla):
        self.libro = os.path.abspath(libro)
        self.dir = dir_trabajo
        self.r = random.Random(semilla)
        self.textos = corpus()
        self.cifras = dict(runs=0, crashes=0, wrong_status=0, books_changed=0, leftovers=0, bad_books=0,
                           bad_messages=0, books_written=0, interrupted=0, killed_leftovers_removed=0)
        self.hallazgos = []
        self.desenlaces = {}  # failure kind or signal, and status: how many runs
        self.anterior = os.path.join(dir_trabajo, "anterior.db")
        crear_libro(self.anterior, ["d2d4 d7d5", "c2c4 e7e5"])
        self.bytes_anterior = leer(self.anterior)
        self.env = dict(os.environ, ASAN_OPTIONS="exitcode=86:detect_leaks=1",
                        UBSAN_OPTIONS="exitcode=87:print_stacktrace=1", LC_ALL="C")

    def contar(self, desenlace):
        self.desenlaces[desenlace] = self.desenlaces.get(desenlace, 0) + 1

    def hallazgo(self, tipo, que, ficheros=()):
        self.cifras[tipo] += 1
        copia = os.path.join(self.dir, "hallazgo%d" % len(self.hallazgos))
        os.makedirs(copia)
        for f in ficheros:
            if os.path.isfile(f):
                shutil.copy(f, copia)
        self.hallazgos.append("%s: %s (inputs in %s)" % (tipo, que, copia))

    def preparar(self, dir_run):
        shutil.rmtree(dir_run, ignore_errors=True)
        os.makedirs(dir_run)
        shutil.copy(self.anterior, os.path.join(dir_run, "Book.db"))

    def lanzar(self, argumentos, cwd, stdout=subprocess.DEVNULL, limite=None):
        def hijo():
            if limite is not None:
                resource.setrlimit(resource.RLIMIT_FSIZE, (limite, limite))
        return subprocess.Popen([self.libro] + argumentos, cwd=cwd, stdout=stdout, stderr=subprocess.PIPE,
                                env=self.env, preexec_fn=hijo)

    def comun(self, rc, err, etiqueta, ficheros, senal=None):
        """Checks every run shares: no unexpected death, no sanitizer report, sound messages."""
        self.cifras["runs"] += 1
        if (rc < 0 and -rc != senal) or rc in (86, 87) or b"Sanitizer" in err or b"runtime error" in err:
            self.hallazgo("crashes", "%s: status %d %r" % (etiqueta, rc, err[-300:]), ficheros)
            return False
        if mensajes_malos(err):
            self.hallazgo("bad_messages", "%s: %r" % (etiqueta, mensajes_malos(err)[:2]), ficheros)
        return True

    def libro_tras(self, rc, err, dir_run, etiqueta, ficheros, escrito_posible, esperadas=None):
        """The book after a run: new (and sound) only when the run may have written one, else the earlier."""
        libro = os.path.join(dir_run, "Book.db")
        if os.path.exists(libro + ".nuevo"):
            self.hallazgo("leftovers", etiqueta, ficheros)
        if leer(libro) == self.bytes_anterior:
            if escrito_posible == "debe":
                self.hallazgo("wrong_status", "%s: status %d but no book written" % (etiqueta, rc), ficheros)
            return
        if not escrito_posible:
            self.hallazgo("books_changed", "%s: status %d %r" % (etiqueta, rc, err[-200:]), ficheros)
            return
        self.cifras["books_written"] += 1
        nuevas = filas(libro)
        malo = "unreadable" if nuevas is None else lineas_legales(nuevas) if esperadas is None else (
            None if nuevas == esperadas else "not the uninterrupted run's book")
        if malo is not None or not nuevas:
            self.hallazgo("bad_books", "%s: %s" % (etiqueta, malo or "empty"), ficheros)

    def entradas(self, dir_run):
        ficheros = []
        for n in range(self.r.choice((1, 1, 1, 2, 3))):
            ext, base = self.r.choice(self.textos)
            if self.r.random() < 0.2:
                ext, texto = self.r.choice((".pgn", ".eco")), aleatorio(self.r)
            else:
                texto = mutar(self.r, base, self.textos) if self.r.random() < 0.9 else base
            f = os.path.join(dir_run, "x%d%s" % (n, ext))
            with open(f, "wb") as s:
                s.write(texto)
            ficheros.append(os.path.basename(f))
        opciones = []
        for o in ("-k", "-g", "-t"):
            if self.r.random() < 0.2:
                opciones.append(o)
        if self.r.random() < 0.2:
            opciones += ["-p", str(self.r.randint(1, 20))]
        if self.r.random() < 0.2:
            opciones += ["-n", str(self.r.randint(1, 3))]
        return opciones, ficheros

    def run_entrada(self, i):
        """A random or mutated input: status 0 or 1 by the faults reported, never 2."""
        dir_run = os.path.join(self.dir, "run")
        self.preparar(dir_run)
        opciones, ficheros = self.entradas(dir_run)
        rutas = [os.path.join(dir_run, f) for f in ficheros]
        p = self.lanzar(["-o", "Book.db"] + opciones + ficheros, dir_run)
        _, err = p.communicate()
        etiqueta = "input run %d %s" % (i, " ".join(opciones + ficheros))
        if not self.comun(p.returncode, err, etiqueta, rutas):
            return
        faltas = re.search(rb":\d+: (partida|entrada) \d+: ", err) is not None
        m = re.search(rb": (\d+) lineas\n", err)
        lineas = int(m.group(1)) if m else -1
        esperado = 1 if faltas or lineas == 0 else 0
        if p.returncode != esperado:
            self.hallazgo("wrong_status", "%s: status %d, expected %d: %r" % (etiqueta, p.returncode, esperado,
                                                                             err[-300:]), rutas)
        escribe = lineas > 0 and (not faltas or "-k" in opciones)
        self.libro_tras(p.returncode, err, dir_run, etiqueta, rutas, "debe" if escribe else False)

    def run_fallo(self, i, referencia):
        """A failure the program can catch: status 2, the earlier book and the inputs untouched."""
        dir_run = os.path.join(self.dir, "run")
        self.preparar(dir_run)
        eco = os.path.join(dir_run, "a.eco")
        shutil.copy(referencia["eco"], eco)
        tipo = self.r.choice(("directory", "proc-mem", "missing", "dev-full", "fsize", "tmpfs", "same-file"))
        argumentos, stdout, limite, libro, disco = ["-o", "Book.db", "a.eco"], subprocess.DEVNULL, None, "Book.db", None
        if tipo == "directory":
            argumentos.insert(self.r.randint(2, 3), ".")
        elif tipo == "proc-mem":
            argumentos.insert(self.r.randint(2, 3), "/proc/self/mem")
        elif tipo == "missing":
            argumentos.insert(self.r.randint(2, 3), "no\x1b[2Jexiste.pgn")
        elif tipo == "dev-full":
            argumentos, stdout = ["a.eco"], open("/dev/full", "wb")
        elif tipo == "fsize":
            limite = self.r.choice((0, 1, 4096, 8192, 100000, 300000))
        elif tipo == "tmpfs" and referencia["tmpfs"]:
            disco = os.path.join(self.dir, "disco")
            tamano = self.r.choice((16, 64, 200, 300, 2048))
            subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%dk" % tamano, "tmpfs", disco], check=True)
            shutil.copy(self.anterior, os.path.join(disco, "Book.db"))
            libro = os.path.join(disco, "Book.db")
            argumentos = ["-o", libro, "a.eco"]
        elif tipo == "same-file":
            forma = self.r.choice(("./a.eco", "hard", "sym", "Book.db.nuevo"))
            if forma == "hard":
                os.link(eco, os.path.join(dir_run, "h.eco"))
            if forma == "sym":
                os.symlink("a.eco", os.path.join(dir_run, "s.eco"))
            salida = {"hard": "h.eco", "sym": "s.eco"}.get(forma, forma)
            argumentos = ["-o", "Book.db", "a.eco"] if forma == "Book.db.nuevo" else ["-o", salida, "a.eco"]
            if forma == "Book.db.nuevo":
                argumentos.append("Book.db.nuevo")
        else:
            tipo = "fsize"
            limite = 4096
        p = self.lanzar(argumentos, dir_run, stdout=stdout, limite=limite)
        _, err = p.communicate()
        if stdout is not subprocess.DEVNULL:
            stdout.close()
        etiqueta = "failure run %d %s %s" % (i, tipo, " ".join(argumentos))
        self.contar("%s:%d" % (tipo, p.returncode))
        try:
            if not self.comun(p.returncode, err, etiqueta, [eco]):
                return
            if leer(eco) != referencia["bytes_eco"]:
                self.hallazgo("books_changed", "%s: the input changed" % etiqueta, [eco])
            # A disk or a limit large enough lets the book through: then it must be the whole book.
            puede = tipo in ("fsize", "tmpfs")
            if p.returncode != 2 and not (puede and p.returncode == 0):
                self.hallazgo("wrong_status", "%s: status %d %r" % (etiqueta, p.returncode, err[-200:]), [eco])
            if tipo != "dev-full":
                dir_libro = os.path.dirname(os.path.join(dir_run, libro))
                self.libro_tras(p.returncode, err, dir_libro, etiqueta, [eco],
                                "debe" if p.returncode == 0 else False, referencia["filas"])
        finally:
            if disco:
                subprocess.run(["umount", disco], check=True)

    def run_interrumpido(self, i, referencia):
        """A signal at a random moment of a long run: the earlier book or the whole new one."""
        dir_run = os.path.join(self.dir, "run")
        self.preparar(dir_run)
        grande = os.path.join(dir_run, "grande.pgn")
        os.link(referencia["grande"], grande)
        senal = self.r.choice((signal.SIGINT, signal.SIGTERM, signal.SIGHUP, signal.SIGKILL))
        # Half the signals aimed at the end, where the book is written and renamed.
        t = referencia["duracion"] * (self.r.uniform(0.0, 1.0) if self.r.random() < 0.5 else self.r.uniform(0.7, 1.1))
        p = self.lanzar(["-o", "Book.db", "grande.pgn"], dir_run)
        time.sleep(t)
        p.send_signal(senal)
        _, err = p.communicate()
        etiqueta = "interrupted run %d signal %d after %.3f s" % (i, senal, t)
        self.contar("%s:%d%s" % (signal.Signals(senal).name, p.returncode,
                                 "" if leer(os.path.join(dir_run, "Book.db")) == self.bytes_anterior else ",new book"))
        self.cifras["interrupted"] += 1
        if not self.comun(p.returncode, err, etiqueta, [], senal):
            return
        rc = p.returncode
        nuevo = os.path.join(dir_run, "Book.db.nuevo")
        if senal == signal.SIGKILL:
            sobra = os.path.exists(nuevo)
            if rc not in (0, -senal):
                self.hallazgo("wrong_status", "%s: status %d" % (etiqueta, rc))
            if sobra:
                os.rename(nuevo, nuevo + ".visto")  # checked below: the next run removes it
            self.libro_tras(rc, err, dir_run, etiqueta, [], True, referencia["filas_grande"])
            if sobra:
                os.rename(nuevo + ".visto", nuevo)
                p = self.lanzar(["-o", "Book.db", "grande.pgn"], dir_run)
                _, err = p.communicate()
                self.comun(p.returncode, err, etiqueta + ", next run", [])
                if p.returncode != 0 or os.path.exists(nuevo):
                    self.hallazgo("leftovers", etiqueta + ", next run status %d" % p.returncode)
                else:
                    self.cifras["killed_leftovers_removed"] += 1
            return
        interrumpido = rc == 2 and b"vemsul-libro: interrumpido; Book.db no ha cambiado\n" in err
        if not (interrumpido or rc in (0, -senal)):
            self.hallazgo("wrong_status", "%s: status %d %r" % (etiqueta, rc, err[-200:]))
        self.libro_tras(rc, err, dir_run, etiqueta, [], "debe" if rc == 0 else not interrumpido,
                        referencia["filas_grande"])

    def referencia(self, partidas_grandes):
        """The uninterrupted runs the failures are compared with."""
        ref = dict(tmpfs=False)
        dir_ref = os.path.join(self.dir, "ref")
        os.makedirs(dir_ref)
        ref["eco"] = os.path.join(dir_ref, "a.eco")
        with open(ref["eco"], "wb") as f:  # Debian's whole file: a book of 300 KB, for the full disks
            f.write(leer(ECO_DEBIAN) if os.path.exists(ECO_DEBIAN) else
                    b"".join(t for e, t in self.textos if e == ".eco" and b"Illegal" not in t))
        ref["bytes_eco"] = leer(ref["eco"])
        ref["grande"] = os.path.join(dir_ref, "grande.pgn")
        with open(ref["grande"], "w") as f:
            f.write(partidas_grandes)
        for clave, entrada in (("filas", "a.eco"), ("filas_grande", "grande.pgn")):
            subprocess.run([self.libro, "-o", "Book.db", entrada], cwd=dir_ref, check=True, stderr=subprocess.DEVNULL,
                           env=self.env)
            ref[clave] = filas(os.path.join(dir_ref, "Book.db"))
        inicio = time.monotonic()
        for _ in range(3):
            subprocess.run([self.libro, "-o", "Book.db", "grande.pgn"], cwd=dir_ref, check=True,
                           stderr=subprocess.DEVNULL, env=self.env)
        ref["duracion"] = (time.monotonic() - inicio) / 3
        disco = os.path.join(self.dir, "disco")
        os.makedirs(disco)
        if os.geteuid() == 0 and subprocess.run(["mount", "-t", "tmpfs", "-o", "size=16k", "tmpfs", disco],
                                                stderr=subprocess.DEVNULL).returncode == 0:
            subprocess.run(["umount", disco], check=True)
            ref["tmpfs"] = True
        return ref


def partidas_grandes(r, n):
    """n random games of 20 plies (legal when python-chess is there; else Debian's ECO lines as PGN)."""
    juegos = []
    if chess:
        for _ in range(n):
            tablero, san = chess.Board(), []
            for ply in range(20):
                movs = list(tablero.legal_moves)
                if not movs:
                    break
                m = r.choice(movs)
                san.append(("%d. " % (ply // 2 + 1) if ply % 2 == 0 else "") + tablero.san(m))
                tablero.push(m)
            juegos.append(" ".join(san) + " " + r.choice(("1-0", "0-1", "1/2-1/2", "*")))
    else:
        with open(ECO_DEBIAN) as f:
            for m in re.finditer(r'"[^"]*"\s+([^*"]*)\*', f.read()):
                juegos.append(m.group(1).strip() + " *")
    return "\n\n".join(juegos) + "\n"


def main():
    a = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    a.add_argument("--libro", default=os.path.join(RAIZ, "build", "vemsul-libro"))
    a.add_argument("--runs", type=int, default=2000, help="random and mutated inputs")
    a.add_argument("--failures", type=int, default=300, help="unreadable files, full disks, book as input")
    a.add_argument("--interrupted", type=int, default=300, help="runs sent a signal at a random moment")
    a.add_argument("--games", type=int, default=5000, help="games of the long input the signals interrupt")
    a.add_argument("--seed", type=int, default=1)
    o = a.parse_args()
    dir_trabajo = tempfile.mkdtemp(prefix="fuzz_libro_")
    f = Fuzz(o.libro, dir_trabajo, o.seed)
    inicio = time.monotonic()
    ref = f.referencia(partidas_grandes(random.Random(o.seed), o.games))
    print("builder %s, seed %d, python-chess %s, tmpfs %s; an uninterrupted long run: %.3f s" % (
        f.libro, o.seed, "yes" if chess else "no", "yes" if ref["tmpfs"] else "no", ref["duracion"]))
    for i in range(o.runs):
        f.run_entrada(i)
    for i in range(o.failures):
        f.run_fallo(i, ref)
    for i in range(o.interrupted):
        f.run_interrumpido(i, ref)
    for h in f.hallazgos[:20]:
        print(h)
    print("failures and interruptions (kind:status): " + ", ".join("%s %d" % kv for kv in sorted(f.desenlaces.items())))
    print(", ".join("%s %d" % kv for kv in f.cifras.items()) + " (%.0f s)" % (time.monotonic() - inicio))
    if not f.hallazgos:
        shutil.rmtree(dir_trabajo)
    else:
        print("inputs kept in", dir_trabajo)
    return 1 if f.hallazgos else 0


if __name__ == "__main__":
    sys.exit(main())
