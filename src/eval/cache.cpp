// The evaluation cache's storage.
#include "eval/cache.h"

#include <cstring>

#include "platform.h"

RanuraCacheEval* TT_Cache = nullptr;
POR_HILO Divisor DivisorCache = CrearDivisor(1);
bool CacheEvalActiva = false;

namespace {
// An empty slot holds this entry under a key no position has (keys never set the top bit).
constexpr EntradaCacheEval CACHE_VACIA = {u64(1) << 63, -VALOR_INFINITO, {}, {}};
i64 Entradas = 0;  // the index modulus; the array holds one entry more

RanuraCacheEval Codificar(const EntradaCacheEval& e) {
    EntradaCacheEval limpia;
    std::memset(&limpia, 0, sizeof limpia);  // the padding too: it is part of the check
    limpia.Clave = e.Clave;
    limpia.Puntuacion = e.Puntuacion;
    std::memcpy(limpia.PasadoBlancas, e.PasadoBlancas, sizeof limpia.PasadoBlancas);
    std::memcpy(limpia.PasadoNegras, e.PasadoNegras, sizeof limpia.PasadoNegras);
    RanuraCacheEval r;
    std::memcpy(&r, &limpia, sizeof r);
    r.claveMezclada ^= r.datos[0] ^ r.datos[1] ^ r.datos[2];
    return r;
}

inline u64 Cargar(const u64& x) { return __atomic_load_n(&x, __ATOMIC_RELAXED); }
inline void Guardar(u64& x, u64 v) { __atomic_store_n(&x, v, __ATOMIC_RELAXED); }

}  // namespace

bool LeerCacheEval(const RanuraCacheEval* r, EntradaCacheEval& e) {
    RanuraCacheEval copia = {Cargar(r->claveMezclada), {Cargar(r->datos[0]), Cargar(r->datos[1]), Cargar(r->datos[2])}};
    copia.claveMezclada ^= copia.datos[0] ^ copia.datos[1] ^ copia.datos[2];
    if (copia.claveMezclada != TableroGlobal.Hash) return false;
    std::memcpy(&e, &copia, sizeof e);
    return true;
}

void EscribirCacheEval(RanuraCacheEval* r, const EntradaCacheEval& e) {
    const RanuraCacheEval c = Codificar(e);
    Guardar(r->claveMezclada, c.claveMezclada);
    for (int i = 0; i < 3; i++) Guardar(r->datos[i], c.datos[i]);
}

bool CrearCacheEval(i32 entradas) {
    LiberarCacheEval();
    Entradas = entradas;
    DivisorCache = CrearDivisor(u64(entradas));
    TT_Cache = static_cast<RanuraCacheEval*>(ReservarTabla((size_t(entradas) + 1) * sizeof(RanuraCacheEval)));
    CacheEvalActiva = TT_Cache != nullptr;
    return CacheEvalActiva;
}

void LimpiarCacheEval() {
    if (!CacheEvalActiva) return;
    // A local pointer and count: the stores could otherwise alias them and force a reload
    // every entry.
    RanuraCacheEval* cache = TT_Cache;
    const i64 n = Entradas;
    const RanuraCacheEval vacia = Codificar(CACHE_VACIA);
    for (i64 i = 0; i <= n; i++) cache[i] = vacia;
}

void LiberarCacheEval() {
    LiberarTabla(TT_Cache);
    TT_Cache = nullptr;
    CacheEvalActiva = false;
}

void ApagarCacheEval() { CacheEvalActiva = false; }

void EncenderCacheEval() { CacheEvalActiva = TT_Cache != nullptr; }
