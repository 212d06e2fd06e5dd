// Gaviota endgame tablebases through the probing library, loaded at run time.
#pragma once

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

void Cargar_gtbgaviota_dll();
int Descargar_gtbgaviota_dll();  // 1 on success or when nothing was loaded

// Exact result of the current position from the tablebases, as a search score from the side
// to move's point of view. Returns 1 when the library answered, else 0 (score 0).
int Probar_gtbgaviota(int& puntuacion, int profundidad);
