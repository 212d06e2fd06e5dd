#!/usr/bin/env python3
"""How many realistic faults does the test suite catch?

Applies each fault of FALLOS (tools/mutants_list.py) to the engine's sources, one at a time,
rebuilds the Release build incrementally, runs the whole suite and the bench signature check
(what make test runs), and restores the file. A fault is caught ("killed") when some test fails
or the signature changes; the kill rate is the share of faults caught. A fault that no longer
applies (its text is gone from the file, or appears twice) or that does not compile is reported
and left out of the rate: mend the list.

  tools/mutants.py                 every fault
  tools/mutants.py --only 3,17     some of them (numbers as --list prints them)
  tools/mutants.py --list          the list, nothing run
  tools/mutants.py --build DIR     build directory (default build-mutants)
"""
import argparse
import os
import subprocess
import sys
import time

RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mutants_list import FALLOS  # noqa: E402


def ejecutar(orden, **kw):
    return subprocess.run(orden, cwd=RAIZ, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)


def objetivos(dir_build):
    """The engine, the book builder, the patch tool and what the tests run; not the default book, whose build
    would fail on many faults before any test could."""
    ayuda = ejecutar(["cmake", "--build", dir_build, "--target", "help"]).stdout.split()
    return ["vemsul", "vemsul-libro", "vemsul-parche"] + [t for t in ayuda if t.startswith(("test_", "gtb_"))]


def compilar(dir_build, informe=False):
    r = ejecutar(["cmake", "--build", dir_build, "-j", str(os.cpu_count() or 2), "--target"] + objetivos(dir_build))
    if r.returncode != 0 and informe:
        print("\n".join(r.stdout.splitlines()[-15:]))
    return r.returncode == 0


def suite(dir_build):
    """True when every test passes and the engine keeps the bench signature, as make test asks."""
    r = subprocess.run(["ctest", "-j", str(os.cpu_count() or 2), "--stop-on-failure", "--timeout", "900"],
                       cwd=os.path.join(RAIZ, dir_build), stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return r.returncode == 0 and ejecutar(["scripts/check-bench.sh", os.path.join(dir_build, "vemsul")]).returncode == 0


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default="build-mutants")
    ap.add_argument("--only", default="")
    ap.add_argument("--list", action="store_true")
    args = ap.parse_args()

    elegidos = {int(x) for x in args.only.split(",") if x}
    fallos = [(i, f) for i, f in enumerate(FALLOS, 1) if not elegidos or i in elegidos]
    if args.list:
        for i, (capa, fichero, _, _, que) in fallos:
            print(f"{i:3} {capa:10} {fichero:32} {que}")
        return 0

    configurar = ["cmake", "-S", ".", "-B", args.build, "-DCMAKE_BUILD_TYPE=Release", "-DVEMSUL_TESTS=ON"]
    if ejecutar(configurar).returncode != 0 or not compilar(args.build):
        print("the unchanged sources do not build", file=sys.stderr)
        return 2
    if not suite(args.build):
        print("the suite fails on the unchanged sources", file=sys.stderr)
        return 2

    muertos, vivos, invalidos = [], [], []
    for i, (capa, fichero, original, fallo, que) in fallos:
        ruta = os.path.join(RAIZ, fichero)
        with open(ruta, encoding="latin-1") as f:
            texto = f.read()
        if texto.count(original) != 1:
            print(f"{i:3} NO APLICA  {fichero}: {que}")
            invalidos.append(i)
            continue
        inicio = time.time()
        try:
            with open(ruta, "w", encoding="latin-1") as f:
                f.write(texto.replace(original, fallo))
            if not compilar(args.build, informe=True):
                estado = "NO COMPILA"
                invalidos.append(i)
            elif suite(args.build):
                estado = "VIVO"
                vivos.append(i)
            else:
                estado = "muerto"
                muertos.append(i)
        finally:
            with open(ruta, "w", encoding="latin-1") as f:
                f.write(texto)
        print(f"{i:3} {estado:10} {capa:10} {que}  ({time.time() - inicio:.0f} s)", flush=True)

    compilar(args.build)  # leave the build matching the sources
    validos = len(muertos) + len(vivos)
    if validos:
        print(f"\ncaught {len(muertos)} of {validos} faults: {100.0 * len(muertos) / validos:.1f} %")
    if vivos:
        print("survivors: " + ", ".join(map(str, vivos)))
    if invalidos:
        print("not applied: " + ", ".join(map(str, invalidos)))
    return 0 if not invalidos else 1


if __name__ == "__main__":
    sys.exit(main())
