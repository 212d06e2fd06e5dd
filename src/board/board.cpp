// The global board and side records, square names, move text and the board checker.
#include "board/board.h"

#include <cstring>

POR_HILO TipoTablero TableroGlobal;
POR_HILO DatosBando Blancas, Negras;

const char* const NombreCasilla[64] = {
    "a8", "b8", "c8", "d8", "e8", "f8", "g8", "h8",
    "a7", "b7", "c7", "d7", "e7", "f7", "g7", "h7",
    "a6", "b6", "c6", "d6", "e6", "f6", "g6", "h6",
    "a5", "b5", "c5", "d5", "e5", "f5", "g5", "h5",
    "a4", "b4", "c4", "d4", "e4", "f4", "g4", "h4",
    "a3", "b3", "c3", "d3", "e3", "f3", "g3", "h3",
    "a2", "b2", "c2", "d2", "e2", "f2", "g2", "h2",
    "a1", "b1", "c1", "d1", "e1", "f1", "g1", "h1",
};

void RecalcularCasillas() {
    TipoTablero& T = TableroGlobal;
    for (u64& c : T.Casillas) c = 0;
    for (int s = 0; s < 64; s++) T.Casillas[T.Tablero[s] & 15] |= u64(1) << s;
}

void LlenarColorCasilla() {
    for (int s = 0; s < 64; s++) TableroGlobal.ColorCasilla[s] = ((s / 8 + s % 8) % 2 == 0) ? 1 : 0;
}

void LimpiarBandos() {
    std::memset(&Blancas, 0, sizeof Blancas);
    std::memset(&Negras, 0, sizeof Negras);
}

int BuscarTexto(const EntradaLista* lista, int n, const char* texto) {
    for (int i = 0; i < n; i++) {
        char t[6];
        MovimientoCoordenadas(lista[i].Jugada, t);
        if (std::strcmp(t, texto) == 0) return i;
    }
    return -1;
}

void MovimientoCoordenadas(Jugada j, char texto[6]) {
    int o = Origen(j), d = Destino(j);
    texto[0] = char('a' + o % 8);
    texto[1] = char('8' - o / 8);
    texto[2] = char('a' + d % 8);
    texto[3] = char('8' - d / 8);
    texto[4] = 0;
    texto[5] = 0;
    switch (Coronacion(j)) {
        case CABALLO_B: case CABALLO_N: texto[4] = 'n'; break;
        case ALFIL_B: case ALFIL_N: texto[4] = 'b'; break;
        case TORRE_B: case TORRE_N: texto[4] = 'r'; break;
        case DAMA_B: case DAMA_N: texto[4] = 'q'; break;
        default: break;
    }
}

bool TableroValido() {
    const TipoTablero& T = TableroGlobal;
    if (T.Turno != 0 && T.Turno != 1) return false;
    if (T.Ply < 0 || T.Ply >= MAX_PLY) return false;
    if (T.NumeroRepeticiones < 0 || T.NumeroRepeticiones > LIMITE_REPETICIONES) return false;
    int cuenta[14] = {};
    u64 todas = 0;
    for (int s = 0; s < 64; s++) {
        int c = T.Tablero[s];
        if (c < 1 || c > 13) return false;
        if (!((T.Casillas[c] >> s) & 1)) return false;
        cuenta[c]++;
    }
    for (u64 c : T.Casillas) {
        if (todas & c) return false;  // a square in two sets
        todas |= c;
    }
    if (cuenta[REY_B] != 1 || T.Tablero[T.PosicionReyBlanco] != REY_B) return false;
    if (cuenta[REY_N] != 1 || T.Tablero[T.PosicionReyNegro] != REY_N) return false;
    const DatosBando* lados[2] = {&Blancas, &Negras};
    for (int lado = 0; lado < 2; lado++) {
        const DatosBando& b = *lados[lado];
        int base = lado * 7;
        if (b.NumPeones != cuenta[base + PEON_B] || b.NumCaballos != cuenta[base + CABALLO_B] ||
            b.NumAlfiles != cuenta[base + ALFIL_B] || b.NumTorres != cuenta[base + TORRE_B] ||
            b.NumDamas != cuenta[base + DAMA_B])
            return false;
    }
    return T.Hash == CalcularHash();
}
