// The board subsystem's face: the one global board record, piece codes, the move word,
// Zobrist keys, FEN reading and writing, move generation, attack tests, make/unmake, perft
// counting. Its geometry tables are in board/geometry.h.
#pragma once

#include "comun.h"

// Squares run from a8 = 0 to h1 = 63: row = s / 8 (row 0 is rank 8), file = s % 8.
// White pawns move towards lower indices.
constexpr int A8 = 0, C8 = 2, D8 = 3, E8 = 4, F8 = 5, G8 = 6, H8 = 7;
constexpr int A1 = 56, C1 = 58, D1 = 59, E1 = 60, F1 = 61, G1 = 62, H1 = 63;

// Piece codes; a black piece is the white code plus 7.
enum : int {
    NINGUNA = 0,  // only left behind by a rejected FEN
    PEON_B = 1, CABALLO_B, ALFIL_B, TORRE_B, DAMA_B, REY_B,
    VACIA = 7,
    PEON_N = 8, CABALLO_N, ALFIL_N, TORRE_N, DAMA_N, REY_N,
    SIN_PIEZA = 15  // "nothing" inside the Capturada and Coronacion fields of a move word
};

// The 32-bit move word. A word of 0 means "no move"; no generated move is 0 because
// Capturada and Coronacion are never both 0.
using Jugada = u32;
constexpr u32 FLAG_ALPASO = 1u << 26;
constexpr u32 FLAG_AVANCE_DOBLE = 1u << 27;
constexpr u32 FLAG_ENROQUE = 1u << 28;

constexpr int Origen(Jugada j) { return j & 127; }
constexpr int Destino(Jugada j) { return (j >> 7) & 127; }
constexpr int Pieza(Jugada j) { return (j >> 14) & 15; }
constexpr int Capturada(Jugada j) { return (j >> 18) & 15; }
constexpr int Coronacion(Jugada j) { return (j >> 22) & 15; }
constexpr bool AlPaso(Jugada j) { return j & FLAG_ALPASO; }
constexpr bool AvanceDoble(Jugada j) { return j & FLAG_AVANCE_DOBLE; }
constexpr bool Enroque(Jugada j) { return j & FLAG_ENROQUE; }
constexpr Jugada CrearJugada(int origen, int destino, int pieza, int capturada,
                             int coronacion = SIN_PIEZA, u32 flags = 0) {
    return u32(origen) | u32(destino) << 7 | u32(pieza) << 14 | u32(capturada) << 18 |
           u32(coronacion) << 22 | flags;
}

// A move list: the generators write Jugada, move ordering writes Puntuacion.
struct EntradaLista {
    u32 Jugada;
    i32 Puntuacion;
};
constexpr int MAX_JUGADAS = 255;
using ListaJugadas = EntradaLista[MAX_JUGADAS];

constexpr int MAX_PLY = 64;               // entries of the undo stack
constexpr int MAX_REPETICIONES = 600;     // slots of the key list
constexpr int LIMITE_REPETICIONES = 599;  // keys are appended only while the count is below this
constexpr int REGLA_50_PLIES = 100;       // the half-move clock of a drawn game (a FEN's is capped there)

// One undo-stack entry: the move and what it changed, as they were before the move.
struct EntradaHistorial {
    u64 Hash;
    u32 Jugada;
    i32 PosicionReyBlanco, PosicionReyNegro;
    i32 EnroqueBlancas, EnroqueNegras;
    i32 FichaAlPaso;
    i32 Regla50;
    i32 NumeroRepeticiones;  // keys in the repetition list: the unmake removes only what its make stored
};

// Castling states: 0 none, 1 short only, 2 long only, 3 both, 4 castled long, 5 castled short.
struct TipoTablero {
    i32 PosicionReyBlanco;
    i32 PosicionReyNegro;
    i32 EnroqueBlancas;
    i32 EnroqueNegras;
    i32 FichaAlPaso;  // square of the pawn that has just advanced two squares, 0 = none
    i32 Ply;          // moves made since the root; index of the next free Historial entry
    i32 Turno;        // 1 = White to move, 0 = Black
    i32 Regla50;      // half-move clock
    EntradaHistorial Historial[MAX_PLY];
    u64 Repeticiones[MAX_REPETICIONES];
    i32 NumeroRepeticiones;
    u64 Hash;
    i32 ColorCasilla[64];  // 1 light, 0 dark: the colour a bishop keeps
    i32 Tablero[64];
    u64 Casillas[16];  // the squares (bit s = square s) holding each code, kept with Tablero
};

// Each side's men by kind, kings aside: kept exact by FEN loading and make/unmake, read by
// the evaluation and the search.
struct DatosBando {
    i32 NumPeones, NumCaballos, NumAlfiles, NumTorres, NumDamas;
};

extern POR_HILO TipoTablero TableroGlobal;
extern POR_HILO DatosBando Blancas, Negras;
extern u64 zobrist_Tablero[14][64];
extern u64 zobrist_Turno;
extern const char* const NombreCasilla[64];

constexpr const char* FEN_INICIAL = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Square s now holds `codigo`: the board and its square sets change together. (Codes are
// 4 bits wide wherever they come from; the mask only keeps the sets' index in range.)
inline void PonerCasilla(TipoTablero& T, int s, int codigo) {
    const u64 b = u64(1) << s;
    T.Casillas[T.Tablero[s] & 15] ^= b;
    T.Casillas[codigo & 15] ^= b;
    T.Tablero[s] = codigo;
}

// Squares as bit masks (bit s for square s): codes below 7 (White's men, and NINGUNA) and
// codes above 7 (Black's men). Together: every occupied square.
struct MascarasTablero {
    u64 bajas, altas;
};
inline MascarasTablero LeerMascaras() {
    const u64* c = TableroGlobal.Casillas;
    return {c[NINGUNA] | c[PEON_B] | c[CABALLO_B] | c[ALFIL_B] | c[TORRE_B] | c[DAMA_B] | c[REY_B],
            c[PEON_N] | c[CABALLO_N] | c[ALFIL_N] | c[TORRE_N] | c[DAMA_N] | c[REY_N] | c[14] | c[SIN_PIEZA]};
}

// board.cpp
void RecalcularCasillas();  // the square sets from the board, after the board was written whole
void LlenarColorCasilla();
void LimpiarBandos();     // no men counted on either side
bool TableroValido();     // consistency check used by tests and the checked build
// "e2e4", "a7a8q"; move 0 gives "a8a8" (bestmove prints the null move "0000" instead)
void MovimientoCoordenadas(Jugada j, char texto[6]);
// The entry of lista[0..n-1] whose move has the coordinate text `texto`, or -1.
int BuscarTexto(const EntradaLista* lista, int n, const char* texto);

// zobrist.cpp
int Aleatorio();          // the C library's unseeded rand(), reduced to 15 bits
u64 rand64();
void InicializarZobrist();
u64 CalcularHash();       // the key of the current position, composed from scratch

// fen.cpp
int CargarFen(const char* fen);
void EscribirFen(char* fen);  // at least 100 bytes

// partida.cpp: a game as the position command, own pondering and the book set it up.
// The FEN on cleared side records and clock, its key composed and stored as the first of the
// key list; 0 when the FEN is rejected.
int EmpezarPartida(const char* fen);
// Plays the legal move whose coordinate text is `texto` as a move of the game: made at ply 0,
// its key stored for repetitions. 0 when no legal move has that text: nothing is played.
int JugarTexto(const char* texto);

// attacks.cpp
// The names tell whose king would be in check on the square, not who attacks it:
int JaqueBlancas(int casilla);  // is the square attacked by Black?
int JaqueNegras(int casilla);   // is the square attacked by White?
int Jaque2(int casilla);        // attacked by the opponent of the side to move?
bool BandoEnJaque();            // is the side to move in check? (an impossible Turno sets Salir)
// After the move j was made: is the side now to move in check? Valid only when that side was
// not in check before j, which holds in every position reached by a legal move (or by a null
// move made out of check): then only the moved man, or a line opened through the vacated
// origin, can give check. Castling and en passant take the full test.
int DaJaque(Jugada j);
// The men checking the side to move, to sort out evasions without making them.
struct InfoJaque {
    int atacantes;   // how many enemy men attack the king
    u64 respuestas;  // bit s: square s holds a checker or lies between one and the king
};
InfoJaque AnalizarJaque();
// Can the move j be legal, given the checks described by `info`? A move that is not made by
// the king and is no en passant capture can answer one check only, by taking the checker or
// by stepping between it and the king; two checks only the king can answer. False means that
// make move would find the move illegal.
bool PuedeEvitarJaque(const InfoJaque& info, Jugada j);
// Before making j (not a king move, castling or en passant capture) for a side that is not in
// check: would make move find it legal? Only a pin along a line from the king can forbid it.
int LegalSinHacer(Jugada j);
// Before making j: can it give check at all? False only when it surely cannot (the man's new
// square does not reach the enemy king and nothing of ours stands behind the origin on a line
// to it), so that a move that would be pruned unless it gives check need not be made.
bool PuedeDarJaque(Jugada j);
// With a king on `rey` that was not attacked before its own side moved a man (not the king)
// away from `origen`: is it attacked now? Only the line through the origin can have opened.
int ReyExpuesto(int rey, int origen, bool reyBlanco);

// movegen.cpp
constexpr int GENERAR_TODAS = 1;
constexpr int GENERAR_CAPTURAS = 2;  // captures, en passant and promotions only
int GenerarMovimientos(int ModoGeneracion, EntradaLista* lista);

// makemove.cpp
int HacerMovimiento(Jugada j);  // 1 when the mover's king is safe afterwards
// The same for a mover known not to be in check before the move (the caller has tested it):
// the legality test then walks only the line through the origin, except after king moves
// and en passant captures.
int HacerMovimientoSinJaque(Jugada j);
void DeshacerMovimiento();
// The key the position will have after j, leaving out changes of castling rights and the
// rook of a castling move: good enough to ask for table entries before the move is made.
u64 ClavePrevista(Jugada j);
// Passes over a move without making it (found illegal, or pruned, beforehand), leaving
// everything as making and unmaking it would: the undo entry at Ply written (its move word is
// read again after a null move at this ply), the repetition list untouched. The checked build
// makes and unmakes the move as well and compares.
void DescartarMovimiento(Jugada j);
void HacerMovimientoNull();
void DeshacerMovimientoNull();

// perft.cpp
struct ContadoresPerft {
    u64 Nodos;
    i32 Capturas, CapturasAlPaso, Enroques, Coronaciones;  // at the last ply
};
struct RaizPerft {
    Jugada jugada;
    i32 cuenta;  // paths below it; 0 for an illegal root move
};
// Counts the move paths of `profundidad` plies (1..63) from the current position into k
// (which the caller zeroes) and each root move's share, in generation order; returns the
// number of root moves. With `parar` (a search's stop flag left set) nothing is counted. The
// board is left as it was.
int ContarPerft(int profundidad, bool parar, ContadoresPerft& k, RaizPerft raices[MAX_JUGADAS]);

#ifdef VEMSUL_CHECK_BOARD
#include <cassert>
#define COMPROBAR_TABLERO() assert(TableroValido())
#define COMPROBAR(condicion) assert(condicion)  // shortcuts agree with the full tests
#else
#define COMPROBAR_TABLERO() ((void)0)
#define COMPROBAR(condicion) ((void)0)
#endif
