// The main search: fail-soft negamax principal variation search with table cut-offs,
// tablebase probes, razoring, reverse futility pruning, null move, internal iterative
// deepening, check and passed-pawn extensions, late move reductions and history/futility
// pruning of late quiet moves. Every node keeps its lists on the stack; nothing is allocated.
#include "eval/eval.h"
#include "search/limits.h"
#include "search/ordering.h"
#include "search/search.h"
#include "search/see.h"
#include "search/tt.h"
#include "tablebases/gaviota.h"

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

// The late-move prunings of a non-PV node, for a quiet move counted as legal move `legales`.
inline bool PodaHistoria(int lado, Jugada j, int profundidad, int legales) {
    return legales > HISTORIA_JUGADAS_POR_PLY * profundidad + HISTORIA_JUGADAS_BASE &&
           HistoricoMalaPuntuacionZW(lado, j);
}
inline bool PodaFutilidad(int profundidad, int alpha, int beta, int eval) {
    return alpha > -UMBRAL_MATE && profundidad <= FUTILIDAD_PROFUNDIDAD &&
           eval + FUTILIDAD_POR_PLY * profundidad < beta;
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

// Would the history or futility pruning of a non-PV node drop the quiet move j, counted as
// the legal move number `legales`, if it turns out legal and gives no check? (The same tests
// as in the move loop, none of which looks at the board.) King moves are left to the loop.
inline bool PodaTardia(Jugada j, int lado, int ply, int profundidad, int legales, int alpha, int beta, int eval,
                       const ResultadoEval& re) {
    const int pieza = TableroGlobal.Tablero[Origen(j)];
    if (!EsTranquila(j) || Enroque(j) || pieza == REY_B || pieza == REY_N || EsPeonLibre(j, lado, re) ||
        beta >= UMBRAL_MATE || HistoricoEsMovimientoKiller(j, ply, lado) ||
        HistoricoEsMovimientoKillerMate(j, ply, lado) || Refutes(j, ply))
        return false;
    return PodaHistoria(lado, j, profundidad, legales) || PodaFutilidad(profundidad, alpha, beta, eval);
}

inline void Actualizar_Pv(int ply, Jugada j) {
    if (ply >= MAX_PLY - 1) return;
    u32* fila = pv_line[ply];
    const u32* siguiente = pv_line[ply + 1];
    fila[0] = j;
    for (int i = 1; i < MAX_PLY - 1; i++) fila[i] = siguiente[i - 1];
    fila[MAX_PLY - 1] = 0;
}

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

}  // namespace

bool BandoEnJaque() {
    const TipoTablero& T = TableroGlobal;
    if (T.Turno == 1) return JaqueBlancas(T.PosicionReyBlanco);
    if (T.Turno == 0) return JaqueNegras(T.PosicionReyNegro);
    Salir = 1;
    return false;
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

int AlphaBeta_Pv(int profundidad, int alpha, int beta, int EnJaque, int EsNodoNoPv, int SinNulo) {
    TipoTablero& T = TableroGlobal;
    RegistroJuego& J = TipoJuego;
    const int ply = T.Ply;

    if (profundidad < 1 || ply > ULTIMO_PLY) {
        // The quiescence search keeps no line: a PV node ends its line here, so the parent
        // never copies a line left over from another branch.
        if (!EsNodoNoPv) pv_line[ply][0] = 0;
        return AlphaBeta_Qs(PROFUNDIDAD_QS, alpha, beta, EnJaque);
    }
    J.Nodos++;

    const int lado = T.Turno;
    Jugada hash = 0;
    int eval = -VALOR_INFINITO;
    ResultadoEval re = {i16(-VALOR_INFINITO), {}, {}};
    int puntosTT = 0;

    if (ply == 0) {
        // The root never cuts on the table; its hash move is the last iteration's best move.
        Jugada jTT = 0;
        if (RecuperarPosicion(alpha, beta, profundidad, puntosTT, jTT) && EsNodoNoPv) return puntosTT;
        hash = pv_line[0][0];
        if (!EnJaque && !SinNulo) {
            eval = Evaluar(&re);
            re.Puntuacion = i16(eval);
        }
        if (!hash && !EnJaque && profundidad >= IID_PROFUNDIDAD_PV) {
            AlphaBeta_Pv(profundidad - IID_REDUCCION, alpha, beta, 0, 0, 1);
            if (J.Parar) return 0;
            hash = RecuperarMovimientoHash();
        }
    } else {
        if (!EsNodoNoPv) pv_line[ply][0] = 0;
        if ((J.Nodos & MASCARA_COMPROBACION) == 0) ComprobarTiempo();
        if (J.Parar) return 0;

        if (Es_Tabla_Repeticion()) return 0;

        // Mate-distance bounds.
        if (alpha < ply - VALOR_MATE) alpha = ply - VALOR_MATE;
        if (beta > VALOR_MATE - ply) beta = VALOR_MATE - ply;
        if (alpha >= beta) return alpha;

        int puntosTB;
        if (ConsultarTablas(puntosTB)) return puntosTB;

        const int corte = RecuperarPosicion(alpha, beta, profundidad, puntosTT, hash);
        if (corte && EsNodoNoPv) return puntosTT;
        // The hash move will be searched first: its position's entries are asked for now, while
        // this node evaluates, prunes and generates.
        if (hash) PrecargarEntradas(ClavePrevista(hash));

        if (!EnJaque) {
            eval = Evaluar(&re);
            re.Puntuacion = i16(eval);
            if (EsNodoNoPv && !SinNulo) {
                // Razoring: hopeless at low depth unless the captures say otherwise.
                if (!hash && profundidad <= RAZORING_PROFUNDIDAD && !HayPeonEnSeptima(lado)) {
                    const int t = beta - RAZORING_POR_PLY * profundidad - RAZORING_MARGEN;
                    if (eval < t) {
                        const int v = AlphaBeta_Qs(PROFUNDIDAD_QS, t - 1, t, 0);
                        if (J.Parar) return 0;
                        if (v < t) return v;
                    }
                }
                if (beta < UMBRAL_MATE) {
                    // Reverse futility pruning.
                    if (profundidad <= FUTILIDAD_INVERSA_PROFUNDIDAD && beta <= eval - STAT_NULL_MARGIN[profundidad])
                        return eval - STAT_NULL_MARGIN[profundidad];
                    // Null move, without verification.
                    if (profundidad >= NULO_PROFUNDIDAD && beta <= eval && TienePiezas(lado == 1 ? Blancas : Negras)) {
                        const int dNull = ProfundidadNulo(profundidad);
                        if (!CancelarNull(alpha, dNull)) {
                            HacerMovimientoNull();
                            const int v = -AlphaBeta_Pv(dNull, -beta, 1 - beta, 0, 1, 1);
                            DeshacerMovimientoNull();
                            if (J.Parar) return 0;
                            if (v >= beta) return EsPuntuacionMate(v) ? beta : v;
                        }
                    }
                }
            }
        }

        // Internal iterative deepening finds a move to try first.
        if (!hash && !EnJaque) {
            int d = 0;
            if (!EsNodoNoPv && profundidad >= IID_PROFUNDIDAD_PV) d = profundidad - IID_REDUCCION;
            else if (EsNodoNoPv && profundidad > IID_PROFUNDIDAD_NO_PV)
                d = profundidad - IID_REDUCCION - int(float(profundidad) * 0.25f + 0.5f);
            if (d) {
                AlphaBeta_Pv(d, alpha, beta, 0, EsNodoNoPv, 1);
                if (J.Parar) return 0;
                hash = RecuperarMovimientoHash();
            }
        }
    }

    ListaJugadas lista;
    const int n = GenerarMovimientos(GENERAR_TODAS, lista);
    OrdenarMovimientosTodos(n, hash, lista, EnJaque, ply ? GetRefutation(ply) : 0);

    Jugada JugadasTranquilas[MAX_JUGADAS];
    int numTranquilas = 0;
    int mejor = -VALOR_INFINITO;
    Jugada mejorJugada = 0;
    int legales = 0;

    // In check below the root, a move that neither moves the king nor answers the check is
    // illegal and is passed over without being made. (At the root, a position no game reaches
    // could hold a king capture, whose make would set Salir.)
    const bool filtrar = AtajosActivos && EnJaque && ply > 0;
    const InfoJaque jaque = filtrar ? AnalizarJaque() : InfoJaque{0, 0};

    int elegida = -1;  // the entry already brought into place ahead of its turn
    for (int i = 0; i < n; i++) {
        if (elegida != i) OrdenaMovimiento(lista, i, n);
        const Jugada j = lista[i].Jugada;
        if (filtrar && !PuedeEvitarJaque(jaque, j)) {
            DescartarMovimiento(j);
            continue;
        }
        // A late quiet move that the history or futility pruning below drops unless it gives
        // check is settled before it is made: an illegal one, or a legal one that cannot give
        // check, is passed over unmade (the legal one still counts as a legal move).
        if (AtajosActivos && EsNodoNoPv && ply > 0 && !EnJaque && legales >= 1 &&
            PodaTardia(j, lado, ply, profundidad, legales + 1, alpha, beta, eval, re)) {
            if (!LegalSinHacer(j)) {
                DescartarMovimiento(j);
                continue;
            }
            if (!PuedeDarJaque(j)) {
                legales++;
                DescartarMovimiento(j);
                continue;
            }
        }
        // Past the first move a node is likely to search more: the next move is chosen now
        // (the list does not change while this one is searched) and its position's entries
        // are asked for, to be in the cache when its turn comes.
        if (legales >= 1 && i + 1 < n) {
            OrdenaMovimiento(lista, i + 1, n);
            elegida = i + 1;
            PrecargarEntradas(ClavePrevista(lista[i + 1].Jugada));
        }
        if (!(EnJaque ? HacerMovimiento(j) : HacerMovimientoSinJaque(j))) {
            DeshacerMovimiento();
            continue;
        }
        legales++;
        PrecargarEntradas();
        // Below the root the opponent was not in check before this move (every position there
        // was reached by a legal move or a null move made out of check); the root may be any
        // position the GUI sent.
        const int daJaque = ply ? DaJaque(j) : BandoEnJaque();

        int ext = 0;
        if (!EsNodoNoPv) ext = (daJaque || ExtensionPeonEnSeptima(j, lado, re)) ? 1 : 0;
        else ext = (daJaque && profundidad <= EXTENSION_JAQUE_NO_PV) ? 1 : 0;

        int r = 0;
        if (ply > 0) {
            const bool exenta = ext || daJaque || EnJaque || legales == 1;
            if (!EsNodoNoPv) {
                if (!exenta && !HistoricoEsMovimientoKiller(j, ply, lado) &&
                    !HistoricoEsMovimientoKillerMate(j, ply, lado) && Coronacion(j) == SIN_PIEZA &&
                    !EsPeonLibre(j, lado, re) && beta < UMBRAL_MATE && legales >= LMR_JUGADAS &&
                    profundidad >= LMR_PROFUNDIDAD && !Refutes(j, ply)) {
                    r = 1;
                    if (profundidad > LMR_PROFUNDIDAD_HISTORIA && HistoricoMalaPuntuacionPV(lado, j))
                        r = ReduccionPV(profundidad);
                }
            } else if (!exenta && Coronacion(j) == SIN_PIEZA && !EsPeonLibre(j, lado, re) && beta < UMBRAL_MATE &&
                       !Enroque(j) && !HistoricoEsMovimientoKiller(j, ply, lado) &&
                       !HistoricoEsMovimientoKillerMate(j, ply, lado) && !Refutes(j, ply)) {
                if (Capturada(j) == SIN_PIEZA && !AlPaso(j)) {
                    // History pruning, then futility pruning of late quiet moves.
                    if (PodaHistoria(lado, j, profundidad, legales) || PodaFutilidad(profundidad, alpha, beta, eval)) {
                        DeshacerMovimiento();
                        continue;
                    }
                }
                if (profundidad >= LMR_PROFUNDIDAD && legales >= LMR_JUGADAS) {
                    r = 1;
                    if (profundidad > LMR_PROFUNDIDAD_HISTORIA && HistoricoMalaPuntuacionZW(lado, j))
                        r = ReduccionNoPV(profundidad, legales);
                }
            }
        }

        const int nd = profundidad - 1 + ext;
        int s;
        if (ply == 0) {
            if (mejor == -VALOR_INFINITO) {
                s = -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, 0, 0);
            } else {
                s = -AlphaBeta_Pv(nd, -alpha - 1, -alpha, daJaque, 1, 0);
                if (s > alpha && !J.Parar) s = -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, 0, 0);
            }
        } else if (!EsNodoNoPv) {
            if (mejor == -VALOR_INFINITO) {
                s = -AlphaBeta_Pv(nd - r, -beta, -alpha, daJaque, 0, 0);
            } else {
                s = -AlphaBeta_Pv(nd - r, -alpha - 1, -alpha, daJaque, 1, 0);
                if (!J.Parar && s > alpha) {
                    if (r == 0) {
                        s = -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, 0, 0);
                    } else {
                        s = -AlphaBeta_Pv(nd - r, -beta, -alpha, daJaque, 0, 0);
                        if (s >= beta && !J.Parar) s = -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, 0, 0);
                    }
                }
            }
        } else {
            s = -AlphaBeta_Pv(nd - r, -beta, -alpha, daJaque, 1, 0);
            if (r >= 1 && !J.Parar && s >= beta) s = -AlphaBeta_Pv(nd, -beta, -alpha, daJaque, 1, 0);
        }
        DeshacerMovimiento();
        if (J.Parar) return 0;

        if (EsTranquila(j) && numTranquilas < MAX_JUGADAS) JugadasTranquilas[numTranquilas++] = j;

        if (s <= mejor) continue;
        if (s <= alpha) {
            mejor = s;
            continue;
        }
        if (ply == 0) J.NumeroJugadaRaiz = legales;
        if (s >= beta) {
            if (EsTranquila(j)) {
                HistoricoActualizar(j, s, JugadasTranquilas, numTranquilas, ply, lado);
                UpdateRefutation(j, ply);
            }
            AlmacenarPosicion(profundidad, s, CotaInferior, j);
            return s;
        }
        if (!EsNodoNoPv) Actualizar_Pv(ply, j);
        alpha = mejor = s;
        mejorJugada = j;
    }

    if (legales == 0) {
        // Mated or stalemate; nothing stored. A root without a move has an empty line.
        if (ply == 0) pv_line[0][0] = 0;
        return EnJaque ? ply - VALOR_MATE : 0;
    }
    if (!mejorJugada) {
        AlmacenarPosicion(profundidad, mejor, CotaSuperior, 0);
        return mejor;
    }
    AlmacenarPosicion(profundidad, mejor, Exacta, mejorJugada);
    return mejor;
}
