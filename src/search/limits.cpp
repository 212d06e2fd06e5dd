// The search-limits record, the engine clock and the stop rule: budgets from the record,
// waiting input through the seam the command layer installs.
#include "search/limits.h"

#include "platform.h"
#include "search/hilos.h"
#include "search/search.h"

POR_HILO RegistroJuego TipoJuego;
SondaEntrada EntradaEsperando = nullptr;

static const std::int64_t InicioProceso = RelojMs();

i32 ObtenerTiempo() { return i32(RelojMs() - InicioProceso); }

void ComprobarTiempo() {
    if (EsAyudante()) {
        RevisarAyudante();
        return;
    }
    RegistroJuego& J = TipoJuego;
    // The first iteration is never cut by a budget, no search stops without a move, and a
    // search on "go ponder" has no budget before ponderhit.
    if (J.Profundidad >= 2 && pv_line_fin[0] != 0 && J.PonderInterfaz == 0) {
        if (J.ControlTiempo == 1 && ObtenerTiempo() - J.TiempoInicio >= J.TiempoLimite) J.Parar = 1;
        if (J.LimiteNodos != 0 && NodosTotales() >= J.LimiteNodos) J.Parar = 1;
    }
    // A waiting line stops the search; not before the first iteration has given a move, though:
    // a search cut earlier would have nothing legal to answer. The seam is asked in any case,
    // so that isready is answered at once.
    if (EntradaEsperando && EntradaEsperando(false) && pv_line_fin[0] != 0) J.Parar = 1;
}

void Ponderhit() {
    RegistroJuego& J = TipoJuego;
    J.PonderInterfaz = 0;
    J.TiempoLimite += ObtenerTiempo() - J.TiempoInicio;
    if (J.LimiteNodos != 0) J.LimiteNodos += NodosTotales();
}

void EsperarRespuesta(bool sinFinPropio) {
    RegistroJuego& J = TipoJuego;
    if (EntradaEsperando) {
        while (J.PonderInterfaz == 1 || sinFinPropio)
            if (EntradaEsperando(true)) break;
    }
    J.PonderInterfaz = 0;
}
