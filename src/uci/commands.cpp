// Console commands beyond the protocol, for people at a terminal and for test scripts.
#include <cinttypes>
#include <cstdio>

#include "eval/eval.h"
#include "search/limits.h"
#include "tablebases/syzygy.h"
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

// "eval": the static evaluation of the current position, bypassing the evaluation cache:
// the score (side to move's view), the game phase, and each side's passed pawn per file
// as the side records hold them after the evaluation (-1 = none).
void ComandoEval() {
    ResultadoEval resultado;
    int puntos = EvaluarSinCache(&resultado);
    std::printf("Evaluacion: %d\n", puntos);
    std::printf("Fase: %d\n", FaseJuego);
    char texto[80];
    int n = 0;
    for (int lado = 0; lado < 2; lado++) {
        const DatosEval& b = lado == 0 ? EvalBlancas : EvalNegras;
        if (lado == 1) n += std::snprintf(texto + n, sizeof texto - n, " /");
        for (int c = 0; c < 8; c++) n += std::snprintf(texto + n, sizeof texto - n, " %d", int(b.PeonPasado[c]));
    }
    std::printf("Pasados:%s\n", texto);
}

// "syzygy": the Syzygy tables' result for the side to move, as the search scores it after a
// capture or a pawn move (the half-move clock taken as 0), or that they have none.
void ComandoSyzygy() {
    int puntos = 0;
    if (tbprobe_Syzygy.HombresSonda > 0 && Probar_syzygy(puntos, 0)) std::printf("Syzygy: %d\n", puntos);
    else std::printf("Syzygy: sin resultado\n");
}
