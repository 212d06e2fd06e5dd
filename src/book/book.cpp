// The book record and opening and closing the book file.
#include "book/book.h"

#include <filesystem>
#include <string>

#include "book/database.h"
#include "platform.h"

RegistroLibro LibroSql;
sqlite3* BaseDatosLibro = nullptr;
sqlite3_stmt* SentenciaLibro = nullptr;

// Read-write, create and URI: a missing book leaves an empty "Book.db" behind.
static constexpr int FLAGS_LIBRO = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI;

// The book of the working directory; where it has none, the one beside the engine's file if
// the system keeps files there (Windows), named as a plain file name, which SQLite takes
// with drive letters, blanks and backslashes as they are.
static std::string NombreLibro() {
    const std::string carpeta = CarpetaDelPrograma();
    std::error_code e;
    if (carpeta.empty() || std::filesystem::exists("Book.db", e)) return "file:Book.db";
    const std::string junto = carpeta + "Book.db";
    if (std::filesystem::exists(std::filesystem::path(reinterpret_cast<const char8_t*>(junto.c_str())), e)) return junto;
    return "file:Book.db";
}

int AbrirLibro() {
    return sqlite3_open_v2(NombreLibro().c_str(), &BaseDatosLibro, FLAGS_LIBRO, nullptr) == SQLITE_OK;
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
