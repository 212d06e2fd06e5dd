// A stand-in for the tablebase probing library: it answers what the test tells it to and
// records what the engine hands it. Shared by the stand-in and the tests.
#pragma once

struct EstadoFalso {
    // Answers of the probes; falso_reiniciar() sets 1 (success), 0 (a draw), 0 plies.
    int sonda_devuelve;
    unsigned sonda_resultado, sonda_plies;

    // What it received.
    char llamadas[4096];  // the shut-down and probe operations called, each followed by a blank
    unsigned turno, alpaso, enroques;
    unsigned casillasB[17], casillasN[17];  // up to and including the terminator
    unsigned char piezasB[17], piezasN[17];
    int nb, nn;  // entries before the terminator (17: none found)
};

extern "C" EstadoFalso* falso_estado();
extern "C" void falso_reiniciar();
