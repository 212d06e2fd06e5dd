// The search driver: iterative deepening, and the reset between searches.
#include <cstring>

#include "search/search.h"
#include "search/tt.h"
#include "uci/limits.h"

u32 pv_line[MAX_PLY][MAX_PLY];
u32 pv_line_fin[MAX_PLY];

void A_Inicio(int) {
    TipoJuego.Parar = 0;
    TipoJuego.Nodos = 0;
    TipoJuego.NumeroJugadaRaiz = 0;
    std::memset(pv_line, 0, sizeof pv_line);
    std::memset(pv_line_fin, 0, sizeof pv_line_fin);
    HistoricoIniciar();
    AvanzarGeneracion();
}

void Buscar() {}
