// The probing library's operations that the engine calls, as it sees them: one pointer per
// operation, looked up by name when the library is loaded and null while it is not. The
// signatures are the library's own (its C header is not needed to build the engine).
#pragma once

#include <cstddef>

using TipoTbInit = char* (*)(int verbosidad, int compresion, const char** rutas);
using TipoTbVacia = void (*)();
using TipoTbSonda = int (*)(unsigned turno, unsigned alpaso, unsigned enroques, const unsigned* casillasB,
                            const unsigned* casillasN, const unsigned char* piezasB, const unsigned char* piezasN,
                            unsigned* resultado, unsigned* plies);
using TipoTbConsulta = int (*)();
using TipoTbDisponibles = unsigned (*)();
using TipoTbCacheInit = int (*)(std::size_t bytes, int fraccionWDL);
using TipoTbRutasInit = const char** (*)();
using TipoTbRutasAnadir = const char** (*)(const char** rutas, const char* ruta);
using TipoTbRutasFin = const char** (*)(const char** rutas);

// A namespace of their own keeps these pointers from sharing a linker name with the
// library's functions of the same names.
inline namespace operaciones_gtb {
extern TipoTbInit tb_init;
extern TipoTbVacia tb_done;
extern TipoTbSonda tb_probe_hard;
extern TipoTbSonda tb_probe_soft;
extern TipoTbConsulta tb_is_initialized;
extern TipoTbDisponibles tb_availability;
extern TipoTbCacheInit tbcache_init;
extern TipoTbVacia tbcache_done;
extern TipoTbConsulta tbcache_is_on;
extern TipoTbVacia tbcache_flush;
extern TipoTbVacia tbstats_reset;
extern TipoTbRutasInit tbpaths_init;
extern TipoTbRutasAnadir tbpaths_add;
extern TipoTbRutasFin tbpaths_done;
}  // namespace operaciones_gtb

// How the library is reached: through the platform's loader (CargarBiblioteca, BuscarOperacion,
// LiberarBiblioteca), or, where the probing code is compiled in, through its table
// (gaviota_enlazada.h). Tests replace the release to exercise a failed one.
extern void* (*AbrirBibliotecaGaviota)(const char* nombre);
extern void* (*OperacionGaviota)(void* biblioteca, const char* nombre);
extern bool (*LiberarBibliotecaGaviota)(void* biblioteca);
