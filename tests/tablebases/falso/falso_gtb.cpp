// The stand-in library: every 3-piece table present. Built twice: complete, and with
// FALSO_INCOMPLETO without tbpaths_done (the last operation the engine looks up).
#include "falso_gtb.h"

#include <cstddef>
#include <cstring>

namespace {
EstadoFalso estado;
const char* rutas[2];

void Anotar(const char* nombre) {
    std::strncat(estado.llamadas, nombre, sizeof estado.llamadas - std::strlen(estado.llamadas) - 2);
    std::strcat(estado.llamadas, " ");
}

// A list up to and including its terminator (square 64); the entries before it.
template <class T>
int Copiar(const T* origen, const unsigned* casillas, T* destino) {
    for (int n = 0; n < 17; n++) {
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

void falso_reiniciar() {
    std::memset(&estado, 0, sizeof estado);
    estado.sonda_devuelve = 1;
}

char* tb_init(int, int, const char**) { return nullptr; }
int tb_probe_hard(unsigned stm, unsigned epsq, unsigned castles, const unsigned* wSQ, const unsigned* bSQ,
                  const unsigned char* wPC, const unsigned char* bPC, unsigned* info, unsigned* plies) {
    return Sonda("tb_probe_hard", stm, epsq, castles, wSQ, bSQ, wPC, bPC, info, plies);
}
int tb_probe_soft(unsigned stm, unsigned epsq, unsigned castles, const unsigned* wSQ, const unsigned* bSQ,
                  const unsigned char* wPC, const unsigned char* bPC, unsigned* info, unsigned* plies) {
    return Sonda("tb_probe_soft", stm, epsq, castles, wSQ, bSQ, wPC, bPC, info, plies);
}
int tbcache_init(std::size_t, int) { return 1; }
void tb_done() { Anotar("tb_done"); }
int tb_is_initialized() { return 1; }
unsigned tb_availability() { return 3; }
void tbcache_done() {}
int tbcache_is_on() { return 1; }
void tbcache_flush() {}
void tbstats_reset() {}
const char** tbpaths_init() { return rutas; }
const char** tbpaths_add(const char** ps, const char*) { return ps; }
#ifndef FALSO_INCOMPLETO
const char** tbpaths_done(const char**) { return nullptr; }
#endif
}
