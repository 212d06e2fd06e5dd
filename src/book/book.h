// The opening book: an SQLite file "Book.db" in the working directory whose table Book holds
// whole opening lines (column Partida, four-character coordinate moves from the start
// position separated by single blanks, at most 100 characters).
#pragma once

#include "board/board.h"

constexpr int FILAS_LIBRO = 15;      // lines fetched by one probe
constexpr int TAM_LINEA_LIBRO = 101; // a line of at most 100 characters and its terminator

struct RegistroLibro {
    i32 FueraDeLibro;       // 1 = do not probe the book for the current position
    i32 OwnBook;            // option OwnBook
    i32 OwnBookLimit;       // option OwnBookLimit, 2..10
    char TextoPartida[101]; // the moves text of the last position command
    char JugadaLibro[5];    // the book move being played
    char ConsultaSql[255];  // text of the statement being prepared
};

extern RegistroLibro LibroSql;

// book.cpp
// Opens and closes the book; switches OwnBook off when it cannot be opened. Returns OwnBook.
int ComprobarAccesoLibro();
// Finalizes the open statement and closes the database, whichever of them is open.
void CerrarBaseDeDatos();

// probe.cpp
// The probe of the go handler: 1 when a book move was printed as bestmove; 0 when the game
// has left the book (FueraDeLibro is then 1) and the search must answer.
int BuscarJugadaLibro();
// The same probe without the answer: 1 with the move in JugadaLibro, for a caller that answers
// later (on "go ponder", once ponderhit or stop has come).
int ElegirJugadaLibro();
// Number of rows of the book (0 when it cannot be counted); the book must be open.
int ObtenerNumeroAperturas();
// Puts into JugadaLibro the move of `linea` that follows the moves text; 0 when there is none.
int ObtenerJugadaLibro(const char* linea);

// verify.cpp
// The "book" console command: replays every line from the start position and reports the
// first one with a move the engine cannot play, whose text goes first to `ilegal` (the
// command layer prints its diagnostics). The board is left at the last line replayed, as far
// as it played; returns the plies it holds, or -1 when no line was replayed.
using InformeJugadaIlegal = void (*)(const char* jugada);
int VerificarLibroApertura(InformeJugadaIlegal ilegal);
