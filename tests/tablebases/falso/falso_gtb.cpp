// The stand-in library. Built twice: complete, and with FALSO_INCOMPLETO without
// tbpaths_done (the last operation the engine looks up). Operations of the real library that
// the engine does not use are left out.
#include "falso_gtb.h"

#include <cstring>

namespace {
EstadoFalso estado;
const char* lista_init[2];
const char* lista_anadir[2];

void Anotar(const char* nombre) {
    std::strncat(estado.llamadas, nombre, sizeof estado.llamadas - std::strlen(estado.llamadas) - 2);
    std::strcat(estado.llamadas, " ");
}

template <class T>
int Copiar(const T* origen, const unsigned* casillas, T* destino) {
    int n = 0;
    for (; n < 17; n++) {
        destino[n] = origen[n];
        if (casillas[n] == 64) return n;
    }
    return 17;
}

int Sonda(const char* nombre, unsigned stm, unsigned epsq, unsigned castles, const unsigned* wSQ,
          const unsigned* bSQ, const unsigned char* wPC, const unsigned char* bPC, unsigned* info, unsigned* plies) {
    Anotar(nombre);
    estado.turno = stm;
    estado.alpaso = epsq;
    estado.enroques = castles;
    estado.resultado_previo = *info;
    estado.plies_previos = *plies;
    estado.nb = Copiar(wSQ, wSQ, estado.casillasB);
    Copiar(wPC, wSQ, estado.piezasB);
    estado.nn = Copiar(bSQ, bSQ, estado.casillasN);
    Copiar(bPC, bSQ, estado.piezasN);
    *info = estado.sonda_resultado;
    *plies = estado.sonda_plies;
    return estado.sonda_devuelve;
}
}  // namespace

extern "C" {

EstadoFalso* falso_estado() { return &estado; }
const char** falso_rutas_init() { return lista_init; }
const char** falso_rutas_anadir() { return lista_anadir; }

void falso_reiniciar() {
    std::memset(&estado, 0, sizeof estado);
    estado.inicializada = 1;
    estado.cache_activa = 1;
    estado.disponibles = 3;
    estado.sonda_devuelve = 1;
}

char* tb_init(int verbosity, int compression_scheme, const char** paths) {
    Anotar("tb_init");
    estado.verbosidad = verbosity;
    estado.compresion = compression_scheme;
    estado.rutas_tb_init = paths;
    return estado.texto_init[0] ? estado.texto_init : nullptr;
}
int tb_probe_hard(unsigned stm, unsigned epsq, unsigned castles, const unsigned* wSQ, const unsigned* bSQ,
                  const unsigned char* wPC, const unsigned char* bPC, unsigned* info, unsigned* plies) {
    return Sonda("tb_probe_hard", stm, epsq, castles, wSQ, bSQ, wPC, bPC, info, plies);
}
int tb_probe_soft(unsigned stm, unsigned epsq, unsigned castles, const unsigned* wSQ, const unsigned* bSQ,
                  const unsigned char* wPC, const unsigned char* bPC, unsigned* info, unsigned* plies) {
    return Sonda("tb_probe_soft", stm, epsq, castles, wSQ, bSQ, wPC, bPC, info, plies);
}
int tbcache_init(std::size_t cache_mem, int wdl_fraction) {
    Anotar("tbcache_init");
    estado.cache_bytes = cache_mem;
    estado.fraccion_wdl = wdl_fraction;
    return 1;
}
// The operations that only answer.
void tb_done() { Anotar("tb_done"); }
int tb_is_initialized() { return Anotar("tb_is_initialized"), estado.inicializada; }
unsigned tb_availability() { return Anotar("tb_availability"), estado.disponibles; }
void tbcache_done() { Anotar("tbcache_done"); }
int tbcache_is_on() { return Anotar("tbcache_is_on"), estado.cache_activa; }
void tbcache_flush() { Anotar("tbcache_flush"); }
void tbstats_reset() { Anotar("tbstats_reset"); }
const char** tbpaths_init() { return Anotar("tbpaths_init"), lista_init; }
const char** tbpaths_add(const char** ps, const char* newpath) {
    Anotar("tbpaths_add");
    estado.rutas_anadir = ps;
    std::strncpy(estado.ruta, newpath, sizeof estado.ruta - 1);
    return lista_anadir;
}
#ifndef FALSO_INCOMPLETO
const char** tbpaths_done(const char** ps) {
    Anotar("tbpaths_done");
    estado.rutas_fin = ps;
    return nullptr;
}
#endif
}
