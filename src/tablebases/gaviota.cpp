// Loading and unloading the tablebase probing library.
#include "tablebases/gaviota.h"

RegistroGaviota tbprobe_Gaviota;

// The library is not loaded yet: the engine plays without tablebases.
void Cargar_gtbgaviota_dll() { tbprobe_Gaviota.TablasCargadas = 0; }

int Descargar_gtbgaviota_dll() { return 1; }

int Probar_gtbgaviota(int& puntuacion, int) {
    puntuacion = 0;
    return 0;
}
