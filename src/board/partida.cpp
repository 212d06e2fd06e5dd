// A game as the position command, the engine's own pondering and the book verification set it
// up: a FEN position to start from, then moves given as coordinate text.
#include "board/board.h"

int EmpezarPartida(const char* fen) {
    TipoTablero& T = TableroGlobal;
    LimpiarBandos();
    T.Regla50 = 0;
    T.NumeroRepeticiones = 0;
    if (!CargarFen(fen)) return 0;
    T.Hash = CalcularHash();
    // The position set up is the last key of the list, as every position reached later is:
    // a line that returns to it is a repetition.
    T.Repeticiones[T.NumeroRepeticiones++] = T.Hash;
    return 1;
}

int JugarTexto(const char* texto) {
    TipoTablero& T = TableroGlobal;
    T.Ply = 0;
    ListaJugadas lista;
    const int i = BuscarTexto(lista, GenerarMovimientos(GENERAR_TODAS, lista), texto);
    if (i < 0) return 0;
    // The make stores the new key for repetitions. A move that leaves the mover's king in
    // check is taken back: it is as illegal as one that is not generated, and no search may
    // start from a position with a king en prise.
    if (HacerMovimiento(lista[i].Jugada)) return 1;
    DeshacerMovimiento();
    return 0;
}
