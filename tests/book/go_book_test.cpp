// The book through the real binary: "go" answered from Book.db in the working directory with
// "bestmove" and the book's info line, the cases where the engine searches instead, and the
// OwnBook value of the "uci" reply.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "book_files.h"
#include "support/board_helpers.h"
#include "support/engine_process.h"

namespace {

const std::string INFO_LIBRO = "info string Libro de aperturas.";
const std::string ACTIVAR = "setoption name OwnBook value true";

// A session in the directory, ended by "isready": its output before the "readyok".
std::vector<std::string> Sesion(const DirectorioTemporal& dir, std::vector<std::string> lineas) {
    lineas.push_back("isready");
    int estado = -5;
    auto s = Transcripcion(lineas, &estado, dir.Ruta());
    EXPECT_EQ(estado, 0);
    EXPECT_TRUE(!s.empty() && s.back() == "readyok");
    if (!s.empty()) s.pop_back();
    return s;
}

bool Contiene(const std::vector<std::string>& s, const std::string& l) { return std::count(s.begin(), s.end(), l) > 0; }

}  // namespace

TEST(GoConLibro, AnswersFromTheBookOrSearches) {
    DirectorioTemporal dir;
    CrearLibro(dir.Fichero("Book.db"), {"h2h4 h7h5", "e2e4 e7e5 g1f3 b8c6 f1b5", "e2e4 c7c5 g1f3", "d2d4 d7d5",
                                        "e2e4 e7e6 zzzz", "d2d4 d7d5 e7e5"});
    // The go parameters are not read: not even "infinite" starts a search.
    auto s = Sesion(dir, {ACTIVAR, "position startpos", "go infinite", "position startpos moves e2e4 e7e5 g1f3",
                          "go wtime 60000 btime 60000"});
    ASSERT_EQ(s.size(), 4u);
    EXPECT_TRUE(s[0] == "bestmove e2e4" || s[0] == "bestmove d2d4") << s[0];
    EXPECT_EQ(s[1], INFO_LIBRO);
    EXPECT_EQ(s[2], "bestmove b8c6");
    EXPECT_EQ(s[3], INFO_LIBRO);
    // Book off, a FEN position, beyond OwnBookLimit, a line that ends with the game, no line, a
    // next "move" that is no move or one of the wrong side: the engine searches.
    const std::vector<std::vector<std::string>> casos = {
        {"position startpos moves e2e4"},
        {ACTIVAR, std::string("position fen ") + FEN_INICIAL + " moves e2e4"},
        {ACTIVAR, "setoption name OwnBookLimit value 2", "position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5"},
        {ACTIVAR, "position startpos moves e2e4 c7c5 g1f3"},
        {ACTIVAR, "position startpos moves g1f3"},
        {ACTIVAR, "position startpos moves e2e4 e7e6"},
        {ACTIVAR, "position startpos moves d2d4 d7d5"}};
    for (auto caso : casos) {
        caso.push_back("go depth 1");
        s = Sesion(dir, caso);
        ASSERT_EQ(s.size(), 1u) << caso[caso.size() - 2];
        EXPECT_TRUE(Empieza(s[0], "bestmove ")) << s[0];
    }
}

TEST(GoConLibro, WithoutABookFileTheEngineSearchesAndLeavesAnEmptyFile) {
    DirectorioTemporal dir;
    auto s = Sesion(dir, {ACTIVAR, "uci", "position startpos moves e2e4", "go depth 1"});
    EXPECT_TRUE(Contiene(s, "option name OwnBook type check default true"));
    EXPECT_FALSE(Contiene(s, INFO_LIBRO));
    ASSERT_TRUE(std::filesystem::exists(dir.Fichero("Book.db")));
    EXPECT_EQ(std::filesystem::file_size(dir.Fichero("Book.db")), 0u);
    // A book that cannot be opened: the uci reply keeps OwnBook off; go says so and searches.
    std::filesystem::remove(dir.Fichero("Book.db"));
    std::filesystem::create_directory(dir.Fichero("Book.db"));
    s = Sesion(dir, {ACTIVAR, "uci", "uci"});
    EXPECT_EQ(std::count(s.begin(), s.end(), "option name OwnBook type check default false"), 2);
    s = Sesion(dir, {ACTIVAR, "position startpos", "go depth 1"});
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0], "Libro de apertura cargado: No.");
    EXPECT_TRUE(Empieza(s[1], "bestmove ")) << s[1];
}
