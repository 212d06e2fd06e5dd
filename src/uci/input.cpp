// The clock and input check the searches call every 2048 nodes. It never reads the input:
// a waiting line stays for the command loop, which handles it after the search returns.
#include "platform.h"
#include "search/search.h"
#include "uci/limits.h"

bool SondearEntrada = true;

void ComprobarTiempo() {
    // The first iteration is never cut by the clock, and no search stops without a move.
    if (TipoJuego.Profundidad >= 2 && TipoJuego.ControlTiempo == 1) {
        i32 transcurrido = ObtenerTiempo() - TipoJuego.TiempoInicio;
        if (transcurrido >= TipoJuego.TiempoLimite && pv_line_fin[0] != 0) TipoJuego.Parar = 1;
    }
    // Any waiting byte stops the search; so does a closed or broken input, after which the
    // command loop meets the end of input. Not before the first iteration has given a move,
    // though: a search cut earlier would have nothing legal to answer.
    if (SondearEntrada && pv_line_fin[0] != 0 && HayEntradaEsperando()) TipoJuego.Parar = 1;
}
