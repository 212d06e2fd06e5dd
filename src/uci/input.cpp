// What waiting input means to a running search. The lines a search answers itself are taken
// here and the search goes on: isready (readyok at once), ponderhit on "go ponder", and the
// mark of a dropped over-long line (its message). Any other line ends the search and stays in
// the queue for the command loop, which carries it out once the search has answered.
#include <cstdio>
#include <cstring>

#include "search/limits.h"
#include "uci/uci.h"

namespace {

bool isreadyPendiente = false;

}  // namespace

bool TomarIsreadyPendiente() {
    const bool p = isreadyPendiente;
    isreadyPendiente = false;
    return p;
}

bool EntradaUci(bool esperar) {
    RegistroJuego& J = TipoJuego;
    char linea[16], palabra[TAM_PALABRA];
    for (;;) {
        const int clase = MirarLinea(linea, sizeof linea, esperar);
        if (clase == SIN_LINEA) return false;
        if (clase == LINEA_LARGA) {
            SaltarLinea();
            std::printf("info string L\xEDnea demasiado larga descartada.\n");
            std::fflush(stdout);
            continue;
        }
        if (clase != FIN_ENTRADA) {
            Split_String(linea, palabra);
            if (!std::strcmp(palabra, "isready")) {
                SaltarLinea();
                isreadyPendiente = true;
                std::printf("readyok\n");
                std::fflush(stdout);
                continue;
            }
            if (!std::strcmp(palabra, "ponderhit") && J.PonderInterfaz == 1) {
                SaltarLinea();
                Ponderhit();
                // A search that had already ended waits no more for its ponderhit.
                if (esperar) return false;
                continue;
            }
        }
        // Any other line (stop included), or the end of the input: on "go ponder" the search
        // becomes one like any other, and the line ends it.
        J.PonderInterfaz = 0;
        return true;
    }
}
