// Transposition table: one entry per index, the index a remainder of the key (not a mask),
// the newest store always wins. The evaluation cache is sized, created and cleared with it.
#include "search/tt.h"

#include "platform.h"
#include "search/search.h"

RegistroTT TT_Opciones;
RanuraTT* TT_Datos = nullptr;
POR_HILO Divisor DivisorTT = CrearDivisor(1);

namespace {

// An empty slot holds this entry under a key no position has (keys never set the top bit).
constexpr EntradaTT TT_VACIA = {u64(1) << 63, 0, -VALOR_INFINITO, 0};
constexpr int GENERACIONES = 128;  // the generation field's 7 bits
// Sizing: below 32 MB everything goes to the table; up to 1024 MB an eighth (rounded) goes to
// the evaluation cache; above, 896 and 128.
constexpr int MEGAS_CON_CACHE = 32, MEGAS_MAXIMOS = 1024, MEGAS_TT_MAXIMOS = 896;
constexpr float PARTE_CACHE = 0.125f;
constexpr float ENTRADAS_TT_POR_MEGA = 1048576.0f / sizeof(EntradaTT);
constexpr float ENTRADAS_CACHE_POR_MEGA = 1048576.0f / sizeof(EntradaCacheEval);

inline RanuraTT* Entrada() { return EntradaTTActual(); }

// Relaxed atomic words: other search threads may write the same slot at any time.
inline u64 Cargar(const u64& x) { return __atomic_load_n(&x, __ATOMIC_RELAXED); }
inline void Guardar(u64& x, u64 v) { __atomic_store_n(&x, v, __ATOMIC_RELAXED); }

inline u64 Empaquetar(const EntradaTT& e) {
    return u64(e.Jugada) | u64(u16(e.Puntuacion)) << 32 | u64(e.Empaquetado) << 48;
}

// The slot's entry when it holds the current position, whole.
inline bool Leer(const RanuraTT* r, EntradaTT& e) {
    const u64 datos = Cargar(r->datos);
    const u64 clave = Cargar(r->claveMezclada) ^ datos;
    if (clave != TableroGlobal.Hash) return false;
    e = {clave, u32(datos), i16(u16(datos >> 32)), u16(datos >> 48)};
    return true;
}

inline void Escribir(RanuraTT* r, const EntradaTT& e) {
    const u64 datos = Empaquetar(e);
    Guardar(r->claveMezclada, e.Clave ^ datos);
    Guardar(r->datos, datos);
}

RegistroTT Construidas{};  // the sizes of the tables in place; zero when there are none

void Limpiar() {
    // Locals: the stores could otherwise alias the counts and force a reload every entry.
    if (RanuraTT* datos = TT_Datos) {
        const i64 n = TT_Opciones.EntradasTT;
        const RanuraTT vacia = {TT_VACIA.Clave ^ Empaquetar(TT_VACIA), Empaquetar(TT_VACIA)};
        for (i64 i = 0; i <= n; i++) datos[i] = vacia;
    }
    LimpiarCacheEval();
    TT_Opciones.Escrituras = 0;
    TT_Opciones.Generacion = 0;
}

}  // namespace

void DimensionarTransposicion(int megas, RegistroTT& r) {
    if (megas < 1) {
        r.MegasTT = 1;
        r.MegasCache = 0;
    } else if (megas < MEGAS_CON_CACHE) {
        r.MegasTT = megas;
        r.MegasCache = 0;
    } else if (megas <= MEGAS_MAXIMOS) {
        int k = int(float(megas) * PARTE_CACHE + 0.5f);
        r.MegasTT = megas - k;
        r.MegasCache = k;
    } else {
        r.MegasTT = MEGAS_TT_MAXIMOS;
        r.MegasCache = MEGAS_MAXIMOS - MEGAS_TT_MAXIMOS;
    }
    r.EntradasTT = int(float(r.MegasTT) * ENTRADAS_TT_POR_MEGA + 0.5f);
    if (r.MegasCache != 0) r.EntradasCache = int(float(r.MegasCache) * ENTRADAS_CACHE_POR_MEGA + 0.5f);
}

void LiberarTransposicion() {
    LiberarTabla(TT_Datos);
    TT_Datos = nullptr;
    LiberarCacheEval();
    Construidas = {};
}

bool CrearTransposicion(int megas) {
    DimensionarTransposicion(megas, TT_Opciones);
    DivisorTT = CrearDivisor(u64(TT_Opciones.EntradasTT));
    LiberarTransposicion();
    TT_Datos = static_cast<RanuraTT*>(ReservarTabla((size_t(TT_Opciones.EntradasTT) + 1) * sizeof(RanuraTT)));
    bool cache = true;
    if (TT_Opciones.MegasCache != 0 && TT_Datos) cache = CrearCacheEval(TT_Opciones.EntradasCache);
    if (!TT_Datos || !cache) {
        Salir = 1;
        return false;
    }
    Construidas = TT_Opciones;
    Limpiar();
    return true;
}

bool PrepararTransposicion(int megas) {
    RegistroTT r{};
    DimensionarTransposicion(megas, r);
    // A failed allocation leaves no sizes behind, so it is always tried again.
    if (r.MegasTT != Construidas.MegasTT || r.MegasCache != Construidas.MegasCache) {
        return CrearTransposicion(megas);
    }
    TT_Opciones.MegasTT = Construidas.MegasTT;
    TT_Opciones.MegasCache = Construidas.MegasCache;
    TT_Opciones.EntradasTT = Construidas.EntradasTT;
    TT_Opciones.EntradasCache = Construidas.EntradasCache;
    if (Construidas.MegasCache != 0) EncenderCacheEval();
    return true;
}

void LimpiarTransposicion() { Limpiar(); }

int AlmacenarPuntosHash(int p) {
    if (p > UMBRAL_MATE) return p + TableroGlobal.Ply;
    if (p < -UMBRAL_MATE) return p - TableroGlobal.Ply;
    return p;
}

int RecuperarPuntosHash(int p) {
    if (p > UMBRAL_MATE) return p - TableroGlobal.Ply;
    if (p < -UMBRAL_MATE) return p + TableroGlobal.Ply;
    return p;
}

void AlmacenarPosicion(int profundidad, int puntuacion, int cota, Jugada jugada) {
    RanuraTT* r = Entrada();
    if (!r) return;
    // A fail-low store does not erase the best move already known for this position.
    EntradaTT e;
    if (jugada == 0 && Leer(r, e)) jugada = e.Jugada;
    // The fill count is a statistic: threads may overwrite each other's increments.
    const i32 escrituras = __atomic_load_n(&TT_Opciones.Escrituras, __ATOMIC_RELAXED);
    if (escrituras < TT_Opciones.EntradasTT) __atomic_store_n(&TT_Opciones.Escrituras, escrituras + 1, __ATOMIC_RELAXED);
    e.Clave = TableroGlobal.Hash;
    e.Jugada = jugada;
    e.Puntuacion = i16(AlmacenarPuntosHash(puntuacion));
    e.Empaquetado = u16((profundidad & CAMPO_TT) | (TT_Opciones.Generacion & CAMPO_TT) << DESPLAZA_GENERACION |
                        (cota & 3) << DESPLAZA_COTA);
    Escribir(r, e);
}

int RecuperarPosicion(int alpha, int beta, const int& profundidad, int& puntuacion, Jugada& jugada) {
    if (!TT_Datos) return 0;
    puntuacion = -VALOR_INFINITO;
    jugada = 0;
    RanuraTT* r = Entrada();
    EntradaTT e;
    if (!r || !Leer(r, e)) return 0;
    puntuacion = e.Puntuacion;
    jugada = e.Jugada;
    if (ProfundidadTT(e) < profundidad) return 0;
    puntuacion = RecuperarPuntosHash(puntuacion);
    bool corta;
    switch (CotaTT(e)) {
        case Exacta: corta = true; break;
        case CotaInferior: corta = puntuacion >= beta; break;
        case CotaSuperior: corta = puntuacion <= alpha; break;
        default: corta = false; break;
    }
    if (corta) {
        e.Empaquetado = u16((e.Empaquetado & ~(u32(CAMPO_TT) << DESPLAZA_GENERACION)) |
                            (TT_Opciones.Generacion & CAMPO_TT) << DESPLAZA_GENERACION);
        Escribir(r, e);
    }
    return corta;
}

Jugada RecuperarMovimientoHash() {
    RanuraTT* r = Entrada();
    EntradaTT e;
    return (r && Leer(r, e)) ? e.Jugada : 0;
}

bool CancelarNull(int alpha, int profundidadNull) {
    RanuraTT* r = Entrada();
    EntradaTT e;
    return r && Leer(r, e) && ProfundidadTT(e) >= profundidadNull && e.Puntuacion <= alpha &&
           CotaTT(e) != CotaInferior;
}

int ObtenerHashCompleto() {
    if (TT_Opciones.EntradasTT <= 0) return 0;
    const i32 escrituras = __atomic_load_n(&TT_Opciones.Escrituras, __ATOMIC_RELAXED);
    return ATruncado(float(escrituras) / float(TT_Opciones.EntradasTT) * 1000.0f);
}

void AvanzarGeneracion() {
    TT_Opciones.Escrituras = 0;
    if (++TT_Opciones.Generacion >= GENERACIONES) Limpiar();
}
