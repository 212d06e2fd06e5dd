// The table of the compiled-in Gaviota operations (see gaviota_enlazada.h).
#ifdef VEMSUL_GAVIOTA_ENLAZADA
#include "tablebases/gaviota_enlazada.h"

#include <cstring>

#include "gtb-probe.h"

namespace {

struct Operacion {
    const char* nombre;
    void* direccion;
};

#define OPERACION(f) Operacion{#f, reinterpret_cast<void*>(&f)}
const Operacion OPERACIONES[] = {
    OPERACION(tb_init),           OPERACION(tb_done),        OPERACION(tb_probe_hard),
    OPERACION(tb_probe_soft),     OPERACION(tb_is_initialized), OPERACION(tb_availability),
    OPERACION(tbcache_init),      OPERACION(tbcache_done),   OPERACION(tbcache_is_on),
    OPERACION(tbcache_flush),     OPERACION(tbstats_reset),  OPERACION(tbpaths_init),
    OPERACION(tbpaths_add),       OPERACION(tbpaths_done),
};
#undef OPERACION

char marca;  // the "handle" of the compiled-in library

}  // namespace

void* AbrirGaviotaEnlazada(const char*) { return &marca; }

void* OperacionGaviotaEnlazada(void*, const char* nombre) {
    for (const Operacion& o : OPERACIONES)
        if (!std::strcmp(o.nombre, nombre)) return o.direccion;
    return nullptr;
}

bool CerrarGaviotaEnlazada(void*) { return true; }
#endif
