// Is a square attacked? Plain ray walks over the mailbox, returning at the first attacker.
#include "board/board.h"

namespace {

// Attacker codes for each colour; Blanco = true looks for White's pieces.
template <bool Blanco>
struct Atacante {
    static constexpr int Peon = Blanco ? PEON_B : PEON_N;
    static constexpr int Caballo = Blanco ? CABALLO_B : CABALLO_N;
    static constexpr int Alfil = Blanco ? ALFIL_B : ALFIL_N;
    static constexpr int Torre = Blanco ? TORRE_B : TORRE_N;
    static constexpr int Dama = Blanco ? DAMA_B : DAMA_N;
    static constexpr int Rey = Blanco ? REY_B : REY_N;
};

// Walks n squares from s in direction d; true when the first piece met is one of a, b.
inline bool Rayo(const i32* tab, int s, int d, int n, int a, int b) {
    for (int t = s + d; n > 0; n--, t += d) {
        int c = tab[t];
        if (c == VACIA) continue;
        return c == a || c == b;
    }
    return false;
}

// Edge tests use the row and file of the square: a step that would wrap around the board
// is exactly one that changes the colour where it should keep it, or the reverse.
template <bool Blanco>
inline int Atacada(int s) {
    using A = Atacante<Blanco>;
    const i32* tab = TableroGlobal.Tablero;
    const int fila = s >> 3, col = s & 7;

    // Pawns capture towards the enemy: a white pawn attacks s from below (s + 7, s + 9).
    if constexpr (Blanco) {
        if (fila < 7) {
            if (col > 0 && tab[s + 7] == A::Peon) return 1;
            if (col < 7 && tab[s + 9] == A::Peon) return 1;
        }
    } else {
        if (fila > 0) {
            if (col < 7 && tab[s - 7] == A::Peon) return 1;
            if (col > 0 && tab[s - 9] == A::Peon) return 1;
        }
    }

    // Knight jumps as (rows, files): +10 (1,2), -6 (-1,2), +6 (1,-2), -10 (-1,-2),
    // +17 (2,1), +15 (2,-1), -15 (-2,1), -17 (-2,-1).
    if (col < 6) {
        if (fila < 7 && tab[s + 10] == A::Caballo) return 1;
        if (fila > 0 && tab[s - 6] == A::Caballo) return 1;
    }
    if (col > 1) {
        if (fila < 7 && tab[s + 6] == A::Caballo) return 1;
        if (fila > 0 && tab[s - 10] == A::Caballo) return 1;
    }
    if (fila < 6) {
        if (col < 7 && tab[s + 17] == A::Caballo) return 1;
        if (col > 0 && tab[s + 15] == A::Caballo) return 1;
    }
    if (fila > 1) {
        if (col < 7 && tab[s - 15] == A::Caballo) return 1;
        if (col > 0 && tab[s - 17] == A::Caballo) return 1;
    }

    const int abajo = 7 - fila, derecha = 7 - col;
    if (Rayo(tab, s, 9, abajo < derecha ? abajo : derecha, A::Alfil, A::Dama)) return 1;
    if (Rayo(tab, s, 7, abajo < col ? abajo : col, A::Alfil, A::Dama)) return 1;
    if (Rayo(tab, s, -7, fila < derecha ? fila : derecha, A::Alfil, A::Dama)) return 1;
    if (Rayo(tab, s, -9, fila < col ? fila : col, A::Alfil, A::Dama)) return 1;

    if (Rayo(tab, s, 8, abajo, A::Torre, A::Dama)) return 1;
    if (Rayo(tab, s, -8, fila, A::Torre, A::Dama)) return 1;
    if (Rayo(tab, s, -1, col, A::Torre, A::Dama)) return 1;
    if (Rayo(tab, s, 1, derecha, A::Torre, A::Dama)) return 1;

    if (fila < 7) {
        if (tab[s + 8] == A::Rey) return 1;
        if (col < 7 && tab[s + 9] == A::Rey) return 1;
        if (col > 0 && tab[s + 7] == A::Rey) return 1;
    }
    if (fila > 0) {
        if (tab[s - 8] == A::Rey) return 1;
        if (col > 0 && tab[s - 9] == A::Rey) return 1;
        if (col < 7 && tab[s - 7] == A::Rey) return 1;
    }
    if (col < 7 && tab[s + 1] == A::Rey) return 1;
    if (col > 0 && tab[s - 1] == A::Rey) return 1;
    return 0;
}

}  // namespace

int JaqueBlancas(int casilla) { return Atacada<false>(casilla); }
int JaqueNegras(int casilla) { return Atacada<true>(casilla); }

int Jaque2(int casilla) {
    if (TableroGlobal.Turno == 0) return JaqueNegras(casilla);
    if (TableroGlobal.Turno == 1) return JaqueBlancas(casilla);
    Salir = 1;
    return 0;
}
