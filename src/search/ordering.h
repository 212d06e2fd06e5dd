// Move ordering: ordering scores in fixed bands, the best-first selection step, and the history,
// killer and counter-move tables that the main search fills at beta cut-offs.
#pragma once

#include "board/board.h"

// Ordering bands.
constexpr int ORDEN_HASH = 5000000;
constexpr int ORDEN_CAPTURA = 4000000;  // captures sit around here: victim value - attacker value
constexpr int ORDEN_REY_EVASION = 3000000;
constexpr int ORDEN_KILLER = 2000000;
constexpr int ORDEN_KILLER_MATE = 1000000;
constexpr int ORDEN_EVASION = 1000000;

// Capture-ordering tables, filled once at start-up from the exchange values.
extern i32 valor_captura[14][14];             // attacker x victim
extern i32 valor_captura_coronacion[14][14];  // promotion piece x victim
extern i32 valor_coronacion[14];              // promotion piece

// History tables (rows: side to move x 14 + moving piece; columns: destination).
extern POR_HILO i32 Historico_Bueno[28][64];  // cut-offs caused by the quiet move
extern POR_HILO i32 Historico_Malo[28][64];   // times searched at a node that was cut off
// HistoricoValor of every entry, kept current whenever the two counts change (they change
// only at cut-offs, while every quiet move of every node is scored with it).
extern POR_HILO i32 Historico_Puntos[28][64];
extern POR_HILO u32 Historico_Killer[MAX_PLY][2][2];       // [ply][side][slot]
extern POR_HILO u32 Historico_Killer_Mate[MAX_PLY][2][2];  // the same for cut-offs with a mate score
extern POR_HILO u32 Historico_Refutation[64 * 64];         // counter move, by the previous move's from/to

// Captures nothing (Capturada 15), promotes to nothing (Coronacion 15) and is no en passant
// capture: bits 18-25 of the move word all set and bit 26 clear, tested at once.
inline bool EsTranquila(Jugada j) {
    constexpr u32 campos = 0xFFu << 18 | FLAG_ALPASO;
    return (j & campos) == 0xFFu << 18;
}

// Scores entries 0..n-1. hash and refutacion (the counter move) may be 0.
void OrdenarMovimientosTodos(int n, Jugada hash, EntradaLista* lista, int enJaque, Jugada refutacion);
// Brings the best-scored entry of i..n-1 to i (the earliest one among equals).
void OrdenaMovimiento(EntradaLista* lista, int i, int n);

// The moves of a node in the order they are tried, for the main and the quiescence search:
// the generated list is scored once (quiet scores read the history as it stands then), and
// each turn brings the best remaining entry into place. Once a node has searched a move it is
// likely to search more, so it may choose the following move ahead of its turn (the list does
// not change meanwhile) and ask for its position's table entries at once.
class SelectorJugadas {
public:
    SelectorJugadas(EntradaLista* lista, int n, Jugada hash, int enJaque, Jugada refutacion)
        : lista_(lista), n_(n) {
        OrdenarMovimientosTodos(n, hash, lista, enJaque, refutacion);
    }
    // The next move into j; false when none is left.
    bool Siguiente(Jugada& j) {
        if (++i_ >= n_) return false;
        if (elegida_ != i_) OrdenaMovimiento(lista_, i_, n_);
        j = lista_[i_].Jugada;
        return true;
    }
    // Chooses the move after the current one now and hands the key its position will have
    // to `precargar`; nothing when the current move is the last.
    template <class F>
    void Anticipar(F precargar) {
        if (i_ + 1 >= n_) return;
        OrdenaMovimiento(lista_, i_ + 1, n_);
        elegida_ = i_ + 1;
        precargar(ClavePrevista(lista_[i_ + 1].Jugada));
    }

private:
    EntradaLista* lista_;
    int n_;
    int i_ = -1;        // the entry of the current move
    int elegida_ = -1;  // the entry already brought into place ahead of its turn
};

int HistoricoValor(int lado, Jugada j);             // cut rate in percent, or minus the searches
int HistoricoMalaPuntuacionZW(int lado, Jugada j);  // cut rate below 60 %
inline int HistoricoMalaPuntuacionPV(int lado, Jugada j) { return HistoricoMalaPuntuacionZW(lado, j); }
Jugada GetRefutation(int ply);  // counter move to the move that led to this ply

// Inline: the main search asks these for most moves it makes.
inline bool HistoricoEsMovimientoKiller(Jugada j, int ply, int lado) {
    const u32* k = Historico_Killer[ply][lado];
    return j == k[0] || j == k[1];
}
inline bool HistoricoEsMovimientoKillerMate(Jugada j, int ply, int lado) {
    const u32* k = Historico_Killer_Mate[ply][lado];
    return j == k[0] || j == k[1];
}
// j answers the counter move to the side's own last move. Always inlined: asked at most nodes.
[[gnu::always_inline]] inline bool Refutes(Jugada j, int ply) {
    if (ply < 2) return false;
    const Jugada q = TableroGlobal.Historial[ply - 2].Jugada;
    if (!q) return false;
    const Jugada r = Historico_Refutation[Origen(q) * 64 + Destino(q)];
    if (!r) return false;
    return j == Historico_Refutation[Origen(r) * 64 + Destino(r)];
}

// At a beta cut-off by the quiet move j (the last entry of the node's quiet moves).
void HistoricoActualizar(Jugada j, int puntuacion, const Jugada* tranquilas, int numTranquilas, int ply, int lado);
void UpdateRefutation(Jugada j, int ply);
