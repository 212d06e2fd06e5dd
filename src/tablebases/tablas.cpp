// What the reports need from both kinds of tables.
#include "tablebases/tablas.h"

#include <cstring>

#include "tablebases/gaviota.h"
#include "tablebases/syzygy.h"

POR_HILO u64 AciertosTablas = 0;

bool TablasConfiguradas() {
    const char* ruta = tbprobe_Syzygy.SyzygyPath;
    return tbprobe_Gaviota.UseGaviotaTablebases == 1 || (ruta[0] && std::strcmp(ruta, "<empty>") != 0);
}
