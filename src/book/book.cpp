// The book record and opening and closing the book file.
#include "book/book.h"

#include "book/database.h"

RegistroLibro LibroSql;
sqlite3* BaseDatosLibro = nullptr;
sqlite3_stmt* SentenciaLibro = nullptr;

// Read-write, create and URI: a missing book leaves an empty "Book.db" behind.
static constexpr int FLAGS_LIBRO = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI;

int AbrirLibro() {
    return sqlite3_open_v2("file:Book.db", &BaseDatosLibro, FLAGS_LIBRO, nullptr) == SQLITE_OK;
}

void CerrarBaseDeDatos() {
    if (SentenciaLibro) sqlite3_finalize(SentenciaLibro);
    SentenciaLibro = nullptr;
    // A failed open may still have left a handle to release.
    if (BaseDatosLibro) sqlite3_close(BaseDatosLibro);
    BaseDatosLibro = nullptr;
}

int ComprobarAccesoLibro() {
    LibroSql.TextoPartida[0] = 0;
    if (LibroSql.OwnBook == 1) {
        int abierto = AbrirLibro();
        CerrarBaseDeDatos();
        if (abierto) return 1;
    }
    LibroSql.OwnBook = 0;
    return 0;
}
