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

// What the book did; the protocol layer reports it. A step error carries SQLite's result
// code; a failed verification also the line it stopped at.
enum class EstadoLibro {
    JUGADA,      // a probe found a move: JugadaLibro
    SIN_JUGADA,  // a probe found none, silently
    CORRECTO,    // every line of the book plays
    SIN_LIBRO,   // the book cannot be opened
    CORRUPTO,    // no table Book to read
    ERROR,       // a step error, or a line that does not play
};

// probe.cpp
// The probe of the go handler (BuscarJugadaLibro answers with it): JUGADA with the move in
// JugadaLibro, or no move (FueraDeLibro is then 1 and the search must answer), with
// SIN_LIBRO or ERROR and its code to report.
struct SondaLibro {
    EstadoLibro estado;
    int codigo;
};
SondaLibro ElegirJugadaLibro();
// Number of rows of the book (0 when it cannot be counted); the book must be open.
int ObtenerNumeroAperturas();
// Puts into JugadaLibro the move of `linea` that follows the moves text; 0 when there is none.
int ObtenerJugadaLibro(const char* linea);

// verify.cpp
// The "book" console command's work: replays every line from the start position and stops at
// the first one with a move the engine cannot play, whose text goes at once to `ilegal` (the
// command layer prints its diagnostics). The board is left at the last line replayed, as far
// as it played.
struct VerificacionLibro {
    EstadoLibro estado;           // CORRECTO, SIN_LIBRO, CORRUPTO or ERROR
    int codigo;                   // ERROR: the result of the last step
    char linea[TAM_LINEA_LIBRO];  // ERROR: the line it stopped at (empty when none was read)
    int plies;                    // the plies the board holds, -1 when no line was replayed
};
using InformeJugadaIlegal = void (*)(const char* jugada);
VerificacionLibro VerificarLibroApertura(InformeJugadaIlegal ilegal);
