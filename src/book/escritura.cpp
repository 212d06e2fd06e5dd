// The book's rows and the book file.
#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "book/construir.h"

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

bool EscribirLibro(const std::string& fichero, const std::vector<std::string>& lineas, std::string& error) {
    // Written beside the book, so that the rename stays on one file system and is atomic.
    const std::string nuevo = fichero + ".nuevo";
    std::remove(nuevo.c_str());  // left behind by an interrupted run
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(nuevo.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK &&
              Rellenar(db, lineas);
    if (!ok) error = nuevo + ": " + (db ? sqlite3_errmsg(db) : "sin memoria");
    ok = sqlite3_close(db) == SQLITE_OK && ok;
    if (ok && std::rename(nuevo.c_str(), fichero.c_str()) != 0) {
        error = "no se puede reemplazar " + fichero + ": " + std::strerror(errno);
        ok = false;
    }
    if (!ok) std::remove(nuevo.c_str());
    return ok;
}
