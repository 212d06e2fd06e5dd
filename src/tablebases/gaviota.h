// Gaviota endgame tablebases through the probing library, loaded at run time (never linked:
// without the library the engine simply plays without tablebases). The Windows build has the
// probing code compiled in instead, reached the same way (gaviota_enlazada.h).
#pragma once

#include <optional>
#include <string>

#include "board/board.h"

struct RegistroGaviota {
    i32 UseGaviotaTablebases;  // option UseGaviotaTablebases
    i32 TablasCargadas;        // 1 = library loaded and initialised
    i32 TablasDisponibles;     // availability bits last reported by the library
    char GaviotaTbPath[256];   // option GaviotaTbPath
    i32 GaviotaCompression;    // option GaviotaCompression, 0..9
    i32 Verbosidad;            // passed to the library's initialisation; always 1
    i32 GaviotaTbCache;        // option GaviotaTbCache, megabytes
    i32 FraccionWDL;           // share of the cache for win/draw/loss data; always 96
    const char** Rutas;        // the library's path-list handle
};

extern RegistroGaviota tbprobe_Gaviota;

// Availability bits of the library: bit 0 some 3-piece tables, bit 1 all of them, bits 2/3
// the same for 4 pieces, bits 4/5 for 5 pieces.
constexpr i32 TB_3_PIEZAS = 1, TB_4_PIEZAS = 4, TB_5_PIEZAS = 16;
constexpr i32 Completas(i32 presentes) { return presentes << 1; }  // the "all of them" bit

// The library's file name, handed to the platform loader; tests point it at a stand-in.
extern const char* NombreBibliotecaGaviota;
extern void* gtb_hmod;  // handle of the loaded library, null when none is loaded

// What a load found out, for the protocol layer to report; the availability bits are in
// TablasDisponibles.
struct CargaGaviota {
    bool cargada;                      // false: no library, or one lacking an operation
    std::optional<std::string> texto;  // what the library's initialisation returned
    bool iniciada, cache;              // the library says it is initialised, its cache works
};
// Loads and initialises the library; when it cannot be loaded or lacks an operation nothing
// is to be reported (it is then released again at once).
CargaGaviota Cargar_gtbgaviota_dll();
// Shuts the library down and releases it. 1 on success or when nothing was loaded; 0 when
// the release failed.
int Descargar_gtbgaviota_dll();

// Exact result of the current position from the tablebases, as a search score from the side
// to move's point of view (a win scores VALOR_MATE - 1 minus the plies to mate). profundidad is the
// iteration depth: above 3 only the library's cache is consulted. Returns 1 when the library
// answered, else 0 (score 0).
int Probar_gtbgaviota(int& puntuacion, int profundidad);
