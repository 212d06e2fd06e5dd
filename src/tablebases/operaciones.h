// The probing library's operations, as the engine sees them: one pointer per operation,
// looked up by name when the library is loaded and null while it is not. The signatures are
// the library's own (its C header is not needed to build the engine).
#pragma once

#include <cstddef>

using TipoTbInit = char* (*)(int verbosidad, int compresion, const char** rutas);
using TipoTbVacia = void (*)();
using TipoTbSonda = int (*)(unsigned turno, unsigned alpaso, unsigned enroques, const unsigned* casillasB,
                            const unsigned* casillasN, const unsigned char* piezasB, const unsigned char* piezasN,
                            unsigned* resultado, unsigned* plies);
using TipoTbSondaWDL = int (*)(unsigned turno, unsigned alpaso, unsigned enroques, const unsigned* casillasB,
                               const unsigned* casillasN, const unsigned char* piezasB,
                               const unsigned char* piezasN, unsigned* resultado);
using TipoTbConsulta = int (*)();
using TipoTbDisponibles = unsigned (*)();
using TipoTbMemoria = std::size_t (*)();
using TipoTbCacheInit = int (*)(std::size_t bytes, int fraccionWDL);
using TipoTbRutasInit = const char** (*)();
using TipoTbRutasAnadir = const char** (*)(const char** rutas, const char* ruta);
using TipoTbRutasFin = const char** (*)(const char** rutas);
using TipoTbRutaPrincipal = const char* (*)();

// A namespace of their own keeps these pointers from sharing a linker name with the
// library's functions of the same names.
inline namespace operaciones_gtb {
extern TipoTbInit tb_init;
extern TipoTbInit tb_restart;
extern TipoTbVacia tb_done;
extern TipoTbSonda tb_probe_hard;
extern TipoTbSonda tb_probe_soft;
extern TipoTbSondaWDL tb_probe_WDL_hard;
extern TipoTbSondaWDL tb_probe_WDL_soft;
extern TipoTbConsulta tb_is_initialized;
extern TipoTbDisponibles tb_availability;
extern TipoTbMemoria tb_indexmemory;
extern TipoTbCacheInit tbcache_init;
extern TipoTbCacheInit tbcache_restart;
extern TipoTbVacia tbcache_done;
extern TipoTbConsulta tbcache_is_on;
extern TipoTbVacia tbcache_flush;
extern TipoTbVacia tbstats_reset;
extern TipoTbRutasInit tbpaths_init;
extern TipoTbRutasAnadir tbpaths_add;
extern TipoTbRutasFin tbpaths_done;
extern TipoTbRutaPrincipal tbpaths_getmain;
}  // namespace operaciones_gtb

// How the library is released (the platform's LiberarBiblioteca); tests replace it to
// exercise a failed release.
extern bool (*LiberarBibliotecaGaviota)(void* biblioteca);
