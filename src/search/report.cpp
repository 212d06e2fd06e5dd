// Search output: the two info lines of an iteration, the final bestmove line, and the one
// message of the table allocation.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "search/limits.h"
#include "search/raiz.h"
#include "search/search.h"
#include "search/tt.h"
#include "tablebases/tablas.h"

namespace {

// ShowPv Middle keeps quiet for the first 750 ms of a search.
constexpr int SILENCIO_MIDDLE_MS = 749;

// Length of the last completed line; a full row of 64 moves has no terminator and counts 0.
int LargoPv() {
    for (int i = 0; i < MAX_PLY; i++)
        if (pv_line_fin[i] == 0) return i;
    return 0;
}

}  // namespace

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
    const RegistroJuego& J = TipoJuego;
    const int n = LargoPv();
    // The engine's own ponder search counts on from the search before it: its speed is its own
    // nodes over its own time.
    const u64 nodosPropios = J.PonderActivo == 1 ? J.Nodos - J.NodosInicio : J.Nodos;
    const int nps = ATruncado(float(nodosPropios) * 1000.0f / float(transcurrido) + 0.5f);
    int k = 0;
    auto escribir = [&](auto... args) {
        if (k < tam) k += std::snprintf(buf + k, size_t(tam - k), args...);
    };
    char texto[40], aciertos[32] = "";
    if (TablasConfiguradas()) std::snprintf(aciertos, sizeof aciertos, " tbhits %" PRIu64, AciertosTablas);
    if (J.PonderActivo == 0) {
        TextoPuntuacion(puntuacion, cota, texto);
        escribir("info depth %d seldepth %d time %d nodes %" PRIu64 " nps %d%s score %s pv ", profundidad, n,
                 transcurrido, J.Nodos, nps, aciertos, texto);
        for (int i = 0; i < n; i++) {
            char jugada[6];
            MovimientoCoordenadas(pv_line_fin[i], jugada);
            escribir("%s ", jugada);
        }
        escribir("\n");
    } else if (J.PonderActivo == 1) {
        // Pondering searches the opponent's position: the score is turned to our side (a mate
        // counted in our moves from there).
        TextoPuntuacion(-puntuacion, cota, texto);
        escribir("info depth %d seldepth %d nodes %" PRIu64 " nps %d%s score %s\n", profundidad, n, J.Nodos, nps,
                 aciertos, texto);
    }
    char actual[6];
    MovimientoCoordenadas(pv_line_fin[0], actual);
    escribir("info currmove %s currmovenumber %d hashfull %d\n", actual, J.NumeroJugadaRaiz, ObtenerHashCompleto());
    return k;
}

bool ImprimirPv(int profundidad, int puntuacion, int cota, bool siempre) {
    RegistroJuego& J = TipoJuego;
    if (!J.Infinito && !siempre) {
        if (J.ShowPv == 0) return false;
        if (J.ShowPv == 1 && ObtenerTiempo() - J.TiempoInicio <= SILENCIO_MIDDLE_MS) return false;
    }
    J.TiempoTranscurrido = ObtenerTiempo() - J.TiempoInicio + 1;
    // A root the tables decide shows their result, as an exact score.
    if (RaizBusqueda.activa) {
        puntuacion = PuntuacionRaiz(puntuacion);
        cota = 0;
    }
    char buf[1024];
    FormatearInfo(buf, sizeof buf, profundidad, puntuacion, cota, J.TiempoTranscurrido);
    std::fputs(buf, stdout);
    std::fflush(stdout);
    return true;
}

void ImprimirMejorJugada(Jugada mejor, Jugada ponder) {
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

void ImprimirFaltaMemoria() { std::printf("Memoria insuficiente para la tabla hash.\n"); }
