// The "book" console command through the real binary, run in a temporary directory holding
// the book: its reports, and that the engine goes on afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "book_files.h"

namespace {

using Salida = std::vector<std::string>;

const std::string ANALIZANDO = "Analizando libro de aperturas...";
const std::string ERROR_LIBRO = "Error en el libro de apertura.";
const std::string CODIGO = "C\xF3" "digo de error: ";

// The illegal-move diagnostics of the position command, castling rights untouched.
Salida Diagnostico(const std::string& jugada, int alPaso) {
    return {"info string Movimiento ilegal: " + jugada, "info string Enroque Blancas: 3",
            "info string Enroque Negras: 3", "info string Ficha al Paso: " + std::to_string(alPaso),
            "info string Posici\xF3n Rey Blanco: 60", "info string Posici\xF3n Rey Negro: 4"};
}

Salida Unir(std::initializer_list<Salida> partes) {
    Salida r;
    for (const auto& p : partes) r.insert(r.end(), p.begin(), p.end());
    return r;
}

class ComandoBook : public testing::Test {
protected:
    // "book", then "isready" to show the engine still answers, then the end of input.
    Salida Verificar() {
        int estado = -5;
        Salida s = SesionEn(dir_.Ruta(), {"book", "isready"}, &estado);
        EXPECT_EQ(estado, 0);
        if (s.empty() || s.back() != "readyok") {
            ADD_FAILURE() << "the engine did not answer after book";
            return s;
        }
        s.pop_back();
        return s;
    }
    std::string Libro() const { return dir_.Fichero("Book.db"); }
    DirectorioTemporal dir_;
};

TEST_F(ComandoBook, AGoodBookIsReportedCorrect) {
    CrearLibro(Libro(), {"e2e4 e7e5 g1f3 b8c6 f1b5 a7a6", "d2d4 g8f6 c2c4 e7e6 b1c3 f8b4",
                         "e2e4", "e2e4 c7c5 ", "e2e4 d7d5 e4d5 d8d5 b1c3 d5a5",
                         "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 g8f6 f1e1 e8g8"});
    EXPECT_EQ(Verificar(), (Salida{ANALIZANDO, "Libro de apertura correcto."}));
}

TEST_F(ComandoBook, AnEmptyTableIsCorrect) {
    CrearLibro(Libro(), {});
    EXPECT_EQ(Verificar(), (Salida{ANALIZANDO, "Libro de apertura correcto."}));
}

TEST_F(ComandoBook, ABadThirdLineIsReportedWithCode100AndStopsTheReplay) {
    CrearLibro(Libro(), {"e2e4 e7e5 g1f3", "d2d4 d7d5 c2c4", "e2e4 e7e5 e1e3 b8c6", "a1a1 h7h6", "g1f3"});
    // Nothing of the fourth line, itself bad, is replayed.
    EXPECT_EQ(Verificar(), Unir({{ANALIZANDO}, Diagnostico("e1e3", 28),
                                 {ERROR_LIBRO, CODIGO + "100", "Apertura incorrecta en: e2e4 e7e5 e1e3 b8c6"}}));
}

TEST_F(ComandoBook, ABadLastLineIsReportedWithCode101) {
    CrearLibro(Libro(), {"e2e4 e7e5 g1f3", "d2d4 d7d5 c2c4", "g1f3 g8f6 f3f5"});
    EXPECT_EQ(Verificar(), Unir({{ANALIZANDO}, Diagnostico("f3f5", 0),
                                 {ERROR_LIBRO, CODIGO + "101", "Apertura incorrecta en: g1f3 g8f6 f3f5"}}));
}

TEST_F(ComandoBook, MovesThatAreNotFourCharactersLongAreBad) {
    // A promotion-length move cannot be a book move: reported without being tried.
    CrearLibro(Libro(), {"e2e4 e7e5", "d2d4 d7d5q", "c2c4"});
    EXPECT_EQ(Verificar(), Unir({{ANALIZANDO}, Diagnostico("d7d5q", 35),
                                 {ERROR_LIBRO, CODIGO + "100", "Apertura incorrecta en: d2d4 d7d5q"}}));
    std::filesystem::remove(Libro());
    CrearLibro(Libro(), {"e2e4 e7e5", "d2d4  d7d5"});  // two blanks: an empty move
    EXPECT_EQ(Verificar(), Unir({{ANALIZANDO}, Diagnostico("", 35),
                                 {ERROR_LIBRO, CODIGO + "101", "Apertura incorrecta en: d2d4  d7d5"}}));
}

TEST_F(ComandoBook, TheBoardIsLeftWhereTheBadLineStopped) {
    CrearLibro(Libro(), {"d2d4 g8f6", "e2e4 e7e5 e1e3 b8c6"});
    Salida s = SesionEn(dir_.Ruta(), {"book", "d", "position startpos moves e2e4 e7e5", "d"});
    std::vector<std::string> fens;
    for (const auto& l : s)
        if (l.rfind("Fen: ", 0) == 0) fens.push_back(l);
    ASSERT_EQ(fens.size(), 2u);
    EXPECT_EQ(fens[0], fens[1]);
}

TEST_F(ComandoBook, NoTableNoFileAndNoDatabase) {
    EjecutarSql(Libro(), "CREATE TABLE Libro (Partida TEXT);");
    EXPECT_EQ(Verificar(), (Salida{ANALIZANDO, "Error: Libro de aperturas corrupto."}));

    std::filesystem::remove(Libro());
    EXPECT_EQ(Verificar(), (Salida{ANALIZANDO, "Error: Libro de aperturas corrupto."}));
    ASSERT_TRUE(std::filesystem::exists(Libro()));
    EXPECT_EQ(std::filesystem::file_size(Libro()), 0u);

    // A file that is not a database: there is no statement to step, nor a line to show.
    std::filesystem::remove(Libro());
    { std::ofstream(Libro()) << "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7 f1e1 b7b5 a4b3 d7d6\n"; }
    EXPECT_EQ(Verificar(), (Salida{ANALIZANDO, ERROR_LIBRO, CODIGO + "21", "Apertura incorrecta en: "}));

    std::filesystem::remove(Libro());
    std::filesystem::create_directory(Libro());
    EXPECT_EQ(Verificar(), (Salida{ANALIZANDO, "Libro de apertura cargado: No."}));
}

TEST_F(ComandoBook, AStepErrorIsReportedWithTheLastLineRead) {
    CrearLibroQueFalla(Libro(), {"e2e4 e7e5", "d2d4 d7d5"});
    EXPECT_EQ(Verificar(), (Salida{ANALIZANDO, ERROR_LIBRO, CODIGO + "1", "Apertura incorrecta en: d2d4 d7d5"}));
}

}  // namespace
