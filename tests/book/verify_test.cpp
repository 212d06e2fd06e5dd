// The "book" console command through the real binary, run in a temporary directory holding
// the book: its reports, and that the engine goes on afterwards.
#include <gtest/gtest.h>

#include <filesystem>

#include "book_files.h"
#include "support/engine_process.h"

namespace {

using Salida = std::vector<std::string>;

const std::string ANALIZANDO = "Analizando libro de aperturas...";
const std::string ERROR_LIBRO = "Error en el libro de apertura.";

// The illegal-move diagnostics of the position command, then the error report.
Salida Incorrecta(const std::string& jugada, int alPaso, int codigo, const std::string& linea) {
    return {ANALIZANDO, "info string Movimiento ilegal: " + jugada, "info string Enroque Blancas: 3",
            "info string Enroque Negras: 3", "info string Ficha al Paso: " + std::to_string(alPaso),
            "info string Posici\xF3n Rey Blanco: 60", "info string Posici\xF3n Rey Negro: 4", ERROR_LIBRO,
            "C\xF3" "digo de error: " + std::to_string(codigo), "Apertura incorrecta en: " + linea};
}

// "book", then "isready" to show the engine still answers.
Salida Verificar(const DirectorioTemporal& dir) {
    int estado = -5;
    Salida s = Transcripcion({"book", "isready"}, &estado, dir.Ruta());
    EXPECT_EQ(estado, 0);
    EXPECT_TRUE(!s.empty() && s.back() == "readyok") << "the engine did not answer after book";
    if (!s.empty()) s.pop_back();
    return s;
}

}  // namespace

TEST(ComandoBook, Reports) {
    DirectorioTemporal dir;
    const std::string libro = dir.Fichero("Book.db");
    CrearLibro(libro, {"e2e4 e7e5 g1f3 b8c6 f1b5 a7a6", "d2d4 g8f6 c2c4 e7e6 b1c3 f8b4", "e2e4", "e2e4 c7c5 ",
                       "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 g8f6 f1e1 e8g8"});
    EXPECT_EQ(Verificar(dir), (Salida{ANALIZANDO, "Libro de apertura correcto."}));
    // A bad third line: code 100, and nothing of the fourth line (itself bad) is replayed.
    CrearLibro(libro, {"e2e4 e7e5 g1f3", "d2d4 d7d5 c2c4", "e2e4 e7e5 e1e3 b8c6", "a1a1 h7h6", "g1f3"});
    EXPECT_EQ(Verificar(dir), Incorrecta("e1e3", 28, 100, "e2e4 e7e5 e1e3 b8c6"));
    // A bad last line: code 101.
    CrearLibro(libro, {"e2e4 e7e5 g1f3", "d2d4 d7d5 c2c4", "g1f3 g8f6 f3f5"});
    EXPECT_EQ(Verificar(dir), Incorrecta("f3f5", 0, 101, "g1f3 g8f6 f3f5"));
    // A move that is not four characters long is bad without being tried.
    CrearLibro(libro, {"e2e4 e7e5", "d2d4 d7d5q", "c2c4"});
    EXPECT_EQ(Verificar(dir), Incorrecta("d7d5q", 35, 100, "d2d4 d7d5q"));
    // A step error is reported with the last line read.
    std::filesystem::remove(libro);
    CrearLibroQueFalla(libro, {"e2e4 e7e5", "d2d4 d7d5"});
    EXPECT_EQ(Verificar(dir),
              (Salida{ANALIZANDO, ERROR_LIBRO, "C\xF3" "digo de error: 1", "Apertura incorrecta en: d2d4 d7d5"}));
}
