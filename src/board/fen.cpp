// FEN reading (lenient: only the piece placement can fail) and writing.
#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "numero.h"

// Copies the next token (up to a space or the end) into buf, cut at 79 characters.
// Returns the position behind the whole token.
static const char* CopiarToken(const char* p, char buf[80]) {
    int n = 0;
    while (*p && *p != ' ') {
        if (n < 79) buf[n++] = *p;
        p++;
    }
    buf[n] = 0;
    return p;
}

static bool ColocarPieza(char c, int casilla) {
    static const char letras[] = "PNBRQKpnbrqk";
    const char* l = std::strchr(letras, c);
    if (c == 0 || l == nullptr) return false;
    int i = int(l - letras);
    int codigo = i < 6 ? PEON_B + i : PEON_N + (i - 6);
    TableroGlobal.Tablero[casilla] = codigo;
    DatosBando& b = i < 6 ? Blancas : Negras;
    switch (i % 6) {
        case 0: b.NumPeones++; break;
        case 1: b.NumCaballos++; break;
        case 2: b.NumAlfiles++; break;
        case 3: b.NumTorres++; break;
        case 4: b.NumDamas++; break;
        case 5:
            if (i < 6) TableroGlobal.PosicionReyBlanco = casilla;
            else TableroGlobal.PosicionReyNegro = casilla;
            break;
    }
    return true;
}

// The pawn that can just have advanced two squares over `objetivo`, or 0: the target lies on
// rank 6 with White to move (rank 3 with Black), an enemy pawn stands right in front of it, and
// the target and the square behind it, where the pawn came from, are empty. Anything else
// would let a pawn capture "en passant" whatever stands on that square.
static int PeonAlPasoPosible(int objetivo) {
    const TipoTablero& T = TableroGlobal;
    const bool blancasMueven = T.Turno == 1;
    if (objetivo / 8 != (blancasMueven ? 2 : 5)) return 0;
    const int peon = blancasMueven ? objetivo + 8 : objetivo - 8;
    const int origen = blancasMueven ? objetivo - 8 : objetivo + 8;
    if (T.Tablero[peon] != (blancasMueven ? PEON_N : PEON_B)) return 0;
    if (T.Tablero[objetivo] != VACIA || T.Tablero[origen] != VACIA) return 0;
    return peon;
}

namespace {

int LeerFen(const char* fen) {
    TipoTablero& T = TableroGlobal;
    T.EnroqueBlancas = T.EnroqueNegras = 0;
    T.FichaAlPaso = 0;
    T.PosicionReyBlanco = T.PosicionReyNegro = 0;

    const char* p = fen;
    for (int fila = 0; fila < 8; fila++) {
        int columna = 0;
        while (columna < 8) {
            char c = *p;
            int casilla = fila * 8 + columna;
            if (c >= '1' && c <= '8') {
                // A rank that describes more than 8 squares is rejected.
                if (columna + (c - '0') > 8) return 0;
                for (int k = 0; k < c - '0'; k++) T.Tablero[casilla + k] = VACIA;
                columna += c - '0';
            } else if (c == ' ') {
                T.Tablero[casilla] = NINGUNA;
                return 0;
            } else if (ColocarPieza(c, casilla)) {
                columna++;
            } else {
                return 0;
            }
            p++;
        }
        if (*p) p++;  // the rank separator, whatever it is
    }

    // Side to move: "w" is White, anything else Black; nothing keeps the previous side.
    if (*p) {
        T.Turno = (*p == 'w') ? 1 : 0;
        p++;
        if (*p) p++;
    }

    // Castling letters, each optional, only in the order K Q k q.
    if (*p == '-') {
        p++;
    } else {
        if (*p == 'K') { T.EnroqueBlancas += 1; p++; }
        if (*p == 'Q') { T.EnroqueBlancas += 2; p++; }
        if (*p == 'k') { T.EnroqueNegras += 1; p++; }
        if (*p == 'q') { T.EnroqueNegras += 2; p++; }
    }
    if (*p) p++;
    while (*p == ' ') p++;

    // En passant: the target square names the pawn that passed over it.
    char token[80];
    p = CopiarToken(p, token);
    if (std::strcmp(token, "-") != 0) {
        for (int s = 0; s < 64; s++) {
            if (std::strcmp(token, NombreCasilla[s]) == 0) {
                T.FichaAlPaso = PeonAlPasoPosible(s);
                break;
            }
        }
    }

    if (*p) {
        p++;
        while (*p == ' ') p++;
        CopiarToken(p, token);
        // The clock is capped at 100, so a number too large for 32 bits counts as 100.
        int valor;
        if (LeerNumeroSaturado(token, valor, REGLA_50_PLIES)) {
            T.Regla50 = valor;
            T.NumeroRepeticiones = valor;
        }
    }

    if (T.Regla50 > REGLA_50_PLIES || T.Regla50 < 0) {
        T.Regla50 = 0;
        T.NumeroRepeticiones = 0;
    }
    // The key slots the clock stands for hold no earlier position: an old game's key left
    // there could otherwise be taken for a repetition.
    for (int i = 0; i < T.NumeroRepeticiones && i < MAX_REPETICIONES; i++) T.Repeticiones[i] = 0;
    return 1;
}

}  // namespace

int CargarFen(const char* fen) {
    const int r = LeerFen(fen);
    RecalcularCasillas();  // a rejected FEN leaves the squares it wrote: the sets follow them too
    return r;
}

void EscribirFen(char* fen) {
    const TipoTablero& T = TableroGlobal;
    static const char letras[] = "?PNBRQK.pnbrqk";
    char* p = fen;
    for (int fila = 0; fila < 8; fila++) {
        int vacias = 0;
        for (int columna = 0; columna < 8; columna++) {
            int c = T.Tablero[fila * 8 + columna];
            if (c == VACIA) {
                vacias++;
                continue;
            }
            if (vacias) *p++ = char('0' + vacias);
            vacias = 0;
            *p++ = (c >= 0 && c < 14) ? letras[c] : '?';
        }
        if (vacias) *p++ = char('0' + vacias);
        if (fila < 7) *p++ = '/';
    }
    *p++ = ' ';
    *p++ = T.Turno == 1 ? 'w' : 'b';
    *p++ = ' ';
    char* enroques = p;
    if (T.EnroqueBlancas == 1 || T.EnroqueBlancas == 3) *p++ = 'K';
    if (T.EnroqueBlancas == 2 || T.EnroqueBlancas == 3) *p++ = 'Q';
    if (T.EnroqueNegras == 1 || T.EnroqueNegras == 3) *p++ = 'k';
    if (T.EnroqueNegras == 2 || T.EnroqueNegras == 3) *p++ = 'q';
    if (p == enroques) *p++ = '-';
    *p++ = ' ';
    if (T.FichaAlPaso != 0) {
        // The target square lies behind the pawn, towards its own side.
        int objetivo = T.FichaAlPaso / 8 == 4 ? T.FichaAlPaso + 8 : T.FichaAlPaso - 8;
        p += std::sprintf(p, "%s", NombreCasilla[objetivo]);
    } else {
        *p++ = '-';
    }
    // The engine keeps no move number; the clock is the half-move clock.
    std::sprintf(p, " %d 1", T.Regla50);
}
