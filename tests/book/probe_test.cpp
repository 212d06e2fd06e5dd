// The go handler's book probe, run in-process on books written into a temporary working
// directory: which move it answers, what it prints, and how it leaves the book.
#include <gtest/gtest.h>

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
    // The game text as the position command records it, from the start position.
    void Texto(const char* texto) {
        std::strcpy(LibroSql.TextoPartida, texto);
        LibroSql.FueraDeLibro = 0;
    }
    // A probe that must answer: its move, after checking its exact output and bookkeeping.
    std::string Jugada() {
        int r = -1;
        const std::string salida = Capturar([&] { r = BuscarJugadaLibro(); });
        EXPECT_EQ(r, 1) << salida;
        EXPECT_EQ(LibroSql.FueraDeLibro + LibroSql.TextoPartida[0], 0);
        const std::string jugada = salida.substr(9, 4);
        EXPECT_EQ(salida, "bestmove " + jugada + "\ninfo string Libro de aperturas.\n");
        return jugada;
    }
    // A probe that must leave the book, printing `salida` (nothing but for errors).
    void SinJugada(const std::string& caso, const std::string& salida = "") {
        int r = -1;
        EXPECT_EQ(Capturar([&] { r = BuscarJugadaLibro(); }), salida) << caso;
        EXPECT_EQ(r, 0) << caso;
        EXPECT_EQ(LibroSql.FueraDeLibro, 1) << caso;
        EXPECT_EQ(LibroSql.TextoPartida[0], 0) << caso;
    }
    DirectorioTemporal dir_;
    std::filesystem::path anterior_;
};

}  // namespace

// From the start position a random row of a window of 15 starting at a random offset of 1 to
// count - 1 (0 for a single row): over many probes every line but the first is chosen.
TEST_F(Sonda, StartPositionPicksFromARandomWindowOfTheTable) {
    std::vector<std::string> libro;
    for (const char* p : {"a2a3", "b2b3", "c2c3", "d2d3", "e2e3", "f2f3", "g2g3", "h2h3", "a2a4", "b2b4", "c2c4",
                          "d2d4", "e2e4", "f2f4", "g2g4", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3"})
        libro.push_back(std::string(p) + " e7e5");
    CrearLibro("Book.db", libro);
    std::set<std::string> vistas;
    for (int i = 0; i < 2000; i++) vistas.insert(Jugada());
    EXPECT_EQ(vistas.size(), 19u);
    EXPECT_EQ(vistas.count("a2a3"), 0u);
    CrearLibro("Book.db", {"c2c4 e7e5 b1c3"});
    EXPECT_EQ(Jugada(), "c2c4");
}

// After moves: a random one of the matching rows (at most the first 15), the board untouched;
// the position command from the start position lets the game into the book again (the games
// without a book move are played through the binary).
TEST_F(Sonda, PrefixProbeChoosesAmongTheLinesThatFollowTheGame) {
    CrearLibro("Book.db", {"e2e4 e7e5 g1f3 b8c6", "d2d4 d7d5 c2c4", "e2e4 c7c5 g1f3 d7d6", "e2e3 d7d5",
                           "e2e4 e7e6 d2d4", "e2e4 e7e5 f1c4", "d2d4"});
    Posicion("startpos moves e2e4");
    const Instantanea antes = Tomar();
    std::set<std::string> vistas;
    for (int i = 0; i < 200; i++) {
        Posicion("startpos moves e2e4");
        vistas.insert(Jugada());
    }
    EXPECT_EQ(vistas, (std::set<std::string>{"e7e5", "c7c5", "e7e6"}));
    EXPECT_TRUE(Tomar() == antes) << "the probe must not touch the board";
    Posicion("startpos moves d2d4");
    EXPECT_EQ(Jugada(), "d7d5");
    // Twenty lines after 1.e4, one per black reply: only the first fifteen rows are candidates.
    Posicion("startpos moves e2e4");
    const std::vector<std::string> respuestas = JugadasLegales();
    std::vector<std::string> libro;
    for (const auto& r : respuestas) libro.push_back("e2e4 " + r);
    CrearLibro("Book.db", libro);
    vistas.clear();
    for (int i = 0; i < 400; i++) {
        Posicion("startpos moves e2e4");
        vistas.insert(Jugada());
    }
    EXPECT_EQ(vistas, std::set<std::string>(respuestas.begin(), respuestas.begin() + 15));
}

// Lines over 100 characters are left out; only whole four-character moves are answered; moves
// match without regard to case (an upper-case move is no move); trailing blanks of the game text
// are ignored. Texts a GUI could send must neither change the statement nor act as LIKE
// wildcards: fifteen lines after 1.e4 come first, which a wildcard would fetch instead of the
// lines that hold the characters literally.
TEST_F(Sonda, LineFormatsAndHostileTexts) {
    std::string cien = "e2e4 c7c5";
    while (cien.size() < 100) cien += " g1f3";
    cien.resize(99);
    cien += "x";  // exactly 100 characters
    std::string largo = "e2e4 e7e5";
    while (largo.size() <= 100) largo += " g1f3";
    Posicion("startpos moves e2e4");
    std::vector<std::string> hostil;
    for (const auto& r : JugadasLegales())
        if (hostil.size() < 15) hostil.push_back("e2e4 " + r);
    for (const char* l : {"e2%4 g8f6", "e_e4 b8c6", "a\\b4 h7h6", "it's e7e6"}) hostil.push_back(l);
    using Casos = std::vector<std::pair<const char*, const char*>>;  // game text, move or none
    const std::pair<std::vector<std::string>, Casos> libros[] = {
        {{largo, cien, largo}, {{"e2e4", "c7c5"}, {"e2e4", "c7c5"}, {"e2e4", "c7c5"}}},
        {{largo, "e2e3 e7e", "d2d4 d7d5q", "c2c4e7e5", "E2E4 c7c5 G1F3"},
         {{"e2e3", nullptr}, {"d2d4", nullptr}, {"c2c", nullptr}, {"e2e4", "c7c5"}, {"e2e4 C7C5", nullptr}, {"e2e4 ", "c7c5"}}},
        {{"c2c4e7e5"}, {{"", nullptr}}},
        {hostil, {{"e2%4", "g8f6"}, {"e_e4", "b8c6"}, {"a\\b4", "h7h6"}, {"it's", "e7e6"}, {"e2%4", "g8f6"}}},
    };
    for (const auto& [libro, casos] : libros) {
        CrearLibro("Book.db", libro);
        for (auto [texto, jugada] : casos) {
            Texto(texto);
            if (jugada) EXPECT_EQ(Jugada(), jugada) << texto;
            else SinJugada(texto);
        }
    }
    for (const char* h : {"e2e4' OR '1'='1", "%e4", "_2e4", "e2e4\\", "a\\", "'; DROP TABLE Book; --", "it",
                          "' UNION SELECT 'e2e4 a7a6' --"}) {
        Texto(h);
        SinJugada(h);
        ASSERT_EQ(FilasLibro("Book.db"), int(hostil.size())) << h;
    }
}

// An empty table, no table, no file (an empty Book.db is left behind), a statement that fails
// while being stepped, a book that cannot be opened.
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
