// Book files for the tests: SQLite books written with the C API, independently of the
// engine's own book code (temporary working directories: support/engine_process.h).
#pragma once

#include <string>
#include <vector>

#include "support/engine_process.h"

// Runs SQL on a database file (created when missing); fails the test on an error.
void EjecutarSql(const std::string& fichero, const std::string& sql);
// Writes the table Book (column Partida) with the given lines, in this row order, into a new file.
void CrearLibro(const std::string& fichero, const std::vector<std::string>& lineas);
// The rows of table Book, in their order (none without a readable table), and how many.
std::vector<std::string> LineasLibro(const std::string& fichero);
int FilasLibro(const std::string& fichero);
// A book whose table Book is a view that fails with "integer overflow" (code 1) while being
// stepped, after the given good lines.
void CrearLibroQueFalla(const std::string& fichero, const std::vector<std::string>& lineas);
