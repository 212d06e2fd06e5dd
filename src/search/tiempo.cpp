// The time manager: the limits of a search from the go parameters. Later rules overwrite what
// earlier ones set; budgets are worked out in 64 bits and kept in the 32 bits of the record.
#include "search/tiempo.h"

namespace {

// go movetime N searches N minus this margin, for the answer to reach the GUI in time.
constexpr i64 MARGEN_MOVETIME = 500;
// Moves-to-go: the clock shared out evenly, plus this share of the increment.
constexpr double PARTE_INCREMENTO = 0.6;
// Sudden death or increment: the clock is spread over the moves a game still lasts, counted
// as this many plies minus those played (never below 2).
constexpr i32 PLIES_PARTIDA = 130;
constexpr i32 DIVISOR_MINIMO = 2;
// By the clock left: from 20 s (and at exactly 10 s) a share plus a quarter second; between
// 10 and 20 s a share, at least a second; below 10 s the increment, or half a second.
constexpr i64 RELOJ_LARGO = 20000, RELOJ_CORTO = 10000;
constexpr float EXTRA_RELOJ_LARGO = 250.5f, REDONDEO = 0.5f;
constexpr i64 MINIMO_RELOJ_MEDIO = 1000, SIN_INCREMENTO_CORTO = 500;
// The reserve every clock budget keeps: a tenth of the clock, at least 50 ms; and without
// increment under 10 s, never more than a tenth of the clock on one move.
constexpr i64 FRACCION_RESERVA = 10;
constexpr i64 RESERVA_MINIMA = 50;

i64 LimitarPresupuesto(i64 presupuesto, i64 tiempo, i64 incremento) {
    const i64 decima = tiempo / FRACCION_RESERVA;
    if (incremento == 0 && tiempo < RELOJ_CORTO && decima < presupuesto) presupuesto = decima;
    const i64 reserva = decima > RESERVA_MINIMA ? decima : RESERVA_MINIMA;
    if (tiempo - reserva < presupuesto) presupuesto = tiempo - reserva;
    return presupuesto;
}

// Sudden death or increment.
i64 PresupuestoSinMovimientos(i64 tiempo, i64 incremento, i32 divisor) {
    if (tiempo > RELOJ_CORTO && tiempo < RELOJ_LARGO) {
        const i64 b = ATruncado(float(tiempo) / float(divisor) + REDONDEO) + incremento;
        if (b < MINIMO_RELOJ_MEDIO) return incremento != 0 ? incremento : MINIMO_RELOJ_MEDIO;
        return b;
    }
    if (tiempo >= RELOJ_LARGO || tiempo == RELOJ_CORTO)
        return ATruncado(float(tiempo) / float(divisor) + EXTRA_RELOJ_LARGO) + incremento;
    return incremento != 0 ? incremento : SIN_INCREMENTO_CORTO;
}

}  // namespace

LimitesGo CalcularLimites(const ParametrosGo& p, int turno, int plies, int margen) {
    LimitesGo l{};
    l.profundidadMaxima = p.profundidad != 0 ? p.profundidad : PROFUNDIDAD_MAXIMA;
    l.movimientosRestantes = plies;
    const i64 tiempo = turno == 1 ? p.wtime : p.btime;
    const i64 incremento = turno == 1 ? p.winc : p.binc;
    // The margen beyond the usual one comes off every budget; a smaller one helps movetime only.
    const i64 margenExtra = margen > MARGEN_MOVETIME ? margen - MARGEN_MOVETIME : 0;

    // Budgets given together: the smaller one rules.
    auto presupuesto = [&l](i64 ms) {
        l.tiempoLimite = l.controlTiempo == 1 && l.tiempoLimite < ms ? l.tiempoLimite : ATruncado(ms);
        l.controlTiempo = 1;
    };
    if (p.hayMovetime) presupuesto(i64(p.movetime) - margen);
    // Our own clock is all the clock rules need.
    const bool reloj = turno == 1 ? p.hayWtime : p.hayBtime;
    if (reloj) {
        i64 b;
        if (p.movestogo != 0) {
            l.movimientosRestantes = p.movestogo;
            const i64 reparto = ATruncado(float(tiempo) / float(p.movestogo) + REDONDEO);
            const i64 extra = i64(double(incremento) * PARTE_INCREMENTO);
            b = LimitarPresupuesto(reparto + extra, tiempo, incremento);
        } else {
            i32 m = PLIES_PARTIDA - plies;
            if (m < DIVISOR_MINIMO) m = DIVISOR_MINIMO;
            l.movimientosRestantes = m;
            b = LimitarPresupuesto(PresupuestoSinMovimientos(tiempo, incremento, m), tiempo, incremento);
        }
        b -= margenExtra;
        presupuesto(b);
        // A clock already inside its reserve has no time to think: the first iteration gives
        // the move. Searching on until the first clock check (2048 nodes) costs up to a
        // millisecond a move, which over a long game at a few seconds a side eats the reserve.
        if (b <= 0) l.profundidadMaxima = 1;
    }
    if (p.hayNodos) l.nodos = p.nodos > 0 ? p.nodos : 1;
    l.mate = p.mate;

    // UCI forbids answering an infinite search unasked, and a go without any usable limit
    // (bare, the opponent's clock only, depth 0) is one; a lone "go mate N" answers by itself
    // only once it has found its mate.
    const bool limitada = p.profundidad != 0 || l.controlTiempo == 1 || p.hayNodos;
    if (p.infinito || (!limitada && p.mate == 0)) l.espera = Espera::Orden;
    else if (!limitada) l.espera = Espera::OrdenSinMate;
    else l.espera = Espera::Ninguna;
    return l;
}
