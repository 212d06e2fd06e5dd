// The book through the real binary: "go" answered from Book.db in the working directory, the
// cases where the book must stay silent, and the OwnBook default of the "uci" reply.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "book_files.h"

namespace {

using Salida = std::vector<std::string>;

const std::string INFO_LIBRO = "info string Libro de aperturas.";
const std::string ACTIVAR = "setoption name OwnBook value true";

bool Contiene(const Salida& s, const std::string& linea) { return std::find(s.begin(), s.end(), linea) != s.end(); }

// A session whose output is read up to the "readyok" of a final "isready".
Salida Sesion(const std::string& dir, Salida lineas) {
    lineas.push_back("isready");
    int estado = -5;
    Salida s = SesionEn(dir, lineas, &estado);
    EXPECT_EQ(estado, 0);
    EXPECT_FALSE(s.empty());
    if (!s.empty() && s.back() == "readyok") s.pop_back();
    else ADD_FAILURE() << "no readyok at the end";
    return s;
}

class GoConLibro : public testing::Test {
protected:
    std::string Libro() const { return dir_.Fichero("Book.db"); }
    DirectorioTemporal dir_;
};

TEST_F(GoConLibro, StartPositionAnswersWithAFirstMoveFromTheWindow) {
    CrearLibro(Libro(), {"h2h4 h7h5", "e2e4 e7e5 g1f3", "d2d4 d7d5", "c2c4 e7e5", "g1f3 d7d5"});
    // The go parameters are not read: not even "infinite" starts a search.
    Salida s = Sesion(dir_.Ruta(), {ACTIVAR, "position startpos", "go infinite"});
    ASSERT_EQ(s.size(), 2u);
    const std::set<std::string> posibles = {"bestmove e2e4", "bestmove d2d4", "bestmove c2c4", "bestmove g1f3"};
    EXPECT_TRUE(posibles.count(s[0])) << s[0];
    EXPECT_EQ(s[1], INFO_LIBRO);
}

TEST_F(GoConLibro, AGameFollowingTheBookIsAnsweredMoveAfterMove) {
    CrearLibro(Libro(), {"e2e4 e7e5 g1f3 b8c6 f1b5", "e2e4 c7c5 g1f3 d7d6 d2d4", "d2d4 d7d5"});
    Salida s = Sesion(dir_.Ruta(), {ACTIVAR, "position startpos moves e2e4", "go wtime 60000 btime 60000",
                                    "position startpos moves e2e4 e7e5 g1f3", "go wtime 60000 btime 60000"});
    ASSERT_EQ(s.size(), 4u);
    EXPECT_TRUE(s[0] == "bestmove e7e5" || s[0] == "bestmove c7c5") << s[0];
    EXPECT_EQ(s[1], INFO_LIBRO);
    EXPECT_EQ(s[2], "bestmove b8c6");
    EXPECT_EQ(s[3], INFO_LIBRO);
}

TEST_F(GoConLibro, TheBookStaysSilentWhereItMustNotAnswer) {
    CrearLibro(Libro(), {"e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6", "e2e4 e7e5"});
    const std::string fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const std::vector<Salida> casos = {
        {"position startpos moves e2e4", "go depth 1"},  // book off
        {ACTIVAR, "position fen " + fen, "go depth 1"},
        {ACTIVAR, "position fen " + fen + " moves e2e4", "go depth 1"},
        {ACTIVAR, "setoption name OwnBookLimit value 2", "position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5",
         "go depth 1"},
        {ACTIVAR, "position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6", "go depth 1"},
        {ACTIVAR, "position startpos moves d2d4", "go depth 1"},
    };
    for (const auto& caso : casos) {
        Salida s = Sesion(dir_.Ruta(), caso);
        EXPECT_FALSE(Contiene(s, INFO_LIBRO)) << caso[caso.size() - 2];
        for (const auto& l : s) EXPECT_EQ(l.rfind("Error", 0), std::string::npos) << l;
    }
    // Within the limit the same book answers.
    Salida s = Sesion(dir_.Ruta(), {ACTIVAR, "setoption name OwnBookLimit value 2",
                                    "position startpos moves e2e4 e7e5 g1f3 b8c6", "go depth 1"});
    EXPECT_EQ(s, (Salida{"bestmove f1b5", INFO_LIBRO}));
}

TEST_F(GoConLibro, WithoutABookFileTheEngineSearchesAndLeavesAnEmptyFile) {
    Salida s = Sesion(dir_.Ruta(), {ACTIVAR, "position startpos moves e2e4", "go depth 1"});
    EXPECT_FALSE(Contiene(s, INFO_LIBRO));
    ASSERT_TRUE(std::filesystem::exists(Libro()));
    EXPECT_EQ(std::filesystem::file_size(Libro()), 0u);

    std::filesystem::remove(Libro());
    std::filesystem::create_directory(Libro());
    s = Sesion(dir_.Ruta(), {ACTIVAR, "position startpos", "go depth 1"});
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s[0], "Libro de apertura cargado: No.");
    EXPECT_FALSE(Contiene(s, INFO_LIBRO));
}

TEST_F(GoConLibro, UciOffersTheBookOnlyWhenItCanBeOpened) {
    Salida s = Sesion(dir_.Ruta(), {ACTIVAR, "uci"});
    EXPECT_TRUE(Contiene(s, "option name OwnBook type check default true"));
    EXPECT_TRUE(std::filesystem::exists(Libro()));

    std::filesystem::remove(Libro());
    std::filesystem::create_directory(Libro());
    s = Sesion(dir_.Ruta(), {ACTIVAR, "uci", "uci"});
    EXPECT_EQ(std::count(s.begin(), s.end(), "option name OwnBook type check default false"), 2);
}

}  // namespace
