// Move ordering: the capture tables built from the exchange values and the history tables
// that the main search fills at beta cut-offs.
#include <cstring>

#include "search/search.h"
#include "search/see.h"

i32 Historico_Bueno[28][64];
i32 Historico_Malo[28][64];
u32 Historico_Killer[MAX_PLY][2][2];
u32 Historico_Killer_Mate[MAX_PLY][2][2];
u32 Historico_Refutation[64 * 64];

i32 valor_captura[14][14];
i32 valor_captura_coronacion[14][14];
i32 valor_coronacion[14];

void InicializarValoresCaptura() {
    for (int a = 0; a < 14; a++) {
        for (int v = 0; v < 14; v++) {
            // Most valuable victim first, then least valuable attacker; an under-promotion
            // that captures orders ahead of the same capture promoting to a queen.
            valor_captura[a][v] = 4000000 + See_valor[v] - See_valor[a];
            valor_captura_coronacion[a][v] = 4000975 + See_valor[v] - See_valor[a];
        }
        valor_coronacion[a] = See_valor[a];
    }
}

void HistoricoIniciar() {
    std::memset(Historico_Bueno, 0, sizeof Historico_Bueno);
    std::memset(Historico_Malo, 0, sizeof Historico_Malo);
    std::memset(Historico_Killer, 0, sizeof Historico_Killer);
    std::memset(Historico_Killer_Mate, 0, sizeof Historico_Killer_Mate);
    std::memset(Historico_Refutation, 0, sizeof Historico_Refutation);
}
