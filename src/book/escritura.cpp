// The book's rows and the book file.
#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "book/lectura.h"

namespace {

constexpr unsigned SEMILLA_BARAJADO = 20110101u;  // the same rows in the same order on every run

// Creates the table in a new file and fills it in one transaction.
bool Rellenar(sqlite3* db, const std::vector<std::string>& lineas) {
    sqlite3_stmt* insertar = nullptr;
    bool ok = sqlite3_exec(db, "CREATE TABLE Book (Partida TEXT); BEGIN;", nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_prepare_v2(db, "INSERT INTO Book (Partida) VALUES (?1);", -1, &insertar, nullptr) == SQLITE_OK;
    for (size_t i = 0; ok && i < lineas.size(); i++) {
        ok = sqlite3_bind_text(insertar, 1, lineas[i].c_str(), -1, SQLITE_STATIC) == SQLITE_OK &&
             sqlite3_step(insertar) == SQLITE_DONE && sqlite3_reset(insertar) == SQLITE_OK;
    }
    sqlite3_finalize(insertar);
    return ok && sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

std::vector<std::string> DepurarLineas(std::vector<std::string> lineas) {
    std::sort(lineas.begin(), lineas.end());
    lineas.erase(std::unique(lineas.begin(), lineas.end()), lineas.end());
    // Sorted, a line that begins another one ("X" before "X ...") is followed by such a line.
    std::vector<std::string> r;
    for (size_t i = 0; i < lineas.size(); i++) {
        const std::string& a = lineas[i];
        if (i + 1 < lineas.size() && lineas[i + 1].compare(0, a.size() + 1, a + " ") == 0) continue;
        r.push_back(a);
    }
    std::mt19937 generador(SEMILLA_BARAJADO);
    for (size_t i = r.size(); i > 1; i--) std::swap(r[i - 1], r[generador() % i]);
    return r;
}

LibroNuevo::~LibroNuevo() {
    sqlite3_close(db_);
    if (creado_ && !reemplazado_) std::remove(nuevo_.c_str());
}

// What failed, with SQLite's reason and the system's.
std::string LibroNuevo::Fallo(const std::string& que) const {
    std::string r = que + " " + Citar(nuevo_, true) + ": " + (db_ ? sqlite3_errmsg(db_) : "sin memoria");
    const int sistema = db_ ? sqlite3_system_errno(db_) : 0;
    return sistema ? r + " (" + std::strerror(sistema) + ")" : r;
}

bool LibroNuevo::Crear(std::string& error) {
    // What a killed run left: the file and, from the versions that kept one, its journal.
    std::remove(nuevo_.c_str());
    std::remove((nuevo_ + "-journal").c_str());
    creado_ = true;
    // No journal: the file is thrown away whole when anything fails.
    if (sqlite3_open_v2(nuevo_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK &&
        sqlite3_exec(db_, "PRAGMA journal_mode = OFF;", nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    error = Fallo("no se puede crear");
    return false;
}

bool LibroNuevo::Escribir(const std::vector<std::string>& lineas, std::string& error) {
    if (!Rellenar(db_, lineas)) {
        error = Fallo("no se puede escribir");
        return false;
    }
    const int cierre = sqlite3_close(db_);
    db_ = nullptr;
    if (cierre != SQLITE_OK) {
        error = "no se puede cerrar " + Citar(nuevo_, true);
        return false;
    }
    if (std::rename(nuevo_.c_str(), libro_.c_str()) != 0) {
        error = "no se puede reemplazar " + Citar(libro_, true) + ": " + std::strerror(errno);
        return false;
    }
    reemplazado_ = true;
    return true;
}
