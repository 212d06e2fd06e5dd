// Zobrist keys. They are drawn from the C library's rand(), never seeded, so every run of
// the engine has the same keys (and the opening book the same choices, as it shares the sequence).
// The sequence is glibc's on every system (AzarC), so that keys and bench agree everywhere.
#include "board/board.h"
#include "platform.h"

u64 zobrist_Tablero[14][64];
u64 zobrist_Turno;

// The key layout below packs 15-bit draws, so rand() is reduced to 15 bits as on C libraries
// whose RAND_MAX is 32767.
int Aleatorio() { return AzarC() & 0x7FFF; }

static i32 ValorConSigno() {
    int guarda = Aleatorio();
    if (i16(guarda) > 0) return Aleatorio();
    return -Aleatorio();
}

static bool YaEnTabla(u64 clave) {
    for (auto& fila : zobrist_Tablero)
        for (u64 k : fila)
            if (k == clave) return true;
    return false;
}

u64 rand64() {
    for (;;) {
        i64 a = ValorConSigno(), b = ValorConSigno(), c = ValorConSigno(), d = ValorConSigno(),
            e = ValorConSigno();
        // Negative draws are sign-extended and so fill the higher bits with ones.
        u64 clave = u64(a) | u64(b) << 16 | u64(c) << 32 | u64(d) << 48 | u64(e) << 63;
        if (YaEnTabla(clave)) continue;
        // Every key is positive as a signed number, at least 2^31 - 1 and below the largest value.
        if (clave < 0x7FFFFFFFull || clave > 0x7FFFFFFFFFFFFFFEull) continue;
        return clave;
    }
}

void InicializarZobrist() {
    for (auto& fila : zobrist_Tablero)
        for (u64& k : fila) k = 0;
    for (auto& fila : zobrist_Tablero)
        for (u64& k : fila) k = rand64();
    do zobrist_Turno = rand64();
    while (YaEnTabla(zobrist_Turno));
}

u64 CalcularHash() {
    const TipoTablero& T = TableroGlobal;
    u64 h = 0;
    for (int s = 0; s < 64; s++) {
        int c = T.Tablero[s];
        if (c != VACIA && c >= 0 && c < 14) h ^= zobrist_Tablero[c][s];
    }
    if (T.FichaAlPaso != 0) h ^= zobrist_Tablero[0][T.FichaAlPaso];
    // Castling keys live in row 7: White's state s at square 63 - s, Black's at square s.
    h ^= zobrist_Tablero[7][63 - T.EnroqueBlancas];
    h ^= zobrist_Tablero[7][T.EnroqueNegras];
    if (T.Turno == 1) h ^= zobrist_Turno;
    return h;
}
