// The evaluation driver: side records, material, phase, the evaluation cache, development,
// tempo, imbalance, tapering and the half-move clock scaling. Each side accumulates a
// middlegame and an endgame score; the two are blended by the game phase at the end.
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "eval/cache.h"
#include "eval/eval.h"
#include "eval/tables.h"
#include "eval/terms.h"

using namespace tablas;

POR_HILO DatosEval EvalBlancas, EvalNegras;
POR_HILO i32 FaseJuego;

namespace {

// Zeroes a 64-entry count array with vector stores. For this size the compiler would rather
// use a string instruction, whose start-up costs more than the stores; two stores per step
// keep it from recognising the loop as a plain fill.
inline void Anular(i32 (&a)[64]) {
#ifdef __SSE2__
    const __m128i cero = _mm_setzero_si128();
    for (int i = 0; i < 64; i += 8) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i), cero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i + 4), cero);
    }
#else
    std::memset(a, 0, sizeof a);
#endif
}

void ReiniciarBando(DatosEval& b) {
    std::memset(b.PeonesColumna, 0, sizeof b.PeonesColumna);
    std::memset(b.PeonPasado, -1, sizeof b.PeonPasado);
    // All bytes 0xFF: every slot reads -1.
    std::memset(b.CasillaPeon, 0xFF, sizeof b.CasillaPeon);
    std::memset(b.CasillaCaballo, 0xFF, sizeof b.CasillaCaballo);
    std::memset(b.CasillaAlfil, 0xFF, sizeof b.CasillaAlfil);
    std::memset(b.CasillaTorre, 0xFF, sizeof b.CasillaTorre);
    std::memset(b.CasillaDama, 0xFF, sizeof b.CasillaDama);
    Anular(b.Defendida);
    b.PuntosMedio = b.PuntosFinal = 0;
    b.NumAtaquesCaballo = b.NumAtaquesAlfil = b.NumAtaquesTorre = b.NumAtaquesDama = 0;
    b.AtaquesZonaRey = b.PesoAtacantes = b.ReyEnPeligro = 0;
    // The attack lists themselves need no clearing: only their used length is ever read.
}

void Material(DatosEval& e, const DatosBando& b) {
    int menores = VALOR_CABALLO * b.NumCaballos + VALOR_ALFIL * b.NumAlfiles + VALOR_TORRE * b.NumTorres;
    e.PuntosMedio = VALOR_PEON_OP * b.NumPeones + menores + VALOR_DAMA_OP * b.NumDamas;
    e.PuntosFinal = VALOR_PEON_EG * b.NumPeones + menores + VALOR_DAMA_EG * b.NumDamas;
    if (b.NumAlfiles == 2) {  // three or more bishops (promotion) get no pair bonus
        e.PuntosMedio += BONUS_PAREJA_ALFILES;
        e.PuntosFinal += BONUS_PAREJA_ALFILES;
    }
}

int Acotar(int x, int minimo, int maximo) { return x < minimo ? minimo : x > maximo ? maximo : x; }

bool SinPeonesNiPiezasMayores(const DatosBando& b) {
    return b.NumPeones == 0 && b.NumTorres == 0 && b.NumDamas == 0;
}

int EvaluarPosicion(ResultadoEval* r, bool conCache) {
    TipoTablero& T = TableroGlobal;
    ReiniciarBandos();
    EvaluarMaterial();
    CalcularFase();

    RanuraCacheEval* e = conCache ? EntradaCacheActual() : nullptr;
    EntradaCacheEval guardada;
    if (e && LeerCacheEval(e, guardada)) {
        if (r) {
            r->Puntuacion = guardada.Puntuacion;
            std::memcpy(r->PeonPasadoBlancas, guardada.PasadoBlancas, 8);
            std::memcpy(r->PeonPasadoNegras, guardada.PasadoNegras, 8);
        }
        return guardada.Puntuacion;
    }

    EvaluarDesarrollo();
    MarcarReyEnPeligro();
    EvaluarPiezasTableroJuego();

    if (FaseJuego > 15) {
        // Material draws, then the endings with knowledge of their own; neither touches *r.
        if (SinPeonesNiPiezasMayores(Blancas) && SinPeonesNiPiezasMayores(Negras) &&
            Blancas.NumCaballos + Blancas.NumAlfiles <= 1 && Negras.NumCaballos + Negras.NumAlfiles <= 1)
            return 0;
        int especial = EvaluarFinalesDificiles();
        if (especial != -1) return especial;
    }

    EvaluarPeonesB();
    EvaluarPeonesN();
    EvaluarTorresB();
    EvaluarTorresN();
    EvaluarReyB();
    EvaluarReyN();
    EvaluarAmenazas();
    EvaluarAtaqueRey();
    EvaluarTempoImbalance();

    int puntos = Ponderar();
    if (T.Turno == 0) puntos = -puntos;

    if (e) {
        guardada.Clave = T.Hash;
        guardada.Puntuacion = i16(puntos);
        std::memcpy(guardada.PasadoBlancas, EvalBlancas.PeonPasado, 8);
        std::memcpy(guardada.PasadoNegras, EvalNegras.PeonPasado, 8);
        EscribirCacheEval(e, guardada);
    }
    if (r) {
        r->Puntuacion = i16(puntos);
        std::memcpy(r->PeonPasadoBlancas, EvalBlancas.PeonPasado, 8);
        std::memcpy(r->PeonPasadoNegras, EvalNegras.PeonPasado, 8);
    }
    return puntos;
}

}  // namespace

void ReiniciarBandos() {
    ReiniciarBando(EvalBlancas);
    ReiniciarBando(EvalNegras);
}

void EvaluarMaterial() {
    Material(EvalBlancas, Blancas);
    Material(EvalNegras, Negras);
}

void CalcularFase() {
    const DatosBando &b = Blancas, &n = Negras;
    int piezas = b.NumCaballos + b.NumAlfiles + 2 * b.NumTorres + 4 * b.NumDamas + n.NumCaballos + n.NumAlfiles +
                 2 * n.NumTorres + 4 * n.NumDamas;
    FaseJuego = Acotar(24 - piezas, 0, 24);
}

void EvaluarDesarrollo() {
    const TipoTablero& T = TableroGlobal;
    if (FaseJuego > 1) return;
    auto en = [&T](char columna, int rango) { return T.Tablero[Sq(columna, rango)]; };
    auto libre = [&T](char columna, int rango) { return T.Tablero[Sq(columna, rango)] == VACIA; };
    int b = 0, n = 0;  // penalties counted for White and for Black
    // Centre pawns still at home behind a piece that blocks them.
    if (en('e', 2) == PEON_B && !libre('e', 3)) b++;
    if (en('d', 2) == PEON_B && !libre('d', 3)) b++;
    if (en('e', 7) == PEON_N && !libre('e', 6)) n++;
    if (en('d', 7) == PEON_N && !libre('d', 6)) n++;
    // Closed centre with the c- or f-pawn blocked by its own knight.
    if (en('d', 4) == PEON_B && en('d', 5) == PEON_N) {
        if (en('c', 2) == PEON_B && en('c', 3) == CABALLO_B) b++;
        if (en('c', 7) == PEON_N && en('c', 6) == CABALLO_N) n++;
    }
    if (en('e', 4) == PEON_B && en('e', 5) == PEON_N) {
        if (en('f', 2) == PEON_B && en('f', 3) == CABALLO_B) b++;
        if (en('f', 7) == PEON_N && en('f', 6) == CABALLO_N) n++;
    }
    // A blocked centre pawn that also shuts its bishop in.
    if (en('d', 2) == PEON_B && !libre('d', 3) && en('c', 1) == ALFIL_B) b++;
    if (en('e', 2) == PEON_B && !libre('e', 3) && en('f', 1) == ALFIL_B) b++;
    if (en('d', 7) == PEON_N && !libre('d', 6) && en('c', 8) == ALFIL_N) n++;
    if (en('e', 7) == PEON_N && !libre('e', 6) && en('f', 8) == ALFIL_N) n++;
    EvalBlancas.PuntosMedio -= PENALIZACION_DESARROLLO * b;
    EvalNegras.PuntosMedio -= PENALIZACION_DESARROLLO * n;
}

void MarcarReyEnPeligro() {
    const DatosBando &b = Blancas, &n = Negras;
    if (b.NumDamas > 0 && b.NumTorres + b.NumAlfiles + b.NumCaballos > 0) EvalNegras.ReyEnPeligro = 1;
    if (n.NumDamas > 0 && n.NumTorres + n.NumAlfiles + n.NumCaballos > 0) EvalBlancas.ReyEnPeligro = 1;
}

void EvaluarTempoImbalance() {
    DatosEval& mueve = TableroGlobal.Turno == 1 ? EvalBlancas : EvalNegras;
    mueve.PuntosMedio += BONUS_TEMPO_OP;
    mueve.PuntosFinal += BONUS_TEMPO_EG;

    const DatosBando &b = Blancas, &n = Negras;
    int menor = (b.NumCaballos - n.NumCaballos) + (b.NumAlfiles - n.NumAlfiles);
    int mayor = (b.NumTorres - n.NumTorres) + 2 * (b.NumDamas - n.NumDamas);
    int vb = imbalance[Acotar(mayor + 4, 0, 8)][Acotar(menor + 4, 0, 8)];
    int vn = imbalance[Acotar(-mayor + 4, 0, 8)][Acotar(-menor + 4, 0, 8)];
    EvalBlancas.PuntosMedio += vb;
    EvalBlancas.PuntosFinal += vb;
    EvalNegras.PuntosMedio += vn;
    EvalNegras.PuntosFinal += vn;
}

int Ponderar() {
    const TipoTablero& T = TableroGlobal;
    int mg = EvalBlancas.PuntosMedio - EvalNegras.PuntosMedio;
    int eg = EvalBlancas.PuntosFinal - EvalNegras.PuntosFinal;
    int puntos = (mg * (24 - FaseJuego) + eg * FaseJuego) / 24;
    // Towards the fifty-move limit the score fades: unchanged at 81, a twentieth at 100.
    int h = T.Regla50;
    if (h >= 81 && h <= 100) puntos = puntos * (101 - h) / 20;
    return puntos;
}

int Evaluar(ResultadoEval* r) { return EvaluarPosicion(r, true); }

int EvaluarSinCache(ResultadoEval* r) { return EvaluarPosicion(r, false); }
