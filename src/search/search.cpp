// The main search: fail-soft negamax principal variation search with table cut-offs,
// tablebase probes, razoring, reverse futility pruning, null move, internal iterative
// deepening, check and passed-pawn extensions, late move reductions and history/futility
// pruning of late quiet moves. Every node keeps its lists on the stack; nothing is allocated.
#include "eval/eval.h"
#include "search/limits.h"
#include "search/ordering.h"
#include "search/raiz.h"
#include "search/search.h"
#include "search/see.h"
#include "search/tt.h"
#include "tablebases/gaviota.h"
#include "tablebases/syzygy.h"

#ifdef VEMSUL_CHECK_BOARD
bool AtajosActivos = true;
#endif

namespace {

// Razoring: at depth 3 or less, an evaluation more than 300 plus 15 a ply below beta is
// trusted when the captures do not bring it up.
constexpr int RAZORING_PROFUNDIDAD = 3, RAZORING_MARGEN = 300, RAZORING_POR_PLY = 15;
// Reverse-futility margins by remaining depth 0..3.
constexpr int STAT_NULL_MARGIN[4] = {0, 40, 80, 120};
constexpr int FUTILIDAD_INVERSA_PROFUNDIDAD = 3;
constexpr int NULO_PROFUNDIDAD = 3;  // the null move from this depth on
// Internal iterative deepening: from depth 4 at PV nodes, above 6 at the others, 3 plies
// shallower (and a quarter of the depth more at the others).
constexpr int IID_PROFUNDIDAD_PV = 4, IID_PROFUNDIDAD_NO_PV = 6, IID_REDUCCION = 3;
// Non-PV nodes extend checks only this close to the horizon.
constexpr int EXTENSION_JAQUE_NO_PV = 6;
// Late move reductions: from depth 3 and the fourth legal move; deeper than 5 a move with a
// poor history is reduced by a sixth of the depth (and of the move number at non-PV nodes)
// plus one, at most 5 (10 at non-PV nodes).
constexpr int LMR_PROFUNDIDAD = 3, LMR_JUGADAS = 4, LMR_PROFUNDIDAD_HISTORIA = 5;
constexpr int LMR_MAXIMA_PV = 5, LMR_MAXIMA_NO_PV = 10;
// Late quiet moves at non-PV nodes: history pruning past the move 2 x depth + 4, futility
// pruning at depth 9 or less when the evaluation is more than 50 a ply below beta.
constexpr int HISTORIA_JUGADAS_POR_PLY = 2, HISTORIA_JUGADAS_BASE = 4;
constexpr int FUTILIDAD_PROFUNDIDAD = 9, FUTILIDAD_POR_PLY = 50;

// The null move's depth: three quarters of the depth beyond 3 (so 0, a quiescence search, at
// depths 3 and 4), worked out in single precision.
inline int ProfundidadNulo(int profundidad) {
    return int((4.0f - float(profundidad)) * 0.25f + float(profundidad) - 3.25f);
}

// Reductions of late moves with a poor history, worked out in single precision.
inline int ReduccionPV(int profundidad) {
    const int r = int(float(profundidad) * (1.0f / 6.0f) + 0.5f) + 1;
    return r > LMR_MAXIMA_PV ? LMR_MAXIMA_PV : r;
}
inline int ReduccionNoPV(int profundidad, int legales) {
    const int r = int(float(legales + profundidad) * (1.0f / 6.0f) + 0.5f) + 1;
    return r > LMR_MAXIMA_NO_PV ? LMR_MAXIMA_NO_PV : r;
}

// The first squares of each side's seventh rank.
constexpr int A7 = 8, A2 = 48;

// A pawn of the side to move one step from promotion.
inline bool HayPeonEnSeptima(int lado) {
    const i32* tab = TableroGlobal.Tablero;
    const int peon = lado == 1 ? PEON_B : PEON_N;
    const int desde = lado == 1 ? A7 : A2;
    for (int s = desde; s < desde + 8; s++)
        if (tab[s] == peon) return true;
    return false;
}

inline bool TienePiezas(const DatosBando& b) {
    return b.NumCaballos + b.NumAlfiles + b.NumTorres + b.NumDamas > 0;
}

// The mover's passed pawn on the file of the move's origin stands on that origin.
inline bool EsPeonLibre(Jugada j, int lado, const ResultadoEval& r) {
    const int o = Origen(j);
    return (lado == 1 ? r.PeonPasadoBlancas : r.PeonPasadoNegras)[o & 7] == o;
}

// The side's passed pawn reaching its seventh rank without losing the exchange; called with
// the move made.
inline bool ExtensionPeonEnSeptima(Jugada j, int lado, const ResultadoEval& r) {
    const int d = Destino(j);
    if (lado == 1) {
        if (Pieza(j) != PEON_B || d < A7 || d >= A7 + 8) return false;
    } else {
        if (Pieza(j) != PEON_N || d < A2 || d >= A2 + 8) return false;
    }
    return EsPeonLibre(j, lado, r) && See(&j, TableroGlobal.Turno) >= 0;
}

inline void Actualizar_Pv(int ply, Jugada j) {
    if (ply >= MAX_PLY - 1) return;
    u32* fila = pv_line[ply];
    const u32* siguiente = pv_line[ply + 1];
    fila[0] = j;
    for (int i = 1; i < MAX_PLY - 1; i++) fila[i] = siguiente[i - 1];
    fila[MAX_PLY - 1] = 0;
}

// The tablebases' exact score, when they are loaded and hold tables for this many men.
inline bool ConsultarTablas(int& puntuacion) {
    const RegistroGaviota& g = tbprobe_Gaviota;
    if (g.TablasCargadas != 1) return false;
    const int hombres = Blancas.NumPeones + Blancas.NumCaballos + Blancas.NumAlfiles + Blancas.NumTorres +
                        Blancas.NumDamas + Negras.NumPeones + Negras.NumCaballos + Negras.NumAlfiles +
                        Negras.NumTorres + Negras.NumDamas + 2;  // and the kings
    const int bits = g.TablasDisponibles;
    if (!((hombres <= 3 && (bits & TB_3_PIEZAS)) || (hombres <= 4 && (bits & TB_4_PIEZAS)) ||
          (hombres <= 5 && (bits & TB_5_PIEZAS))))
        return false;
    return Probar_gtbgaviota(puntuacion, TipoJuego.Profundidad) == 1;
}

// What the steps of one node of the main search share (the call's window, depth and flags,
// and what the node has learnt before its move loop).
struct Nodo {
    int profundidad, alpha, beta;
    int enJaque, noPv, sinNulo;  // noPv: NODO_NO_PV or NODO_PV; sinNulo: SIN_NULO or NULO_PERMITIDO
    int ply, lado;
    Jugada hash;  // the move to try first, 0 = none
    int eval;     // the static evaluation, -VALOR_INFINITO when not taken
};

// The steps are inlined into AlphaBeta_Pv: the node's record then lives in registers.
#define PASO [[gnu::always_inline]] inline

// A non-PV node neither reduces nor prunes promotions, moves of the own passed pawn, castling,
// killers and follow-up moves, nor anything while beta is a mate score.
PASO bool ExentaNoPv(const Nodo& n, const ResultadoEval& re, Jugada j) {
    return Coronacion(j) != SIN_PIEZA || EsPeonLibre(j, n.lado, re) || n.beta >= UMBRAL_MATE || Enroque(j) ||
           HistoricoEsMovimientoKiller(j, n.ply, n.lado) || HistoricoEsMovimientoKillerMate(j, n.ply, n.lado) ||
           Refutes(j, n.ply);
}

// History pruning past the move 2 x depth + 4, futility pruning near the horizon far below
// beta: the late-move prunings of a quiet move at a non-PV node, counted as legal move `legales`.
PASO bool PodaTardia(const Nodo& n, Jugada j, int legales) {
    return (legales > HISTORIA_JUGADAS_POR_PLY * n.profundidad + HISTORIA_JUGADAS_BASE &&
            HistoricoMalaPuntuacionZW(n.lado, j)) ||
           (n.alpha > -UMBRAL_MATE && n.profundidad <= FUTILIDAD_PROFUNDIDAD &&
            n.eval + FUTILIDAD_POR_PLY * n.profundidad < n.beta);
}

// The root: the table cuts it only at a zero window, its hash move is the last iteration's
// best move, and its evaluation (for the passed pawns) is taken out of check. True when
// settled, with the score in v.
PASO bool PrepararRaiz(Nodo& n, ResultadoEval& re, int& v) {
    const int profundidad = n.profundidad;  // locals: the record's address must not escape
    int puntosTT = 0;
    Jugada jTT = 0;
    if (RecuperarPosicion(n.alpha, n.beta, profundidad, puntosTT, jTT) && n.noPv == NODO_NO_PV) {
        v = puntosTT;
        return true;
    }
    n.hash = pv_line[0][0];
    if (!n.enJaque && n.sinNulo == NULO_PERMITIDO) {
        n.eval = Evaluar(&re);
        re.Puntuacion = i16(n.eval);
    }
    return false;
}

// Below the root: the line cleared at a PV node, the clock and the input every 2048 nodes,
// draws, and the bounds no mate from here can pass.
PASO bool EntradaNodo(Nodo& n, int& v) {
    if (n.noPv == NODO_PV) pv_line[n.ply][0] = 0;
    if ((TipoJuego.Nodos & MASCARA_COMPROBACION) == 0) ComprobarTiempo();
    v = 0;
    if (TipoJuego.Parar || Es_Tabla_Repeticion()) return true;
    if (n.alpha < n.ply - VALOR_MATE) n.alpha = n.ply - VALOR_MATE;
    if (n.beta > VALOR_MATE - n.ply) n.beta = VALOR_MATE - n.ply;
    v = n.alpha;
    return n.alpha >= n.beta;
}

// The tablebases' exact score (Gaviota's, else after a capture or pawn move Syzygy's result),
// then the table: a cut-off at non-PV nodes, the hash move always. The hash move's position is
// asked for at once, while this node works on.
PASO bool Sondear(Nodo& n, int& v) {
    int puntosTB;
    if (ConsultarTablas(puntosTB) || (SyzygySondeable() && Probar_syzygy(puntosTB, n.ply))) {
        v = puntosTB;
        return true;
    }
    const int profundidad = n.profundidad;  // locals: the record's address must not escape
    int puntosTT = 0;
    Jugada hash = 0;
    const int corte = RecuperarPosicion(n.alpha, n.beta, profundidad, puntosTT, hash);
    n.hash = hash;
    if (corte && n.noPv == NODO_NO_PV) {
        v = puntosTT;
        return true;
    }
    if (n.hash) PrecargarEntradas(ClavePrevista(n.hash));
    return false;
}

// Razoring: hopeless at low depth unless the captures say otherwise.
PASO bool Razonar(const Nodo& n, int& v) {
    if (n.hash || n.profundidad > RAZORING_PROFUNDIDAD || HayPeonEnSeptima(n.lado)) return false;
    const int t = n.beta - RAZORING_POR_PLY * n.profundidad - RAZORING_MARGEN;
    if (n.eval >= t) return false;
    v = AlphaBeta_Qs(PROFUNDIDAD_QS, t - 1, t, 0);
    if (TipoJuego.Parar) {
        v = 0;
        return true;
    }
    return v < t;
}

// Reverse futility pruning: near the horizon, far enough above beta.
PASO bool FutilidadInversa(const Nodo& n, int& v) {
    if (n.profundidad > FUTILIDAD_INVERSA_PROFUNDIDAD || n.beta > n.eval - STAT_NULL_MARGIN[n.profundidad])
        return false;
    v = n.eval - STAT_NULL_MARGIN[n.profundidad];
    return true;
}

// The null move, without verification, for a side with a piece left; a mate it finds is only
// a fail-high.
PASO bool MovimientoNulo(const Nodo& n, int& v) {
    if (n.profundidad < NULO_PROFUNDIDAD || n.beta > n.eval || !TienePiezas(n.lado == 1 ? Blancas : Negras))
        return false;
    const int dNull = ProfundidadNulo(n.profundidad);
    if (CancelarNull(n.alpha, dNull)) return false;
    HacerMovimientoNull();
    v = -AlphaBeta_Pv(dNull, -n.beta, 1 - n.beta, 0, NODO_NO_PV, SIN_NULO);
    DeshacerMovimientoNull();
    if (TipoJuego.Parar) {
        v = 0;
        return true;
    }
    if (v < n.beta) return false;
    if (EsPuntuacionMate(v)) v = n.beta;
    return true;
}

// The static evaluation out of check, and at non-PV nodes (not below a null move) the
// prunings that may settle the node before its moves are generated.
PASO bool PodaPrevia(Nodo& n, ResultadoEval& re, int& v) {
    if (n.enJaque) return false;
    n.eval = Evaluar(&re);
    re.Puntuacion = i16(n.eval);
    if (n.noPv == NODO_PV || n.sinNulo == SIN_NULO) return false;
    if (Razonar(n, v)) return true;
    if (n.beta >= UMBRAL_MATE) return false;
    return FutilidadInversa(n, v) || MovimientoNulo(n, v);
}

// Internal iterative deepening finds a move to try first, searched as a PV node or not.
// True when the search was stopped inside it.
PASO bool ProfundizacionInterna(Nodo& n, bool pv) {
    if (n.hash || n.enJaque) return false;
    int d = 0;
    if (pv && n.profundidad >= IID_PROFUNDIDAD_PV) d = n.profundidad - IID_REDUCCION;
    else if (!pv && n.profundidad > IID_PROFUNDIDAD_NO_PV)
        d = n.profundidad - IID_REDUCCION - int(float(n.profundidad) * 0.25f + 0.5f);
    if (!d) return false;
    AlphaBeta_Pv(d, n.alpha, n.beta, 0, pv ? NODO_PV : NODO_NO_PV, SIN_NULO);
    if (TipoJuego.Parar) return true;
    n.hash = RecuperarMovimientoHash();
    return false;
}

// Moves settled before they are made. In check below the root (filtrar), one that neither
// moves the king nor answers the check is illegal. At a non-PV node below the root and out of
// check (tardias), a late quiet move that the late-move pruning drops unless it gives check is
// passed over when it is illegal, or legal but unable to give check (still counted as a legal
// move). King moves are left to the make.
PASO bool PasarSinHacer(const Nodo& n, const ResultadoEval& re, Jugada j, bool filtrar, const InfoJaque& jaque,
                        bool tardias, int& legales) {
    if (filtrar && !PuedeEvitarJaque(jaque, j)) {
        DescartarMovimiento(j);
        return true;
    }
    if (!tardias || legales < 1) return false;
    const int pieza = TableroGlobal.Tablero[Origen(j)];
    if (!EsTranquila(j) || pieza == REY_B || pieza == REY_N || ExentaNoPv(n, re, j) || !PodaTardia(n, j, legales + 1))
        return false;
    if (!LegalSinHacer(j)) {
        DescartarMovimiento(j);
        return true;
    }
    if (PuedeDarJaque(j)) return false;
    legales++;
    DescartarMovimiento(j);
    return true;
}

// One ply more for a check (at non-PV nodes only near the horizon) and, at PV nodes, for the
// own passed pawn reaching the seventh rank; called with the move made.
PASO int Extension(const Nodo& n, const ResultadoEval& re, Jugada j, int daJaque) {
    if (n.noPv == NODO_PV) return (daJaque || ExtensionPeonEnSeptima(j, n.lado, re)) ? 1 : 0;
    return (daJaque && n.profundidad <= EXTENSION_JAQUE_NO_PV) ? 1 : 0;
}

// The late move reduction of a move made below the root, or -1 when a non-PV node prunes the
// quiet move instead. Never the first legal move, a check, an extended move or an evasion.
PASO int Reduccion(const Nodo& n, const ResultadoEval& re, Jugada j, int daJaque, int ext, int legales) {
    if (ext || daJaque || n.enJaque || legales == 1) return 0;
    if (n.noPv == NODO_PV) {
        if (HistoricoEsMovimientoKiller(j, n.ply, n.lado) || HistoricoEsMovimientoKillerMate(j, n.ply, n.lado) ||
            Coronacion(j) != SIN_PIEZA || EsPeonLibre(j, n.lado, re) || n.beta >= UMBRAL_MATE ||
            legales < LMR_JUGADAS || n.profundidad < LMR_PROFUNDIDAD || Refutes(j, n.ply))
            return 0;
        if (n.profundidad > LMR_PROFUNDIDAD_HISTORIA && HistoricoMalaPuntuacionPV(n.lado, j))
            return ReduccionPV(n.profundidad);
        return 1;
    }
    if (ExentaNoPv(n, re, j)) return 0;
    if (Capturada(j) == SIN_PIEZA && !AlPaso(j) && PodaTardia(n, j, legales)) return -1;
    if (n.profundidad < LMR_PROFUNDIDAD || legales < LMR_JUGADAS) return 0;
    if (n.profundidad > LMR_PROFUNDIDAD_HISTORIA && HistoricoMalaPuntuacionZW(n.lado, j))
        return ReduccionNoPV(n.profundidad, legales);
    return 1;
}

// The search of one move made, nd plies deep (reduced by r): the first move of a PV node (or
// the root) with the full window, later ones with a zero window and a re-search when they
// beat alpha; a non-PV node re-searches a reduced move that fails high at the full depth.
PASO int BuscarJugada(const Nodo& n, int nd, int r, int daJaque, bool primera) {
    const RegistroJuego& J = TipoJuego;
    const int alpha = n.alpha, beta = n.beta;
    int s;
    if (n.ply == 0) {
        if (primera) return -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, NODO_PV, NULO_PERMITIDO);
        s = -AlphaBeta_Pv(nd, -alpha - 1, -alpha, daJaque, NODO_NO_PV, NULO_PERMITIDO);
        if (s > alpha && !J.Parar) s = -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, NODO_PV, NULO_PERMITIDO);
        return s;
    }
    if (n.noPv == NODO_PV) {
        if (primera) return -AlphaBeta_Pv(nd - r, -beta, -alpha, daJaque, NODO_PV, NULO_PERMITIDO);
        s = -AlphaBeta_Pv(nd - r, -alpha - 1, -alpha, daJaque, NODO_NO_PV, NULO_PERMITIDO);
        if (J.Parar || s <= alpha) return s;
        if (r == 0) return -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, NODO_PV, NULO_PERMITIDO);
        s = -AlphaBeta_Pv(nd - r, -beta, -alpha, daJaque, NODO_PV, NULO_PERMITIDO);
        if (s >= beta && !J.Parar) s = -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, NODO_PV, NULO_PERMITIDO);
        return s;
    }
    s = -AlphaBeta_Pv(nd - r, -beta, -alpha, daJaque, NODO_NO_PV, NULO_PERMITIDO);
    if (r >= 1 && !J.Parar && s >= beta) s = -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, NODO_NO_PV, NULO_PERMITIDO);
    return s;
}

// A beta cut-off: a quiet move teaches the history, killer and counter-move tables; the
// bound goes to the table.
PASO void CorteBeta(const Nodo& n, Jugada j, int s, const Jugada* tranquilas, int numTranquilas) {
    if (EsTranquila(j)) {
        HistoricoActualizar(j, s, tranquilas, numTranquilas, n.ply, n.lado);
        UpdateRefutation(j, n.ply);
    }
    AlmacenarPosicion(n.profundidad, s, CotaInferior, j);
}

// The end of a move loop without a cut-off: mate or stalemate (nothing stored; a root without
// a move has an empty line), else the best score as an upper bound or an exact score.
PASO int CerrarNodo(const Nodo& n, int legales, int mejor, Jugada mejorJugada) {
    if (legales == 0) {
        if (n.ply == 0) pv_line[0][0] = 0;
        return n.enJaque ? n.ply - VALOR_MATE : 0;
    }
    AlmacenarPosicion(n.profundidad, mejor, mejorJugada ? Exacta : CotaSuperior, mejorJugada);
    return mejor;
}

// The moves, best first: each made, searched and unmade; the first that reaches beta ends
// the node.
PASO int RecorrerJugadas(Nodo& n, const ResultadoEval& re) {
    ListaJugadas lista;
    int total = GenerarMovimientos(GENERAR_TODAS, lista);
    if (n.ply == 0 && RaizBusqueda.activa) total = RestringirRaiz(lista, total);
    SelectorJugadas jugadas(lista, total, n.hash, n.enJaque, n.ply ? GetRefutation(n.ply) : 0);

    Jugada tranquilas[MAX_JUGADAS];
    int numTranquilas = 0;
    int mejor = -VALOR_INFINITO;
    Jugada mejorJugada = 0;
    int legales = 0;
    // (At the root, a position no game reaches could hold a king capture, whose make would
    // set Salir: the root makes every move.)
    const bool filtrar = AtajosActivos && n.enJaque && n.ply > 0;
    const InfoJaque jaque = filtrar ? AnalizarJaque() : InfoJaque{0, 0};
    const bool tardias = AtajosActivos && n.noPv == NODO_NO_PV && n.ply > 0 && !n.enJaque;

    Jugada j;
    while (jugadas.Siguiente(j)) {
        if (PasarSinHacer(n, re, j, filtrar, jaque, tardias, legales)) continue;
        // Past the first move the next one's table entries are asked for ahead of its turn.
        if (legales >= 1) jugadas.Anticipar([](u64 clave) { PrecargarEntradas(clave); });
        if (!(n.enJaque ? HacerMovimiento(j) : HacerMovimientoSinJaque(j))) {
            DeshacerMovimiento();
            continue;
        }
        legales++;
        PrecargarEntradas();
        // Below the root the opponent was not in check before this move (every position there
        // was reached by a legal move or a null move made out of check); the root may be any
        // position the GUI sent.
        const int daJaque = n.ply ? DaJaque(j) : BandoEnJaque();
        const int ext = Extension(n, re, j, daJaque);
        const int r = n.ply ? Reduccion(n, re, j, daJaque, ext, legales) : 0;
        if (r < 0) {
            DeshacerMovimiento();
            continue;
        }
        const int s = BuscarJugada(n, n.profundidad - 1 + ext, r, daJaque, mejor == -VALOR_INFINITO);
        DeshacerMovimiento();
        if (TipoJuego.Parar) return 0;

        if (EsTranquila(j) && numTranquilas < MAX_JUGADAS) tranquilas[numTranquilas++] = j;
        if (s <= mejor) continue;
        if (s <= n.alpha) {
            mejor = s;
            continue;
        }
        if (n.ply == 0) TipoJuego.NumeroJugadaRaiz = legales;
        if (s >= n.beta) {
            CorteBeta(n, j, s, tranquilas, numTranquilas);
            return s;
        }
        if (n.noPv == NODO_PV) Actualizar_Pv(n.ply, j);
        n.alpha = mejor = s;
        mejorJugada = j;
    }
    return CerrarNodo(n, legales, mejor, mejorJugada);
}

#undef PASO

}  // namespace

// One node, step by step: the horizon, the node count, the root's preparation or the entry
// checks, probes and prunings of a node below it, internal deepening, then the moves.
int AlphaBeta_Pv(int profundidad, int alpha, int beta, int EnJaque, int EsNodoNoPv, int SinNulo) {
    const int ply = TableroGlobal.Ply;
    if (profundidad < 1 || ply > ULTIMO_PLY) {
        // The quiescence search keeps no line: a PV node ends its line here, so the parent
        // never copies a line left over from another branch.
        if (EsNodoNoPv == NODO_PV) pv_line[ply][0] = 0;
        return AlphaBeta_Qs(PROFUNDIDAD_QS, alpha, beta, EnJaque);
    }
    TipoJuego.Nodos++;

    Nodo n{profundidad, alpha, beta, EnJaque, EsNodoNoPv, SinNulo, ply, TableroGlobal.Turno, 0, -VALOR_INFINITO};
    ResultadoEval re = {i16(-VALOR_INFINITO), {}, {}};
    int v;
    if (ply == 0) {
        if (PrepararRaiz(n, re, v)) return v;
        if (ProfundizacionInterna(n, true)) return 0;
    } else {
        if (EntradaNodo(n, v) || Sondear(n, v) || PodaPrevia(n, re, v)) return v;
        if (ProfundizacionInterna(n, n.noPv == NODO_PV)) return 0;
    }
    return RecorrerJugadas(n, re);
}

bool Es_Tabla_Repeticion() {
    const TipoTablero& T = TableroGlobal;
    // No position repeats within two plies; past a hundred reversible plies the game is drawn.
    if (T.Regla50 <= 2) return false;
    if (T.Regla50 > REGLA_50_PLIES) return true;
    // The reversible plies reach back to the position the last capture or pawn move made: the
    // last Regla50 + 1 keys. The current position is the last of them, so one earlier
    // occurrence makes the second match.
    int vistas = 0;
    for (int i = T.NumeroRepeticiones - T.Regla50 - 1; i < T.NumeroRepeticiones; i++) {
        if (i < 0 || i >= MAX_REPETICIONES) continue;
        if (T.Repeticiones[i] == T.Hash && ++vistas == 2) return true;
    }
    return false;
}
