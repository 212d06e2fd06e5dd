// The evaluation cache's storage.
#include "eval/cache.h"

#include "platform.h"

EntradaCacheEval* TT_Cache = nullptr;
Divisor DivisorCache = CrearDivisor(1);
bool CacheEvalActiva = false;

namespace {
constexpr EntradaCacheEval CACHE_VACIA = {0, -VALOR_INFINITO, {}, {}};
i64 Entradas = 0;  // the index modulus; the array holds one entry more
}  // namespace

bool CrearCacheEval(i32 entradas) {
    LiberarCacheEval();
    Entradas = entradas;
    DivisorCache = CrearDivisor(u64(entradas));
    TT_Cache = static_cast<EntradaCacheEval*>(ReservarTabla((size_t(entradas) + 1) * sizeof(EntradaCacheEval)));
    CacheEvalActiva = TT_Cache != nullptr;
    return CacheEvalActiva;
}

void LimpiarCacheEval() {
    if (!CacheEvalActiva) return;
    // A local pointer and count: the stores could otherwise alias them and force a reload
    // every entry.
    EntradaCacheEval* cache = TT_Cache;
    const i64 n = Entradas;
    for (i64 i = 0; i <= n; i++) cache[i] = CACHE_VACIA;
}

void LiberarCacheEval() {
    LiberarTabla(TT_Cache);
    TT_Cache = nullptr;
    CacheEvalActiva = false;
}

void ApagarCacheEval() { CacheEvalActiva = false; }

void EncenderCacheEval() { CacheEvalActiva = TT_Cache != nullptr; }
