// The go handler's book probe, run in-process on books written into a temporary working
// directory: which move it answers, what it prints, and how it leaves the book.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "book/book.h"
#include "book_files.h"
#include "support/board_helpers.h"
#include "uci/uci.h"

namespace {

class Sonda : public testing::Test {
protected:
    void SetUp() override {
        anterior_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.Ruta());
        LibroSql.OwnBook = 1;
        LibroSql.OwnBookLimit = 8;
        Posicion("startpos");
    }
    void TearDown() override {
        std::filesystem::current_path(anterior_);
        LibroSql.OwnBook = 0;
        LibroSql.OwnBookLimit = 8;
        LibroSql.TextoPartida[0] = 0;
        UciNewGame();
    }
    void Libro(const std::vector<std::string>& lineas) { CrearLibro("Book.db", lineas); }
    // Sets the game text as the position command would record it, from the start position.
    void Texto(const char* texto) {
        std::strcpy(LibroSql.TextoPartida, texto);
        LibroSql.FueraDeLibro = 0;
    }
    // One probe: its result and its output.
    std::string Sondear(int* resultado) {
        return Capturar([&] { *resultado = BuscarJugadaLibro(); });
    }
    // The move of a probe that must succeed, checked for its exact output and bookkeeping.
    std::string Jugada() {
        int r = -1;
        const std::string salida = Sondear(&r);
        EXPECT_EQ(r, 1) << salida;
        EXPECT_EQ(LibroSql.FueraDeLibro, 0);
        EXPECT_EQ(LibroSql.TextoPartida[0], 0);
        const std::string jugada = salida.substr(9, 4);
        EXPECT_EQ(salida, "bestmove " + jugada + "\ninfo string Libro de aperturas.\n");
        return jugada;
    }
    // A probe that must leave the book, printing `salida` (nothing but for errors).
    void SinJugada(const std::string& caso, const std::string& salida = "") {
        int r = -1;
        EXPECT_EQ(Sondear(&r), salida) << caso;
        EXPECT_EQ(r, 0) << caso;
        EXPECT_EQ(LibroSql.FueraDeLibro, 1) << caso;
        EXPECT_EQ(LibroSql.TextoPartida[0], 0) << caso;
    }
    DirectorioTemporal dir_;
    std::filesystem::path anterior_;
};

}  // namespace

// From the start position: a window of 15 rows from a random offset of 1 to count - 1 (offset 0
// for a single row), then a random row of the window, both drawn with rand().
TEST_F(Sonda, StartPositionPicksFromARandomWindowOfTheTable) {
    const std::vector<std::string> libro = {
        "a2a3 e7e5", "b2b3 e7e5", "c2c3 e7e5", "d2d3 e7e5", "e2e3 e7e5", "f2f3 e7e5", "g2g3 e7e5",
        "h2h3 e7e5", "a2a4 e7e5", "b2b4 e7e5", "c2c4 e7e5", "d2d4 d7d5", "e2e4 e7e5", "f2f4 d7d5",
        "g2g4 d7d5", "h2h4 d7d5", "b1a3 d7d5", "b1c3 d7d5", "g1f3 d7d5", "g1h3 d7d5"};
    Libro(libro);
    for (unsigned semilla = 1; semilla <= 40; semilla++) {
        std::srand(semilla);
        const int desde = 1 + (std::rand() & 0x7FFF) % 19;
        const std::string esperada = libro[desde + (std::rand() & 0x7FFF) % std::min(15, 20 - desde)].substr(0, 4);
        std::srand(semilla);
        EXPECT_EQ(Jugada(), esperada) << "seed " << semilla;
    }
    std::set<std::string> vistas;  // over many probes every line but the first is chosen
    for (int i = 0; i < 2000; i++) vistas.insert(Jugada());
    EXPECT_EQ(vistas.size(), 19u);
    EXPECT_EQ(vistas.count("a2a3"), 0u);
    Libro({"c2c4 e7e5 b1c3"});
    for (int i = 0; i < 10; i++) EXPECT_EQ(Jugada(), "c2c4");
}

// After moves: rand() modulo the number of matching rows (at most the first 15) picks the line.
TEST_F(Sonda, PrefixProbeChoosesAmongTheLinesThatFollowTheGame) {
    Libro({"e2e4 e7e5 g1f3 b8c6", "d2d4 d7d5 c2c4", "e2e4 c7c5 g1f3 d7d6", "e2e3 d7d5", "e2e4 e7e6 d2d4",
           "e2e4 e7e5 f1c4", "d2d4"});
    const char* tras_e4[] = {"e7e5", "c7c5", "e7e6", "e7e5"};  // the matching rows in order
    for (unsigned semilla = 1; semilla <= 30; semilla++) {
        Posicion("startpos moves e2e4");
        ASSERT_STREQ(LibroSql.TextoPartida, "e2e4");
        std::srand(semilla);
        const std::string esperada = tras_e4[(std::rand() & 0x7FFF) % 4];
        std::srand(semilla);
        const Instantanea antes = Tomar();
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
    // Once out of the book, the position command from the start position lets it in again.
    Posicion("startpos moves d2d4");
    EXPECT_EQ(LibroSql.FueraDeLibro, 0);
    EXPECT_EQ(Jugada(), "d7d5");

    // Twenty lines after 1.e4, one per black reply: only the first fifteen rows are candidates.
    Posicion("startpos moves e2e4");
    const std::vector<std::string> respuestas = JugadasLegales();
    std::vector<std::string> libro;
    for (const auto& r : respuestas) libro.push_back("e2e4 " + r);
    Libro(libro);
    vistas.clear();
    for (int i = 0; i < 400; i++) {
        Posicion("startpos moves e2e4");
        vistas.insert(Jugada());
    }
    EXPECT_EQ(vistas, std::set<std::string>(respuestas.begin(), respuestas.begin() + 15));
}

// Lines over 100 characters are left out; only whole four-character moves are answered; the
// moves text matches without regard to case (an upper-case move is no move); trailing blanks
// of the game text are ignored.
TEST_F(Sonda, LineFormats) {
    Posicion("startpos moves e2e4");
    std::string cien = "e2e4 c7c5";
    while (cien.size() < 100) cien += " g1f3";
    cien.resize(99);
    cien += "x";  // exactly 100 characters
    std::string largo = "e2e4 e7e5";
    while (largo.size() <= 100) largo += " g1f3";
    Libro({largo, cien, largo});
    for (int i = 0; i < 20; i++) {
        Texto("e2e4");
        EXPECT_EQ(Jugada(), "c7c5");
    }
    Libro({largo, "e2e3 e7e", "d2d4 d7d5q", "c2c4e7e5", "E2E4 c7c5 G1F3"});
    const std::pair<const char*, const char*> casos[] = {
        {"e2e3", nullptr}, {"d2d4", nullptr}, {"c2c", nullptr}, {"e2e4", "c7c5"}, {"e2e4 C7C5", nullptr}, {"e2e4 ", "c7c5"}};
    for (auto [texto, jugada] : casos) {
        Texto(texto);
        if (jugada) EXPECT_EQ(Jugada(), jugada) << texto;
        else SinJugada(texto);
    }
    Libro({"c2c4e7e5"});
    Texto("");
    SinJugada("a first move glued to the next");
}

// Texts the GUI could send to the probe must neither change the statement nor act as LIKE
// wildcards. Fifteen lines after 1.e4 come first: a wildcard that reached them would fill the
// 15 rows a probe fetches and crowd out the lines below, which hold the characters literally.
TEST_F(Sonda, HostileGameTextsMatchOnlyLiterally) {
    Posicion("startpos moves e2e4");
    std::vector<std::string> libro;
    for (const auto& r : JugadasLegales())
        if (libro.size() < 15) libro.push_back("e2e4 " + r);
    for (const char* l : {"e2%4 g8f6", "e_e4 b8c6", "a\\b4 h7h6", "it's e7e6", "d2d4 d7d5"}) libro.push_back(l);
    Libro(libro);
    const char* const hostiles[] = {
        "'", "e2e4'", "e2e4' OR '1'='1", "%", "%e4", "_", "_2e4", "e2e_", "e2_4", "e2e4%", "\\", "e2e4\\", "a\\",
        "a_", "'; DROP TABLE Book; --", "\\%", "it", "e2e4%' --", "' UNION SELECT 'e2e4 a7a6' --",
        "e2e4\\' OR 1=1 --", "e2e4' || abs(-9223372036854775808) || '"};
    for (const char* h : hostiles) {
        Texto(h);
        SinJugada(h);
        ASSERT_EQ(FilasLibro("Book.db"), int(libro.size())) << h;
    }
    const std::pair<const char*, const char*> literales[] = {
        {"e2%4", "g8f6"}, {"e_e4", "b8c6"}, {"a\\b4", "h7h6"}, {"it's", "e7e6"}, {"d2d4", "d7d5"}};
    for (auto [texto, jugada] : literales)
        for (int i = 0; i < 5; i++) {
            Texto(texto);
            EXPECT_EQ(Jugada(), jugada) << texto;
        }
}

// An empty table, no table, no file (an empty Book.db is left behind), a book that cannot be
// opened, and a statement that fails while being stepped.
TEST_F(Sonda, BooksThatGiveNoMove) {
    EjecutarSql("Book.db", "CREATE TABLE Book (Partida TEXT);");
    SinJugada("empty table, start position");
    Texto("e2e4");
    SinJugada("empty table, prefix");
    std::filesystem::remove("Book.db");
    EjecutarSql("Book.db", "CREATE TABLE Libro (Partida TEXT); INSERT INTO Libro VALUES ('e2e4 e7e5');");
    SinJugada("no table Book");
    std::filesystem::remove("Book.db");
    Texto("e2e4");
    SinJugada("no file");
    ASSERT_TRUE(std::filesystem::exists("Book.db"));
    EXPECT_EQ(std::filesystem::file_size("Book.db"), 0u);
    SinJugada("the empty file left behind");
    CrearLibroQueFalla("Book.db", {"e2e4 e7e5", "e2e4 c7c5"});
    for (const char* texto : {"", "e2e4"}) {
        Texto(texto);
        SinJugada(texto, "Error en el libro de apertura.\nC\xF3" "digo de error: 1\n");
    }
    std::filesystem::remove("Book.db");
    std::filesystem::create_directory("Book.db");
    SinJugada("cannot be opened", "Libro de apertura cargado: No.\n");
}

// What the position command records for the book: games from a FEN are never probed, nor games
// whose moves text reaches the limit.
TEST_F(Sonda, GamesFromFenAndGamesBeyondTheLimitAreNotProbed) {
    PonerFen(FEN_INICIAL);
    EXPECT_EQ(LibroSql.FueraDeLibro, 1);
    Posicion(std::string("fen ") + FEN_INICIAL + " moves e2e4");
    EXPECT_EQ(LibroSql.FueraDeLibro, 1);
    LibroSql.OwnBookLimit = 2;
    Posicion("startpos moves e2e4 e7e5 g1f3 b8c6");  // 19 characters
    EXPECT_EQ(LibroSql.FueraDeLibro, 0);
    Posicion("startpos moves e2e4 e7e5 g1f3 b8c6 f1b5");  // 24 characters
    EXPECT_EQ(LibroSql.FueraDeLibro, 1);
}
