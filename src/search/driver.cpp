// The search driver: iterative deepening with aspiration windows, the per-iteration report,
// the mate stop, the final bestmove, and the reset between searches.
#include <cstring>

#include "search/hilos.h"
#include "search/iteracion.h"
#include "search/limits.h"
#include "search/raiz.h"
#include "search/search.h"
#include "search/tt.h"
#include "tablebases/tablas.h"

POR_HILO u32 pv_line[MAX_PLY][MAX_PLY];
POR_HILO u32 pv_line_fin[MAX_PLY];
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

namespace {

bool BuscarRaizVentanas(int d, int previa, int enJaque, int& s) {
    const RegistroJuego& J = TipoJuego;
    if (d < PRIMERA_ASPIRACION || EsPuntuacionMate(previa)) {
        s = AlphaBeta_Pv(d, -VALOR_INFINITO, VALOR_INFINITO, enJaque, NODO_PV, NULO_PERMITIDO);
        return !(EsPuntuacionMate(previa) && J.Parar);
    }
    for (int intento = 0;; intento++) {
        int alpha, beta;
        VentanaAspiracion(previa, intento, alpha, beta);
        s = AlphaBeta_Pv(d, alpha, beta, enJaque, NODO_PV, NULO_PERMITIDO);
        if (intento == VENTANAS) return true;  // the full window: the stop is looked at by the caller
        if (J.Parar) return false;
        if ((s > alpha && s < beta) || EsPuntuacionMate(s)) return true;
    }
}

}  // namespace

bool BuscarRaiz(int d, int previa, int enJaque, int& s) {
    EntrarProfundidad(d);
    const bool hecha = BuscarRaizVentanas(d, previa, enJaque, s);
    SalirProfundidad(d);
    return hecha;
}

namespace {

// Iterative deepening of one line; true when "go mate N" found its mate.
bool IterarUnaLinea(int enJaque, bool paradaMate, Informe& informe) {
    RegistroJuego& J = TipoJuego;
    int previa = 0;      // score of the last iteration
    int ultima = 0;      // score kept for the mate stop, first set at depth 2
    int reportada = 1;   // depth of the last completed iteration
    for (int d = 1; d <= J.ProfundidadMaxima; d++) {
        J.Profundidad = d;
        if (J.Parar) break;

        int s;
        if (!BuscarRaiz(d, previa, enJaque, s)) break;

        if (d == 1) {
            previa = s;
            if (!J.Parar) {
                Actualizar_Pv_Terminada();
                reportada = 1;
            }
            informe.Imprimir(reportada, s, 0);
            if (!J.Parar && MateEncontrado(s)) return true;
            continue;
        }
        if (paradaMate && EsPuntuacionMate(ultima) && EsPuntuacionMate(s)) break;
        if (!J.Parar) {
            const int cota = Cota(s, previa);
            previa = ultima = s;
            Actualizar_Pv_Terminada();
            reportada = d;
            informe.Imprimir(d, s, cota);
            if (MateEncontrado(s)) return true;
        } else {
            // Stopped inside a full-window search: report the last completed iteration again.
            informe.Imprimir(reportada, ultima, Cota(ultima, previa));
            previa = ultima;
        }
    }
    return false;
}

}  // namespace

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
    PrepararJugadasRaiz(J.LineasPv > 1);

    const int enJaque = BandoEnJaque();
    // Two mate scores in a row end a search; not an infinite one, nor one that ends on a mate
    // only as "go mate N" says, nor one that waits for the GUI anyway.
    const bool paradaMate = !J.Infinito && J.MateBuscado == 0 && J.EsperaRespuesta == Espera::Ninguna;
    Informe informe;  // the last report of a completed iteration, and whether it was printed
    // Several lines when MultiPV asks for them and the root has more than one move.
    const int lineas = J.LineasPv < RaizBusqueda.n ? J.LineasPv : RaizBusqueda.n;
    ArrancarAyudantes();
    const bool mateHallado = J.LineasPv > 1 && lineas > 1 ? IterarLineas(lineas, enJaque, paradaMate, informe)
                                                          : IterarUnaLinea(enJaque, paradaMate, informe);
    PararAyudantes();

    NodosUltimaBusqueda = NodosTotales();
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
