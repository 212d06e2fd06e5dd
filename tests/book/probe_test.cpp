// The go handler's book probe, run in-process on books written into a temporary working
// directory: which move it answers, what it prints, and how it leaves the book.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "book/book.h"
#include "book_files.h"
#include "support/board_helpers.h"
#include "uci/uci.h"

namespace {

const char* const INFO_LIBRO = "info string Libro de aperturas.";

class Sonda : public testing::Test {
protected:
    void SetUp() override {
        anterior_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.Ruta());
        LibroSql.OwnBook = 1;
        LibroSql.OwnBookLimit = 8;
        Posicion("startpos");
        LibroSql.TextoPartida[0] = 0;
    }
    void TearDown() override {
        std::filesystem::current_path(anterior_);
        LibroSql.OwnBook = 0;
        LibroSql.OwnBookLimit = 8;
        LibroSql.TextoPartida[0] = 0;
        UciNewGame();
    }
    void Libro(const std::vector<std::string>& lineas) { CrearLibro("Book.db", lineas); }

    // One probe: its result and its output.
    std::string Sondear(int* resultado = nullptr) {
        int r = -1;
        std::string salida = Capturar([&] { r = BuscarJugadaLibro(); });
        if (resultado) *resultado = r;
        return salida;
    }
    // The move of a probe that must succeed, checked for its exact output.
    std::string Jugada() {
        int r = -1;
        std::string salida = Sondear(&r);
        EXPECT_EQ(r, 1) << salida;
        EXPECT_EQ(LibroSql.FueraDeLibro, 0);
        EXPECT_EQ(LibroSql.TextoPartida[0], 0);
        auto lineas = Lineas(salida);
        if (lineas.size() != 2 || lineas[0].rfind("bestmove ", 0) != 0 || lineas[1] != INFO_LIBRO) {
            ADD_FAILURE() << "unexpected output: " << salida;
            return "";
        }
        EXPECT_EQ(salida, lineas[0] + "\n" + INFO_LIBRO + "\n");
        return lineas[0].substr(9);
    }
    // A probe that must leave the book silently.
    void SinJugada(const std::string& caso = "") {
        int r = -1;
        EXPECT_EQ(Sondear(&r), "") << caso;
        EXPECT_EQ(r, 0) << caso;
        EXPECT_EQ(LibroSql.FueraDeLibro, 1) << caso;
        EXPECT_EQ(LibroSql.TextoPartida[0], 0) << caso;
    }

    DirectorioTemporal dir_;
    std::filesystem::path anterior_;
};

// The twenty first moves, each with a reply: a first move names its line.
const std::vector<std::string> PRIMERAS = {
    "a2a3 e7e5", "b2b3 e7e5", "c2c3 e7e5", "d2d3 e7e5", "e2e3 e7e5", "f2f3 e7e5", "g2g3 e7e5",
    "h2h3 e7e5", "a2a4 e7e5", "b2b4 e7e5", "c2c4 e7e5", "d2d4 d7d5", "e2e4 e7e5", "f2f4 d7d5",
    "g2g4 d7d5", "h2h4 d7d5", "b1a3 d7d5", "b1c3 d7d5", "g1f3 d7d5", "g1h3 d7d5"};

// The move the probe must answer after std::srand(semilla): a window of 15 rows from a random
// offset of 1 to count - 1 (offset 0 for a single row), then a random row of the window.
std::string EsperadaInicio(unsigned semilla, const std::vector<std::string>& libro) {
    std::srand(semilla);
    int n = int(libro.size());
    int desde = n == 1 ? 0 : 1 + (std::rand() & 0x7FFF) % (n - 1);
    int filas = std::min(15, n - desde);
    return libro[desde + (std::rand() & 0x7FFF) % filas].substr(0, 4);
}

TEST_F(Sonda, StartPositionPicksFromARandomWindowOfTheTable) {
    Libro(PRIMERAS);
    for (unsigned semilla = 1; semilla <= 40; semilla++) {
        std::string esperada = EsperadaInicio(semilla, PRIMERAS);
        std::srand(semilla);
        EXPECT_EQ(Jugada(), esperada) << "seed " << semilla;
    }
    // Over many probes every line but the first can be chosen, the first never is.
    std::set<std::string> vistas;
    for (int i = 0; i < 2000; i++) vistas.insert(Jugada());
    std::set<std::string> posibles;
    for (size_t i = 1; i < PRIMERAS.size(); i++) posibles.insert(PRIMERAS[i].substr(0, 4));
    EXPECT_EQ(vistas, posibles);
}

TEST_F(Sonda, ASingleLineBookAlwaysAnswersWithIt) {
    Libro({"c2c4 e7e5 b1c3"});
    for (unsigned semilla = 1; semilla <= 20; semilla++) {
        std::srand(semilla);
        EXPECT_EQ(Jugada(), "c2c4");
    }
}

TEST_F(Sonda, PrefixProbeChoosesAmongTheLinesThatFollowTheGame) {
    const std::vector<std::string> libro = {"e2e4 e7e5 g1f3 b8c6", "d2d4 d7d5 c2c4", "e2e4 c7c5 g1f3 d7d6",
                                            "e2e3 d7d5", "e2e4 e7e6 d2d4", "e2e4 e7e5 f1c4"};
    Libro(libro);
    const std::vector<std::string> tras_e4 = {"e7e5", "c7c5", "e7e6", "e7e5"};  // matching rows in order
    for (unsigned semilla = 1; semilla <= 30; semilla++) {
        Posicion("startpos moves e2e4");
        ASSERT_STREQ(LibroSql.TextoPartida, "e2e4");
        ASSERT_EQ(LibroSql.FueraDeLibro, 0);
        std::srand(semilla);
        std::string esperada = tras_e4[(std::rand() & 0x7FFF) % 4];
        std::srand(semilla);
        Instantanea antes = Tomar();
        EXPECT_EQ(Jugada(), esperada) << "seed " << semilla;
        EXPECT_TRUE(Tomar() == antes) << "the probe must not touch the board";
    }
    std::set<std::string> vistas;
    for (int i = 0; i < 100; i++) {
        Posicion("startpos moves e2e4 e7e5");
        vistas.insert(Jugada());
    }
    EXPECT_EQ(vistas, (std::set<std::string>{"g1f3", "f1c4"}));
    Posicion("startpos moves d2d4 d7d5 c2c4");
    SinJugada("the line ends with the game");
    Posicion("startpos moves g1f3");
    SinJugada("no line follows the game");
}

TEST_F(Sonda, OnlyTheFirstFifteenMatchingRowsAreCandidates) {
    // Twenty lines after 1.e4, one for each black reply, in this row order.
    Posicion("startpos moves e2e4");
    std::vector<std::string> respuestas = JugadasLegales();
    ASSERT_EQ(respuestas.size(), 20u);
    std::vector<std::string> libro;
    for (const auto& r : respuestas) libro.push_back("e2e4 " + r);
    Libro(libro);
    std::set<std::string> vistas;
    for (int i = 0; i < 400; i++) {
        Posicion("startpos moves e2e4");
        vistas.insert(Jugada());
    }
    EXPECT_EQ(vistas, std::set<std::string>(respuestas.begin(), respuestas.begin() + 15));
}

TEST_F(Sonda, ALineThatEndsWithTheGameGivesNoMove) {
    Libro({"e2e4", "d2d4 d7d5"});
    Posicion("startpos moves e2e4");
    SinJugada();
    // Once out of the book, the position command from the start position lets it in again.
    Posicion("startpos moves d2d4");
    EXPECT_EQ(LibroSql.FueraDeLibro, 0);
    EXPECT_EQ(Jugada(), "d7d5");
}

TEST_F(Sonda, LinesTooLongForTheirSlotAreLeftOut) {
    std::string cien = "e2e4 c7c5";
    while (cien.size() < 100) cien += " g1f3";
    cien.resize(99);
    cien += "x";  // exactly 100 characters
    std::string largo = "e2e4 e7e5";
    while (largo.size() <= 100) largo += " g1f3";
    Libro({largo, cien, largo});
    for (int i = 0; i < 20; i++) {
        Posicion("startpos moves e2e4");
        EXPECT_EQ(Jugada(), "c7c5");
    }
    std::filesystem::remove("Book.db");
    Libro({largo});
    Posicion("startpos moves e2e4");
    SinJugada("only an over-long line matches");
}

TEST_F(Sonda, OnlyWholeFourCharacterMovesAreAnswered) {
    Libro({"e2e4 e7e", "d2d4 d7d5q", "c2c4e7e5"});
    Posicion("startpos moves e2e4");
    SinJugada("a cut move");
    Posicion("startpos moves d2d4");
    SinJugada("a five-character move");
    std::strcpy(LibroSql.TextoPartida, "c2c");
    LibroSql.FueraDeLibro = 0;
    SinJugada("a text that stops inside a move");
    std::filesystem::remove("Book.db");
    Libro({"c2c4e7e5"});
    Posicion("startpos");
    SinJugada("a first move glued to the next");
}

TEST_F(Sonda, TrailingBlanksOfTheGameTextAreIgnored) {
    Libro({"e2e4 e7e5 g1f3"});
    Posicion("startpos moves e2e4 ");
    ASSERT_STREQ(LibroSql.TextoPartida, "e2e4 ");
    EXPECT_EQ(Jugada(), "e7e5");
    Posicion("startpos moves   ");
    EXPECT_EQ(Jugada(), "e2e4") << "blanks only: the start position";
}

TEST_F(Sonda, MovesTextMatchesWithoutRegardToCase) {
    Libro({"E2E4 c7c5 G1F3"});
    Posicion("startpos moves e2e4");
    EXPECT_EQ(Jugada(), "c7c5");
    std::strcpy(LibroSql.TextoPartida, "e2e4 C7C5");
    LibroSql.FueraDeLibro = 0;
    EXPECT_EQ(Jugada(), "G1F3");
}

// Texts the GUI could send to the probe: they must neither change the statement nor act as
// LIKE wildcards.
TEST_F(Sonda, HostileGameTextsMatchOnlyLiterally) {
    // Fifteen lines after 1.e4 come first: a wildcard that reached them would fill the 15 rows
    // a probe fetches and crowd out the lines below, which hold the characters literally.
    Posicion("startpos moves e2e4");
    std::vector<std::string> libro;
    for (const auto& r : JugadasLegales())
        if (libro.size() < 15) libro.push_back("e2e4 " + r);
    for (const char* l : {"e2%4 g8f6", "e_e4 b8c6", "a\\b4 h7h6", "it's e7e6", "d2d4 d7d5"}) libro.push_back(l);
    Libro(libro);
    const char* const hostiles[] = {
        "'",           "e2e4'",          "e2e4' OR '1'='1",           "%",        "%e4",  "_",
        "_2e4",        "e2e_",           "e2_4",                       "e2e4%",    "\\",   "e2e4\\",
        "a\\",         "a_",             "'; DROP TABLE Book; --",     "\\%",      "it",   "e2e4%' --",
        "' UNION SELECT 'e2e4 a7a6' --", "e2e4\\' OR 1=1 --", "e2e4' || abs(-9223372036854775808) || '",
    };
    for (const char* h : hostiles) {
        std::strcpy(LibroSql.TextoPartida, h);
        LibroSql.FueraDeLibro = 0;
        SinJugada(h);
        ASSERT_EQ(FilasLibro("Book.db"), int(libro.size())) << h;
    }
    const std::pair<const char*, const char*> literales[] = {
        {"e2%4", "g8f6"}, {"e_e4", "b8c6"}, {"a\\b4", "h7h6"}, {"it's", "e7e6"}, {"d2d4", "d7d5"}};
    for (auto [texto, jugada] : literales) {
        for (int i = 0; i < 5; i++) {
            std::strcpy(LibroSql.TextoPartida, texto);
            LibroSql.FueraDeLibro = 0;
            EXPECT_EQ(Jugada(), jugada) << texto;
        }
    }
}

TEST_F(Sonda, EmptyTableNoTableAndNoFileLeaveTheBookSilently) {
    EjecutarSql("Book.db", "CREATE TABLE Book (Partida TEXT);");
    SinJugada("empty table, start position");
    Posicion("startpos moves e2e4");
    SinJugada("empty table, prefix");

    std::filesystem::remove("Book.db");
    EjecutarSql("Book.db", "CREATE TABLE Libro (Partida TEXT); INSERT INTO Libro VALUES ('e2e4 e7e5');");
    SinJugada("no table Book");

    std::filesystem::remove("Book.db");
    Posicion("startpos moves e2e4");
    SinJugada("no file");
    ASSERT_TRUE(std::filesystem::exists("Book.db"));
    EXPECT_EQ(std::filesystem::file_size("Book.db"), 0u) << "an empty Book.db is left behind";
    SinJugada("the empty file left behind");
}

TEST_F(Sonda, ABookThatCannotBeOpenedIsReported) {
    std::filesystem::create_directory("Book.db");
    int r = -1;
    EXPECT_EQ(Sondear(&r), "Libro de apertura cargado: No.\n");
    EXPECT_EQ(r, 0);
    EXPECT_EQ(LibroSql.FueraDeLibro, 1);
}

TEST_F(Sonda, AStepErrorIsReportedWithItsCode) {
    CrearLibroQueFalla("Book.db", {"e2e4 e7e5", "e2e4 c7c5"});
    for (const char* texto : {"", "e2e4"}) {
        std::strcpy(LibroSql.TextoPartida, texto);
        LibroSql.FueraDeLibro = 0;
        int r = -1;
        EXPECT_EQ(Sondear(&r), "Error en el libro de apertura.\nC\xF3" "digo de error: 1\n") << texto;
        EXPECT_EQ(r, 0);
        EXPECT_EQ(LibroSql.FueraDeLibro, 1);
        EXPECT_EQ(LibroSql.TextoPartida[0], 0);
    }
}

// What the position command records for the book: the go handler probes only while
// FueraDeLibro is 0.
TEST_F(Sonda, GamesFromFenAndGamesBeyondTheLimitAreNotProbed) {
    Libro({"e2e4 e7e5 g1f3 b8c6 f1b5 a7a6"});
    PonerFen(FEN_INICIAL);
    EXPECT_EQ(LibroSql.FueraDeLibro, 1);
    Posicion(std::string("fen ") + FEN_INICIAL + " moves e2e4");
    EXPECT_EQ(LibroSql.FueraDeLibro, 1);

    LibroSql.OwnBookLimit = 2;
    Posicion("startpos moves e2e4 e7e5 g1f3 b8c6");  // 19 characters
    EXPECT_EQ(LibroSql.FueraDeLibro, 0);
    EXPECT_EQ(Jugada(), "f1b5");
    Posicion("startpos moves e2e4 e7e5 g1f3 b8c6 f1b5");  // 24 characters
    EXPECT_EQ(LibroSql.FueraDeLibro, 1);
}

}  // namespace
