// Book files for the tests: temporary working directories and SQLite books written with the
// C API, independently of the engine's own book code.
#pragma once

#include <string>
#include <vector>

// A fresh directory under /tmp, removed with its contents at the end of the test.
class DirectorioTemporal {
public:
    DirectorioTemporal();
    ~DirectorioTemporal();
    DirectorioTemporal(const DirectorioTemporal&) = delete;
    DirectorioTemporal& operator=(const DirectorioTemporal&) = delete;
    const std::string& Ruta() const { return ruta_; }
    std::string Fichero(const std::string& nombre) const { return ruta_ + "/" + nombre; }

private:
    std::string ruta_;
};

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
