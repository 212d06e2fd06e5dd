// Opening the book file.
#include "book/book.h"

#include <sqlite3.h>

RegistroLibro LibroSql;

// Read-write, create and URI: a missing book leaves an empty "Book.db" behind.
static constexpr int FLAGS_LIBRO = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI;

int ComprobarAccesoLibro() {
    LibroSql.TextoPartida[0] = 0;
    if (LibroSql.OwnBook == 1) {
        sqlite3* db = nullptr;
        int rc = sqlite3_open_v2("file:Book.db", &db, FLAGS_LIBRO, nullptr);
        sqlite3_close(db);
        if (rc == SQLITE_OK) return 1;
    }
    LibroSql.OwnBook = 0;
    return 0;
}

int BuscarJugadaLibro() {
    LibroSql.TextoPartida[0] = 0;
    LibroSql.FueraDeLibro = 1;
    return 0;
}

void VerificarLibroApertura() {}
