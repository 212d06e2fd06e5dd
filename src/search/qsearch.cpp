// The quiescence search: stand pat on the static evaluation and resolve captures and
// promotions (every evasion when in check), with delta and losing-capture pruning. No table,
// no principal variation, no history.
#include "eval/eval.h"
#include "search/limits.h"
#include "search/ordering.h"
#include "search/search.h"
#include "search/see.h"
#include "search/tt.h"

namespace {
// Delta pruning: a capture that cannot bring the score to alpha even with this much to spare.
constexpr int MARGEN_DELTA = 300;
}  // namespace

int AlphaBeta_Qs(int ProfundidadQs, int alpha, int beta, int EnJaque) {
    TipoTablero& T = TableroGlobal;
    RegistroJuego& J = TipoJuego;
    ResultadoEval re;
    if (T.Ply > ULTIMO_PLY) return Evaluar(&re);

    if ((++J.Nodos & MASCARA_COMPROBACION) == 0) ComprobarTiempo();
    if (J.Parar) return 0;

    if (Es_Tabla_Repeticion()) return 0;

    const int ply = T.Ply;
    if (alpha < ply - VALOR_MATE) alpha = ply - VALOR_MATE;
    if (beta > VALOR_MATE - ply) beta = VALOR_MATE - ply;
    if (alpha >= beta) return alpha;

    ListaJugadas lista;
    int n;
    int eval = -VALOR_INFINITO;
    int mejor;
    if (!EnJaque) {
        eval = Evaluar(&re);
        if (eval >= beta) return eval;  // stand pat
        if (ProfundidadQs < 1) {
            // Out of budget: add what the exchange on the last move's square still promises.
            if (ply == 0) return eval;
            const Jugada previa = T.Historial[ply - 1].Jugada;
            return eval + See(&previa, T.Turno);
        }
        if (eval > alpha) alpha = eval;
        mejor = eval;
        n = GenerarMovimientos(GENERAR_CAPTURAS, lista);
    } else {
        n = GenerarMovimientos(GENERAR_TODAS, lista);
        mejor = -VALOR_INFINITO;
    }
    SelectorJugadas jugadas(lista, n, 0, EnJaque, 0);

    // In check below the root, moves that cannot answer the check are passed over unmade
    // (see AlphaBeta_Pv).
    const bool filtrar = AtajosActivos && EnJaque && ply > 0;
    const InfoJaque jaque = filtrar ? AnalizarJaque() : InfoJaque{0, 0};

    int buscadas = 0;
    Jugada j;
    while (jugadas.Siguiente(j)) {
        if (filtrar && !PuedeEvitarJaque(jaque, j)) {
            DescartarMovimiento(j);
            continue;
        }
        // A capture that delta pruning drops unless it gives check is passed over unmade when
        // it cannot give check at all.
        if (AtajosActivos && !EnJaque && Capturada(j) != SIN_PIEZA && Coronacion(j) == SIN_PIEZA &&
            alpha > eval + ValorPieza(Capturada(j)) + MARGEN_DELTA && !PuedeDarJaque(j)) {
            DescartarMovimiento(j);
            continue;
        }
        // Past the first move searched, the next move is chosen now and its position's cache
        // entry asked for (see AlphaBeta_Pv).
        if (buscadas >= 1) jugadas.Anticipar([](u64 clave) { PrecargarCache(clave); });
        if (!(EnJaque ? HacerMovimiento(j) : HacerMovimientoSinJaque(j))) {
            DeshacerMovimiento();
            continue;
        }
        PrecargarCache();  // the quiescence search reads only the evaluation cache
        // Below the root the opponent was not in check before this move (see AlphaBeta_Pv).
        const int daJaque = ply ? DaJaque(j) : BandoEnJaque();
        const int capturada = Capturada(j);
        if (!daJaque && !EnJaque && capturada != SIN_PIEZA && Coronacion(j) == SIN_PIEZA) {
            // Delta pruning: even winning the piece cannot bring the score up to alpha.
            if (alpha > eval + ValorPieza(capturada) + MARGEN_DELTA) {
                DeshacerMovimiento();
                continue;
            }
            // CaptureIsBad: a piece taking something cheaper that loses the exchange.
            const int pieza = Pieza(j);
            if (pieza != PEON_B && pieza != PEON_N && ValorPieza(pieza) > ValorPieza(capturada) &&
                See(&j, T.Turno) < 0) {
                DeshacerMovimiento();
                continue;
            }
        }
        const int s = -AlphaBeta_Qs(ProfundidadQs - 1, -beta, -alpha, daJaque);
        DeshacerMovimiento();
        if (J.Parar) return 0;

        buscadas++;
        if (s > mejor) {
            if (s > alpha) {
                if (s >= beta) return s;
                alpha = s;
            }
            mejor = s;
        }
    }
    if (!buscadas && EnJaque) return ply - VALOR_MATE;
    return mejor;
}
