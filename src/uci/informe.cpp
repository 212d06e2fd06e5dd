// The search's reports as UCI lines: the two info lines of an iteration (one per line and a
// closing one under MultiPV) and the bestmove line; installed at start-up as the search's
// reporter. Also the one message of the table allocation.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "search/hilos.h"
#include "search/limits.h"
#include "search/search.h"
#include "search/tt.h"
#include "search/wdl.h"
#include "tablebases/tablas.h"
#include "uci/uci.h"

namespace {

// Length of a line; a full row of 64 moves has no terminator and counts 0.
int LargoPv(const u32* pv) {
    for (int i = 0; i < MAX_PLY; i++)
        if (pv[i] == 0) return i;
    return 0;
}

// Appends printf-style text to a buffer of tam bytes at k (never past its end).
struct Escritor {
    char* buf;
    int tam, k;
    template <class... A>
    void operator()(A... args) {
        if (k < tam) k += std::snprintf(buf + k, size_t(tam - k), args...);
    }
};

// The first info line of one line of the search: its depth, score and moves; multipv 0 shows
// no "multipv".
void EscribirLinea(Escritor& escribir, int profundidad, int puntuacion, int cota, int transcurrido, const u32* pv,
                   int multipv) {
    const RegistroJuego& J = TipoJuego;
    const int n = LargoPv(pv);
    // The engine's own ponder search counts on from the search before it: its speed is its own
    // nodes over its own time.
    const u64 nodos = NodosTotales();  // every thread's
    const u64 nodosPropios = J.PonderActivo == 1 ? nodos - J.NodosInicio : nodos;
    const int nps = ATruncado(float(nodosPropios) * 1000.0f / float(transcurrido) + 0.5f);
    char texto[64], aciertos[32] = "", linea[24] = "";
    if (TablasConfiguradas()) std::snprintf(aciertos, sizeof aciertos, " tbhits %" PRIu64, AciertosTotales());
    if (multipv) std::snprintf(linea, sizeof linea, " multipv %d", multipv);
    // Pondering searches the opponent's position: the score is turned to our side (a mate
    // counted in our moves from there).
    if (J.PonderActivo == 1) puntuacion = -puntuacion;
    TextoPuntuacion(puntuacion, cota, texto);
    if (J.MostrarWdl) {
        const Wdl p = CalcularWdl(puntuacion, MaterialTablero());
        const size_t largo = std::strlen(texto);
        std::snprintf(texto + largo, sizeof texto - largo, " wdl %d %d %d", p.w, p.d, p.l);
    }
    if (J.PonderActivo == 0) {
        escribir("info depth %d seldepth %d%s time %d nodes %" PRIu64 " nps %d%s score %s pv ", profundidad, n, linea,
                 transcurrido, nodos, nps, aciertos, texto);
        for (int i = 0; i < n; i++) {
            char jugada[6];
            MovimientoCoordenadas(pv[i], jugada);
            escribir("%s ", jugada);
        }
        escribir("\n");
    } else if (J.PonderActivo == 1) {
        escribir("info depth %d seldepth %d%s nodes %" PRIu64 " nps %d%s score %s\n", profundidad, n, linea, nodos,
                 nps, aciertos, texto);
    }
}

void EscribirJugadaActual(Escritor& escribir) {
    char actual[6];
    MovimientoCoordenadas(pv_line_fin[0], actual);
    escribir("info currmove %s currmovenumber %d hashfull %d\n", actual, TipoJuego.NumeroJugadaRaiz,
             ObtenerHashCompleto());
}

void Emitir(const char* buf) {
    std::fputs(buf, stdout);
    std::fflush(stdout);
}

void ImprimirIteracion(int profundidad, int puntuacion, int cota, int transcurrido) {
    char buf[1024];
    FormatearInfo(buf, sizeof buf, profundidad, puntuacion, cota, transcurrido);
    Emitir(buf);
}

// "multipv 1" first; one currmove line after them.
void ImprimirLineas(const LineasPv& lineas, int transcurrido) {
    char buf[1024];
    for (int i = 0; i < lineas.n; i++) {
        const LineaPv& l = lineas.linea[i];
        Escritor escribir{buf, sizeof buf, 0};
        EscribirLinea(escribir, l.profundidad, l.puntuacion, l.cota, transcurrido, l.pv, i + 1);
        Emitir(buf);
    }
    Escritor escribir{buf, sizeof buf, 0};
    EscribirJugadaActual(escribir);
    Emitir(buf);
}

void ImprimirMejorJugadaUci(Jugada mejor, Jugada ponder) {
    char a[6], b[6];
    // No move (a mated or stalemated root): the protocol's null move, which clients read as
    // "none", where the text of move word 0 would name an illegal move.
    if (mejor) MovimientoCoordenadas(mejor, a);
    else std::strcpy(a, "0000");
    if (ponder) {
        MovimientoCoordenadas(ponder, b);
        std::printf("bestmove %s ponder %s\n", a, b);
    } else {
        std::printf("bestmove %s\n", a);
    }
    std::fflush(stdout);
}

}  // namespace

const Informador INFORMADOR_UCI = {ImprimirIteracion, ImprimirLineas, ImprimirMejorJugadaUci};

void TextoPuntuacion(int puntuacion, int cota, char* texto) {
    if (EsPuntuacionMate(puntuacion)) {
        // Moves, not plies: mate in 3 plies is "mate 2", mated in 2 plies "mate -1".
        const float jugadas = puntuacion > 0 ? 0.5f * float(VALOR_MATE - puntuacion + 1)
                                             : 0.5f * float(-VALOR_MATE - puntuacion - 1);
        std::sprintf(texto, "mate %d", int(jugadas));
        return;
    }
    std::sprintf(texto, "cp %d%s", puntuacion, cota == 1 ? " lowerbound" : (cota == -1 ? " upperbound" : ""));
}

int FormatearInfo(char* buf, int tam, int profundidad, int puntuacion, int cota, int transcurrido) {
    Escritor escribir{buf, tam, 0};
    if (tam > 0) buf[0] = 0;
    EscribirLinea(escribir, profundidad, puntuacion, cota, transcurrido, pv_line_fin, TipoJuego.LineasPv > 1 ? 1 : 0);
    EscribirJugadaActual(escribir);
    return escribir.k;
}

void ImprimirFaltaMemoria() { std::printf("Memoria insuficiente para la tabla hash.\n"); }
