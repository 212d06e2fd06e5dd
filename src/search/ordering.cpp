// Move ordering: the capture tables built from the exchange values, the ordering bands, the
// selection step, and the history tables that the main search fills at beta cut-offs.
#include "search/ordering.h"

#include <cstring>

#include "search/search.h"
#include "search/see.h"

POR_HILO i32 Historico_Bueno[28][64];
POR_HILO i32 Historico_Malo[28][64];
POR_HILO i32 Historico_Puntos[28][64];
POR_HILO u32 Historico_Killer[MAX_PLY][2][2];
POR_HILO u32 Historico_Killer_Mate[MAX_PLY][2][2];
POR_HILO u32 Historico_Refutation[64 * 64];

i32 valor_captura[14][14];
i32 valor_captura_coronacion[14][14];
i32 valor_coronacion[14];

namespace {

// Bonus of a quiet move that is the counter move, by moving piece; 7, 14 and 15 are no piece.
constexpr i32 PuntosMovimientoRefutation[16] = {0,    1475, 1001, 1000, 825, 600, 10000, 0,
                                                1475, 1001, 1000, 825,  600, 10000, 0, 0};

inline int FilaHistorico(int lado, Jugada j) { return lado * 14 + Pieza(j); }

// Captures, en passant and promotions score the same in and out of check.
inline int PuntuacionTactica(Jugada j) {
    if (AlPaso(j)) return valor_captura[PEON_B][PEON_B];
    const int cap = Capturada(j), cor = Coronacion(j);
    if (cap != SIN_PIEZA) return cor == SIN_PIEZA ? valor_captura[Pieza(j)][cap] : valor_captura_coronacion[cor][cap];
    return valor_coronacion[cor];
}

}  // namespace

void InicializarValoresCaptura() {
    for (int a = 0; a < 14; a++) {
        for (int v = 0; v < 14; v++) {
            // Most valuable victim first, then least valuable attacker; an under-promotion
            // that captures orders ahead of the same capture promoting to a queen.
            valor_captura[a][v] = ORDEN_CAPTURA + See_valor[v] - See_valor[a];
            valor_captura_coronacion[a][v] = ORDEN_CAPTURA + See_valor[DAMA_B] + See_valor[v] - See_valor[a];
        }
        valor_coronacion[a] = See_valor[a];
    }
}

void HistoricoIniciar() {
    std::memset(Historico_Bueno, 0, sizeof Historico_Bueno);
    std::memset(Historico_Malo, 0, sizeof Historico_Malo);
    std::memset(Historico_Puntos, 0, sizeof Historico_Puntos);
    std::memset(Historico_Killer, 0, sizeof Historico_Killer);
    std::memset(Historico_Killer_Mate, 0, sizeof Historico_Killer_Mate);
    std::memset(Historico_Refutation, 0, sizeof Historico_Refutation);
}

namespace {

// The history score of one entry from its two counts.
inline int PuntosHistorico(int b, int m) {
    if (b > 0 && m > 0) return int(float(b) * 100.0f / float(m));
    if (b > 0) return b < 100 ? b : 100;
    if (m > 0) return -(m < 100 ? m : 100);
    return 0;
}

inline void Recalcular(int f, int d) {
    Historico_Puntos[f][d] = PuntosHistorico(Historico_Bueno[f][d], Historico_Malo[f][d]);
}

}  // namespace

int HistoricoValor(int lado, Jugada j) { return Historico_Puntos[FilaHistorico(lado, j)][Destino(j)]; }

int HistoricoMalaPuntuacionZW(int lado, Jugada j) {
    const int f = FilaHistorico(lado, j), d = Destino(j);
    const int b = Historico_Bueno[f][d], m = Historico_Malo[f][d];
    if (b == 0 && m > 0) return 1;
    if (m == 0) return 0;
    return 60.0f > 100.0f * float(b) / float(m);
}

Jugada GetRefutation(int ply) {
    if (ply <= 0) return 0;
    const Jugada previa = TableroGlobal.Historial[ply - 1].Jugada;
    return previa ? Historico_Refutation[Origen(previa) * 64 + Destino(previa)] : 0;
}

void OrdenarMovimientosTodos(int n, Jugada hash, EntradaLista* lista, int enJaque, Jugada refutacion) {
    const TipoTablero& T = TableroGlobal;
    const int lado = T.Turno;
    if (enJaque) {
        for (int i = 0; i < n; i++) {
            const Jugada j = lista[i].Jugada;
            int p;
            if (j == hash) p = ORDEN_HASH;
            else if (!EsTranquila(j)) p = PuntuacionTactica(j);
            else if (Pieza(j) == REY_B || Pieza(j) == REY_N) p = ORDEN_REY_EVASION + HistoricoValor(lado, j);
            else p = ORDEN_EVASION + HistoricoValor(lado, j);
            lista[i].Puntuacion = p;
        }
        return;
    }
    // Killers of this ply and side; a slot never holds a move word of 0 that could match.
    const int ply = T.Ply;
    const u32* km = Historico_Killer_Mate[ply][lado];
    const u32* k = Historico_Killer[ply][lado];
    for (int i = 0; i < n; i++) {
        const Jugada j = lista[i].Jugada;
        int p;
        if (j == hash) p = ORDEN_HASH;
        else if (!EsTranquila(j)) p = PuntuacionTactica(j);
        else if (j == km[0] || j == km[1]) p = ORDEN_KILLER_MATE;
        else if (j == k[0] || j == k[1]) p = ORDEN_KILLER;
        else {
            p = HistoricoValor(lado, j);
            if (refutacion != 0 && j == refutacion) {
                const int pieza = Pieza(j);
                if (pieza == VACIA || pieza >= 14) Salir = 1;
                p += PuntosMovimientoRefutation[pieza];
            }
        }
        lista[i].Puntuacion = p;
    }
}

void OrdenaMovimiento(EntradaLista* lista, int i, int n) {
    // Each entry as one unsigned number, its score (offset to unsigned) above its position
    // counted from the end: the largest is the best score, the earliest among equals. Taking
    // the largest needs no branch, where comparing scores would mispredict over the list.
    auto clave = [lista](int k) { return u64(u32(lista[k].Puntuacion) ^ 0x80000000u) << 32 | u32(MAX_JUGADAS - k); };
    u64 maxima = clave(i);
    for (int k = i + 1; k < n; k++) {
        const u64 c = clave(k);
        maxima = c > maxima ? c : maxima;
    }
    const int mejor = MAX_JUGADAS - int(u32(maxima));
    if (mejor != i) {
        const EntradaLista t = lista[i];
        lista[i] = lista[mejor];
        lista[mejor] = t;
    }
}

void HistoricoActualizar(Jugada j, int puntuacion, const Jugada* tranquilas, int numTranquilas, int ply, int lado) {
    const int f = FilaHistorico(lado, j), d = Destino(j);
    Historico_Malo[f][d]++;
    Historico_Bueno[f][d]++;
    Recalcular(f, d);
    u32* k = EsPuntuacionMate(puntuacion) ? Historico_Killer_Mate[ply][lado] : Historico_Killer[ply][lado];
    if (k[0] != j) {
        k[1] = k[0];
        k[0] = j;
    }
    // Every quiet move searched before the cutting one (which is the list's last) failed here.
    for (int i = 0; i + 1 < numTranquilas; i++) {
        const int fi = FilaHistorico(lado, tranquilas[i]), di = Destino(tranquilas[i]);
        Historico_Malo[fi][di]++;
        Recalcular(fi, di);
    }
}

void UpdateRefutation(Jugada j, int ply) {
    if (ply <= 0) return;
    const Jugada previa = TableroGlobal.Historial[ply - 1].Jugada;
    if (previa) Historico_Refutation[Origen(previa) * 64 + Destino(previa)] = j;
}
