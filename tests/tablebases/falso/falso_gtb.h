// A stand-in for the tablebase probing library: it answers what the test tells it to and
// records what the engine hands it. Shared by the stand-in and the tests.
#pragma once

#include <cstddef>

struct EstadoFalso {
    // Answers; falso_reiniciar() sets the defaults noted.
    char texto_init[512];      // what tb_init returns; empty = null (empty)
    int inicializada;          // tb_is_initialized (1)
    int cache_activa;          // tbcache_is_on (1)
    unsigned disponibles;      // tb_availability (3: all 3-piece tables)
    int sonda_devuelve;        // result of the probes (1)
    unsigned sonda_resultado;  // result kind written by the probes (0: a draw)
    unsigned sonda_plies;      // plies written by the probes (0)

    // What it received.
    char llamadas[4096];  // the initialisation, shut-down and probe operations called, each followed by a blank
    int compresion;
    char ruta[512];  // directory added to the path list
    std::size_t cache_bytes;
    int fraccion_wdl;
    unsigned turno, alpaso, enroques;
    unsigned casillasB[17], casillasN[17];  // up to and including the terminator
    unsigned char piezasB[17], piezasN[17];
    int nb, nn;  // entries before the terminator (17: none found)
};

extern "C" EstadoFalso* falso_estado();
extern "C" void falso_reiniciar();
