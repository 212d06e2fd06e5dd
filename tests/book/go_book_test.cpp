// The book through the real binary: "go" answered from Book.db in the working directory with
// "bestmove" and the book's info line, and the cases where the engine searches instead (the
// probe itself, and books without a move, are tested in-process).
#include <gtest/gtest.h>


#include "book_files.h"
#include "support/board_helpers.h"
#include "support/engine_process.h"

namespace {
const std::string INFO_LIBRO = "info string Libro de aperturas.";
const std::string ACTIVAR = "setoption name OwnBook value true";
const std::string SIN_INFO = "setoption name ShowPv value None";  // only bestmove from a search
}  // namespace

// A book move answers at once, or on "go ponder" once ponderhit arrives (isready answered
// meanwhile); "go infinite" analyses instead. Book off, a FEN position, a game text of
// OwnBookLimit moves (its trailing blank counts), a line that ends with the game, no line, a
// next "move" that is no move or one of the wrong side: the engine searches.
TEST(GoConLibro, AnswersFromTheBookOrSearches) {
    DirectorioTemporal dir;
    CrearLibro(dir.Fichero("Book.db"), {"h2h4 h7h5", "e2e4 e7e5 g1f3 b8c6 f1b5", "e2e4 c7c5 g1f3", "d2d4 d7d5",
                                        "e2e4 e7e6 zzzz", "d2d4 d7d5 e7e5"});
    std::vector<std::string> entrada = {SIN_INFO, ACTIVAR, "position startpos", "go ponder", "isready", "ponderhit",
                                        "position startpos moves e2e4 e7e5 g1f3", "go wtime 60000 btime 60000"};
    const std::vector<std::string> busca = {"setoption name OwnBook value false", "position startpos moves e2e4", ACTIVAR,
        std::string("position fen ") + FEN_INICIAL + " moves e2e4", "setoption name OwnBookLimit value 2",
        "position startpos moves e2e4 e7e5 g1f3 b8c6 ", "setoption name OwnBookLimit value 8",
        "position startpos moves e2e4 c7c5 g1f3", "position startpos moves g1f3", "position startpos moves e2e4 e7e6",
        "position startpos moves d2d4 d7d5"};
    for (const std::string& l : busca) {
        entrada.push_back(l);
        if (Empieza(l, "position")) entrada.push_back("go depth 1");
    }
    entrada.insert(entrada.end(), {"position startpos", "go infinite", "stop"});
    const auto s = Sesion(entrada, dir.Ruta());
    ASSERT_GE(s.size(), 15u);
    EXPECT_EQ(s[0], "readyok");
    EXPECT_TRUE(s[1] == "bestmove e2e4" || s[1] == "bestmove d2d4") << s[1];
    EXPECT_EQ(std::vector<std::string>(s.begin() + 2, s.begin() + 5),
              (std::vector<std::string>{INFO_LIBRO, "bestmove b8c6", INFO_LIBRO}));
    EXPECT_EQ(Contar(s, "bestmove "), 10);
    EXPECT_EQ(Contar(s, INFO_LIBRO), 2);
    EXPECT_TRUE(Empieza(s[12], "info depth 1 ")) << s[12];  // the analysis of go infinite
}
