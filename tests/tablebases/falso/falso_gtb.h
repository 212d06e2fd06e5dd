// A stand-in for the tablebase probing library: it answers what the test tells it to and
// records what the engine hands it. Shared by the stand-in and the tests.
#pragma once

#include <cstddef>

struct EstadoFalso {
    // Answers; falso_reiniciar() sets the defaults noted.
    char texto_init[512];     // what tb_init returns; empty = null (default: empty)
    int inicializada;         // tb_is_initialized (1)
    int cache_activa;         // tbcache_is_on (1)
    unsigned disponibles;     // tb_availability (3)
    int sonda_devuelve;       // result of the probes (1)
    unsigned sonda_resultado; // result kind written by the probes (0)
    unsigned sonda_plies;     // plies written by the probes (0)

    // What it received.
    char llamadas[4096];      // every operation called, in order, each followed by a blank
    int verbosidad, compresion;
    const char** rutas_tb_init;      // handle given to tb_init
    const char** rutas_anadir;       // handle given to tbpaths_add
    const char** rutas_fin;          // last handle given to tbpaths_done
    char ruta[512];                  // directory given to tbpaths_add
    std::size_t cache_bytes;
    int fraccion_wdl;
    unsigned turno, alpaso, enroques;
    unsigned resultado_previo, plies_previos;  // the result words as they were on entry
    unsigned casillasB[17], casillasN[17];     // up to and including the terminator
    unsigned char piezasB[17], piezasN[17];
    int nb, nn;                                // entries before the terminator (17: none found)
};

// Handles the stand-in gives out, so that the tests can follow them.
extern "C" EstadoFalso* falso_estado();
extern "C" void falso_reiniciar();
extern "C" const char** falso_rutas_init();    // what tbpaths_init returns
extern "C" const char** falso_rutas_anadir();  // what tbpaths_add returns
