// What "input is waiting" means to a running search: any whole or partial line ends it, except
// the ponderhit and isready lines that reach a search on "go ponder", which are taken here.
// Nothing else is read: the waiting line stays for the command loop, which handles it after
// the search returns.
#include <cstdio>
#include <cstring>

#include "platform.h"
#include "search/limits.h"
#include "uci/uci.h"

namespace {

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
            J.PonderInterfaz = 0;  // the search ends as any other would
        }
    }
}

}  // namespace

bool EntradaUci(bool esperar) {
    if (TipoJuego.PonderInterfaz == 1) AtenderPonder(esperar);
    // Any waiting byte counts; so does a closed or broken input, after which the command loop
    // meets the end of input.
    return !esperar && TipoJuego.PonderInterfaz == 0 && HayEntradaEsperando();
}
