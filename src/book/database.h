// The book's SQLite handles, shared by the probe and the verification. No handle survives a
// command: every user opens the book and closes it with CerrarBaseDeDatos.
#pragma once

#include <sqlite3.h>

extern sqlite3* BaseDatosLibro;
extern sqlite3_stmt* SentenciaLibro;

// Opens "Book.db" read-write, creating it when missing; 1 on success.
int AbrirLibro();
