#include "book_files.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

void EjecutarSql(const std::string& fichero, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(fichero.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << " in " << sql;
    sqlite3_free(error);
    sqlite3_close(db);
}

void CrearLibro(const std::string& fichero, const std::vector<std::string>& lineas) {
    std::filesystem::remove(fichero);
    std::string sql = "CREATE TABLE Book (Partida TEXT);";
    for (std::string l : lineas) {
        for (size_t i = 0; (i = l.find('\'', i)) != std::string::npos; i += 2) l.insert(i, 1, '\'');  // '' in SQL
        sql += "INSERT INTO Book VALUES ('" + l + "');";
    }
    EjecutarSql(fichero, sql);
}

std::vector<std::string> LineasLibro(const std::string& fichero) {
    std::vector<std::string> lineas;
    sqlite3* db = nullptr;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_open_v2(fichero.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT Partida FROM Book;", -1, &s, nullptr) == SQLITE_OK) {
        while (sqlite3_step(s) == SQLITE_ROW) lineas.push_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return lineas;
}

int FilasLibro(const std::string& fichero) { return int(LineasLibro(fichero).size()); }

void CrearLibroQueFalla(const std::string& fichero, const std::vector<std::string>& lineas) {
    EjecutarSql(fichero, "CREATE TABLE t (p TEXT, m INTEGER);");
    for (const auto& l : lineas) EjecutarSql(fichero, "INSERT INTO t VALUES ('" + l + "', 0);");
    EjecutarSql(fichero,
                "INSERT INTO t VALUES ('x', -9223372036854775808);"
                "CREATE VIEW Book AS SELECT CASE WHEN m = 0 THEN p ELSE abs(m) END AS Partida FROM t;");
}
