// The search driver: iterative deepening with aspiration windows, the per-iteration report,
// the mate stop, the final bestmove, and the reset between searches.
#include <cstring>

#include "search/limits.h"
#include "search/raiz.h"
#include "search/search.h"
#include "search/tt.h"
#include "tablebases/tablas.h"

u32 pv_line[MAX_PLY][MAX_PLY];
u32 pv_line_fin[MAX_PLY];
u64 NodosUltimaBusqueda = 0;

void A_Inicio() {
    TipoJuego.Parar = 0;
    TipoJuego.Nodos = 0;
    TipoJuego.NumeroJugadaRaiz = 0;
    std::memset(pv_line, 0, sizeof pv_line);
    std::memset(pv_line_fin, 0, sizeof pv_line_fin);
    HistoricoIniciar();
    AvanzarGeneracion();
}

void Actualizar_Pv_Terminada() { std::memcpy(pv_line_fin, pv_line[0], sizeof pv_line_fin); }

namespace {

// Aspiration windows from depth 6 on: half-widths 25, 100 and 400 around the last score, then
// the full window.
constexpr int PRIMERA_ASPIRACION = 6;
constexpr int VENTANA_INICIAL = 25, FACTOR_VENTANA = 4, VENTANAS = 3;
// An info line marks a score that rose or fell by more than this against the last iteration.
constexpr int SALTO_COTA = 100;

inline int Cota(int s, int previa) { return s > previa + SALTO_COTA ? 1 : (s < previa - SALTO_COTA ? -1 : 0); }

// "go mate N": a completed iteration that mates in N moves (2N - 1 plies) or fewer.
bool MateEncontrado(int s) {
    const int n = TipoJuego.MateBuscado;
    return n > 0 && s > UMBRAL_MATE && VALOR_MATE - s <= 2 * i64(n) - 1;
}

// The iteration reports of one search. A search whose last completed iteration went unprinted
// (ShowPv Middle in its first 750 ms) prints it before it answers, so that every client gets
// a score, a depth and a line.
struct Informe {
    int profundidad = 0, puntuacion = 0, cota = 0;
    bool hecho = false, impreso = false;
    void Imprimir(int p, int s, int c) {
        profundidad = p;
        puntuacion = s;
        cota = c;
        hecho = true;
        impreso = ImprimirPv(p, s, c, false);
    }
    void Completar() const {
        if (hecho && !impreso && TipoJuego.ShowPv != 0) ImprimirPv(profundidad, puntuacion, cota, true);
    }
};

}  // namespace

void VentanaAspiracion(int previa, int intento, int& alpha, int& beta) {
    if (intento < 0 || intento >= VENTANAS) {
        alpha = -VALOR_INFINITO;
        beta = VALOR_INFINITO;
        return;
    }
    int w = VENTANA_INICIAL;
    for (int i = 0; i < intento; i++) w *= FACTOR_VENTANA;
    alpha = previa - w;
    beta = previa + w;
}

void Buscar() {
    TipoTablero& T = TableroGlobal;
    RegistroJuego& J = TipoJuego;
    T.Ply = 0;
    J.Profundidad = 1;
    J.TiempoInicio = ObtenerTiempo();
    J.NodosInicio = J.Nodos;
    // The answer comes from this search's own iterations, never from a line of an earlier
    // search (after a ponder hit that line begins with the opponent's move).
    std::memset(pv_line_fin, 0, sizeof pv_line_fin);
    if (J.ProfundidadMaxima < 1) J.ProfundidadMaxima = 1;
    if (J.ProfundidadMaxima > PROFUNDIDAD_MAXIMA) J.ProfundidadMaxima = PROFUNDIDAD_MAXIMA;
    AciertosTablas = 0;
    PrepararJugadasRaiz();

    const int enJaque = BandoEnJaque();
    // Two mate scores in a row end a search; not an infinite one, nor one that ends on a mate
    // only as "go mate N" says, nor one that waits for the GUI anyway.
    const bool paradaMate = !J.Infinito && J.MateBuscado == 0 && J.EsperaRespuesta == Espera::Ninguna;
    int previa = 0;      // score of the last iteration
    int ultima = 0;      // score kept for the mate stop, first set at depth 2
    int reportada = 1;   // depth of the last completed iteration
    Informe informe;     // the last report of a completed iteration, and whether it was printed
    bool mateHallado = false;

    for (int d = 1; d <= J.ProfundidadMaxima; d++) {
        J.Profundidad = d;
        if (J.Parar) break;

        int s;
        if (d < PRIMERA_ASPIRACION || EsPuntuacionMate(previa)) {
            s = AlphaBeta_Pv(d, -VALOR_INFINITO, VALOR_INFINITO, enJaque, 0, 0);
            if (EsPuntuacionMate(previa) && J.Parar) break;
        } else {
            bool cortada = false;
            for (int intento = 0;; intento++) {
                int alpha, beta;
                VentanaAspiracion(previa, intento, alpha, beta);
                s = AlphaBeta_Pv(d, alpha, beta, enJaque, 0, 0);
                if (intento == VENTANAS) break;  // the full window: the stop is looked at below
                if (J.Parar) {
                    cortada = true;
                    break;
                }
                if ((s > alpha && s < beta) || EsPuntuacionMate(s)) break;
            }
            if (cortada) break;
        }

        if (d == 1) {
            previa = s;
            if (!J.Parar) {
                Actualizar_Pv_Terminada();
                reportada = 1;
            }
            informe.Imprimir(reportada, s, 0);
            if (!J.Parar && MateEncontrado(s)) {
                mateHallado = true;
                break;
            }
            continue;
        }
        if (paradaMate && EsPuntuacionMate(ultima) && EsPuntuacionMate(s)) break;
        if (!J.Parar) {
            const int cota = Cota(s, previa);
            previa = ultima = s;
            Actualizar_Pv_Terminada();
            reportada = d;
            informe.Imprimir(d, s, cota);
            if (MateEncontrado(s)) {
                mateHallado = true;
                break;
            }
        } else {
            // Stopped inside a full-window search: report the last completed iteration again.
            informe.Imprimir(reportada, ultima, Cota(ultima, previa));
            previa = ultima;
        }
    }

    NodosUltimaBusqueda = J.Nodos;
    EsperarRespuesta(J.EsperaRespuesta == Espera::Orden ||
                     (J.EsperaRespuesta == Espera::OrdenSinMate && !mateHallado));
    // The line ends at its first 0 word: without a move there is no ponder move either.
    const Jugada ponder = pv_line_fin[0] ? pv_line_fin[1] : 0;
    if (J.Ponder != 1) {
        informe.Completar();
        ImprimirMejorJugada(pv_line_fin[0], ponder);
        std::memset(J.JugadaPonder, 0, sizeof J.JugadaPonder);
        A_Inicio();
    } else if (J.PonderActivo == 1) {
        MovimientoCoordenadas(pv_line_fin[0], J.JugadaPonder);
        J.Parar = 0;
        J.PonderActivo = 0;
    } else if (J.PonderActivo == 0) {
        informe.Completar();
        ImprimirMejorJugada(pv_line_fin[0], ponder);
        MovimientoCoordenadas(pv_line_fin[0], J.JugadaPonder);
    }
}
