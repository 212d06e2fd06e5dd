// The opening book: an SQLite file "Book.db" whose table Book holds whole opening lines
// (column Partida, coordinate moves separated by single blanks).
#pragma once

#include "board/board.h"

struct RegistroLibro {
    i32 FueraDeLibro;       // 1 = do not probe the book for the current position
    i32 OwnBook;            // option OwnBook
    i32 OwnBookLimit;       // option OwnBookLimit, 2..10
    char TextoPartida[101]; // the moves text of the last position command
    char JugadaLibro[5];    // the book move being played
    char ConsultaSql[255];  // text of the statement being prepared
};

extern RegistroLibro LibroSql;

// Opens and closes the book; switches OwnBook off when it cannot be opened. Returns OwnBook.
int ComprobarAccesoLibro();

// The probe of the go handler: 1 when a book move was played (printed as bestmove).
int BuscarJugadaLibro();
// The "book" console command: replays every line of the book.
void VerificarLibroApertura();
