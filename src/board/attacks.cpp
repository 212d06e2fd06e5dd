// Is a square attacked? Plain ray walks over the mailbox; the square-colour table tells a
// true diagonal or knight step from one that wrapped around the board edge.
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

template <bool Blanco>
inline int Atacada(int s) {
    using A = Atacante<Blanco>;
    const i32* tab = TableroGlobal.Tablero;
    const i32* color = TableroGlobal.ColorCasilla;
    const int cs = color[s];

    // Pawns capture towards the enemy: a white pawn attacks s from below (s + 7, s + 9).
    if constexpr (Blanco) {
        if (s < 57 && tab[s + 7] == A::Peon && color[s + 7] == cs) return 1;
        if (s < 55 && tab[s + 9] == A::Peon && color[s + 9] == cs) return 1;
    } else {
        if (s > 6 && tab[s - 7] == A::Peon && color[s - 7] == cs) return 1;
        if (s > 8 && tab[s - 9] == A::Peon && color[s - 9] == cs) return 1;
    }

    static constexpr int saltos[8] = {10, -6, 6, -10, 17, 15, -15, -17};
    for (int d : saltos) {
        int t = s + d;
        if (t >= 0 && t < 64 && tab[t] == A::Caballo && color[t] != cs) return 1;
    }

    static constexpr int diagonales[4] = {9, 7, -7, -9};
    for (int d : diagonales) {
        for (int t = s + d; t >= 0 && t < 64 && color[t] == cs; t += d) {
            int c = tab[t];
            if (c == VACIA) continue;
            if (c == A::Alfil || c == A::Dama) return 1;
            break;
        }
    }

    for (int t = s + 8; t < 64; t += 8) {
        int c = tab[t];
        if (c == VACIA) continue;
        if (c == A::Torre || c == A::Dama) return 1;
        break;
    }
    for (int t = s - 8; t >= 0; t -= 8) {
        int c = tab[t];
        if (c == VACIA) continue;
        if (c == A::Torre || c == A::Dama) return 1;
        break;
    }
    const int inicioFila = s & ~7;
    for (int t = s - 1; t >= inicioFila; t--) {
        int c = tab[t];
        if (c == VACIA) continue;
        if (c == A::Torre || c == A::Dama) return 1;
        break;
    }
    for (int t = s + 1; t <= inicioFila + 7; t++) {
        int c = tab[t];
        if (c == VACIA) continue;
        if (c == A::Torre || c == A::Dama) return 1;
        break;
    }

    static constexpr int pasosRey[8] = {8, -8, 1, -1, 9, -9, 7, -7};
    for (int d : pasosRey) {
        int t = s + d;
        if (t < 0 || t > 63 || tab[t] != A::Rey) continue;
        bool diagonal = d == 9 || d == -9 || d == 7 || d == -7;
        bool lateral = d == 1 || d == -1;
        if (diagonal && color[t] != cs) continue;
        if (lateral && color[t] == cs) continue;
        return 1;
    }
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
