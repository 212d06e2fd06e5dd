// The clock and input check the searches call every 2048 nodes. It reads no input but the
// ponderhit and isready lines that reach a search on "go ponder": any other waiting line stays
// for the command loop, which handles it after the search returns.
#include <cstdio>
#include <cstring>

#include "platform.h"
#include "search/search.h"
#include "uci/limits.h"
#include "uci/uci.h"

bool SondearEntrada = true;

namespace {

// ponderhit: the search goes on as the normal search of its go command, its clock and node
// budgets counted from now (the time spent pondering is a gift).
void Ponderhit() {
    RegistroJuego& J = TipoJuego;
    J.PonderInterfaz = 0;
    J.TiempoLimite += ObtenerTiempo() - J.TiempoInicio;
    if (J.LimiteNodos != 0) J.LimiteNodos += J.Nodos;
}

// The lines that reach a search on "go ponder", each once it has arrived whole: ponderhit and
// isready are taken and the search goes on; any other line (stop included) makes it a search
// like any other, which the waiting line ends, and stays for the command loop.
void AtenderPonder(bool esperar) {
    RegistroJuego& J = TipoJuego;
    char linea[16], palabra[TAM_PALABRA];
    while (J.PonderInterfaz == 1 && MirarLinea(linea, sizeof linea, esperar)) {
        Split_String(linea, palabra);
        if (!std::strcmp(palabra, "isready")) {
            SaltarLinea();
            std::printf("readyok\n");
            std::fflush(stdout);
        } else if (!std::strcmp(palabra, "ponderhit")) {
            SaltarLinea();
            Ponderhit();
        } else {
            J.PonderInterfaz = 0;  // the search ends as any other would (below)
        }
    }
}

}  // namespace

void ComprobarTiempo() {
    RegistroJuego& J = TipoJuego;
    // The first iteration is never cut by a budget, no search stops without a move, and a
    // search on "go ponder" has no budget before ponderhit.
    if (J.Profundidad >= 2 && pv_line_fin[0] != 0 && J.PonderInterfaz == 0) {
        if (J.ControlTiempo == 1 && ObtenerTiempo() - J.TiempoInicio >= J.TiempoLimite) J.Parar = 1;
        if (J.LimiteNodos != 0 && J.Nodos >= J.LimiteNodos) J.Parar = 1;
    }
    if (!SondearEntrada) return;
    if (J.PonderInterfaz == 1) AtenderPonder(false);
    // Any waiting byte stops the search; so does a closed or broken input, after which the
    // command loop meets the end of input. Not before the first iteration has given a move,
    // though: a search cut earlier would have nothing legal to answer.
    if (J.PonderInterfaz == 0 && pv_line_fin[0] != 0 && HayEntradaEsperando()) J.Parar = 1;
}

void EsperarFinPonder() {
    if (SondearEntrada) AtenderPonder(true);
    TipoJuego.PonderInterfaz = 0;
}
