// Several lines (MultiPV): each iteration searches the root once per line, every time without
// the moves of the lines already found, each line in its own aspiration window around its
// last score. The lines of a completed iteration are shown best first; the first is played.
#include <algorithm>
#include <cstring>

#include "search/iteracion.h"
#include "search/raiz.h"

LineasPv LineasBusqueda;

namespace {

LineasPv Nuevas;  // the lines of the iteration under way, in the order found

bool Repetida(Jugada j) {
    for (int i = 0; i < Nuevas.n; i++)
        if (Nuevas.linea[i].pv[0] == j) return true;
    return false;
}

// A search stopped inside an iteration keeps the lines it completed there and, after them,
// those of the last iteration whose moves they do not repeat.
void Combinar(int k) {
    LineasPv& l = LineasBusqueda;
    for (int i = 0; i < l.n && Nuevas.n < k; i++) {
        if (!Repetida(l.linea[i].pv[0])) Nuevas.linea[Nuevas.n++] = l.linea[i];
    }
    l = Nuevas;
}

}  // namespace

bool IterarLineas(int k, int enJaque, bool paradaMate, Informe& informe) {
    RegistroJuego& J = TipoJuego;
    LineasPv& lineas = LineasBusqueda;
    lineas.n = 0;
    int ultima = 0;  // line 1's score kept for the mate stop, first set at depth 2
    for (int d = 1; d <= J.ProfundidadMaxima; d++) {
        J.Profundidad = d;
        if (J.Parar) break;
        Nuevas.n = 0;
        bool cortada = false;
        for (int i = 0; i < k && !cortada; i++) {
            // The line's last move is tried first, its last score centres the window.
            const bool previa = i < lineas.n;
            if (previa) std::memcpy(pv_line[0], lineas.linea[i].pv, sizeof pv_line[0]);
            else pv_line[0][0] = 0;
            const int centro = previa ? lineas.linea[i].puntuacion : (i > 0 ? Nuevas.linea[i - 1].puntuacion : 0);
            int s;
            cortada = !BuscarRaiz(d, centro, enJaque, s) || J.Parar;
            // A mate score below the window leaves the root's line as it was: the line's last
            // one, whose move an earlier line may have taken. The full window then decides.
            if (!cortada && Repetida(pv_line[0][0])) {
                s = AlphaBeta_Pv(d, -VALOR_INFINITO, VALOR_INFINITO, enJaque, NODO_PV, NULO_PERMITIDO);
                cortada = J.Parar;
            }
            if (cortada || pv_line[0][0] == 0) break;
            LineaPv& l = Nuevas.linea[Nuevas.n++];
            l.profundidad = d;
            l.puntuacion = s;
            l.cota = d > 1 && previa ? Cota(s, centro) : 0;
            std::memcpy(l.pv, pv_line[0], sizeof l.pv);
            ApartarJugadaRaiz(l.pv[0]);
        }
        RaizBusqueda.primera = 0;
        if (Nuevas.n == 0) break;
        if (cortada) {
            if (Nuevas.n > 0) {
                Combinar(k);
                std::memcpy(pv_line_fin, lineas.linea[0].pv, sizeof pv_line_fin);
                informe.ImprimirVarias();
            }
            break;
        }
        std::stable_sort(Nuevas.linea, Nuevas.linea + Nuevas.n,
                         [](const LineaPv& a, const LineaPv& b) { return a.puntuacion > b.puntuacion; });
        const int s = Nuevas.linea[0].puntuacion;
        if (d >= 2) {
            if (paradaMate && EsPuntuacionMate(ultima) && EsPuntuacionMate(s)) break;
            ultima = s;
        }
        lineas = Nuevas;
        std::memcpy(pv_line_fin, lineas.linea[0].pv, sizeof pv_line_fin);
        informe.ImprimirVarias();
        if (MateEncontrado(s)) return true;
    }
    return false;
}
