// The tablebases' front end: loading and releasing them, with their console reports.
#include <cstdio>

#include "tablebases/gaviota.h"
#include "tablebases/syzygy.h"
#include "uci/uci.h"

namespace {

// One line for each piece count's tables, and one more when they are complete.
void ImprimirDisponibles(i32 bits, i32 presentes, const char* piezas) {
    if (bits & presentes) std::printf("%s TBs available\n", piezas);
    else std::printf("No %s TBs available\n", piezas);
    if (bits & Completas(presentes)) std::printf("%s TBs complete\n", piezas);
}

}  // namespace

void CargarGaviota() {
    const CargaGaviota r = Cargar_gtbgaviota_dll();
    if (!r.cargada) return;
    if (r.texto) std::printf("%s\n", r.texto->c_str());
    std::printf("Initialized: %s\n\n", r.iniciada ? "Ok" : "FAILED");
    std::printf("State cache: %s\n\n", r.cache ? "Ok" : "FAILED");
    const i32 bits = tbprobe_Gaviota.TablasDisponibles;
    ImprimirDisponibles(bits, TB_3_PIEZAS, "3-pc");
    ImprimirDisponibles(bits, TB_4_PIEZAS, "4-pc");
    ImprimirDisponibles(bits, TB_5_PIEZAS, "5-pc");
}

void DescargarGaviota() {
    if (!Descargar_gtbgaviota_dll()) std::printf("Error: Liberar bitbases.\n");
}

void CargarTablasSyzygy() {
    for (const std::string& aviso : CargarSyzygy()) std::printf("info string %s\n", aviso.c_str());
}
