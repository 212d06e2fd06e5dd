// Static exchange evaluation and the piece values it shares with move ordering.
#pragma once

#include "board/board.h"

// Exchange values by piece code: 0, P, N, B, R, Q, K, empty, p, n, b, r, q, k, 14, 15.
extern const i32 See_valor[16];

// The same values as a function; an empty square or a code above 13 sets Salir and gives 0.
int ValorPieza(int codigo);

// Undo stack of the exchange: the capture made and both king squares as they were before it.
struct RegistroSee {
    u32 Jugada;
    i32 PosicionReyBlanco;
    i32 PosicionReyNegro;
};
struct PilaSee {
    i32 NumeroJugadasSee;  // records in use; 0 outside See
    RegistroSee JugadasSee[40];
};
extern POR_HILO PilaSee SeeMove;

// What the exchange on the destination of j brings, j having just been made; lado is the side
// now to move (1 White, 0 Black). The board is left exactly as found.
int See(const Jugada* j, int lado);

// The least valuable legal capture by lado onto casilla, made on the board (light make); its
// move word, or 0 when there is none.
Jugada Obtener_Ataques_Menores(int casilla, int lado);
int SeeHacerMovimiento(const Jugada* j);  // 1 when the mover's king is not attacked afterwards
void SeeDeshacerMovimiento();
