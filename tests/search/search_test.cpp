// The search: mates and draws at the root and inside the tree, the driver's iteration
// and mate-stop rules, single nodes of the two searches, and the stop protocol.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "eval/eval.h"
#include "search/limits.h"
#include "search/search.h"
#include "search/search_helpers.h"
#include "search/tt.h"
#include "support/engine_process.h"
#include "uci/uci.h"

namespace {

const char* const MATE_EN_1 = "fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1";

}  // namespace

// A mated root answers no move (0000) with "mate 0", and two mate scores in a row end the
// search after the third iteration, unprinted; a stalemated root scores 0 at every depth.
// Depth 3: three iterations of two lines each, then bestmove; an infinite search does not stop
// at a mate.
TEST(Driver, IterationsRootsWithoutMovesAndTheMateStop) {
    auto mate = BuscarEn("startpos moves f2f3 e7e5 g2g4 d8h4", 8);
    EXPECT_EQ(mate.mejor, "0000");
    EXPECT_EQ(mate.ponder, "");
    EXPECT_EQ(mate.ultimaPuntuacion, "mate 0");
    EXPECT_EQ(mate.profundidades, (std::vector<int>{1, 2}));
    auto ahogado = BuscarEn("fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 7);
    EXPECT_EQ(ahogado.mejor, "0000");
    EXPECT_EQ(ahogado.ultimaPuntuacion, "cp 0");
    EXPECT_EQ(ahogado.profundidades, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    auto r = BuscarEn("startpos", 3);
    EXPECT_EQ(r.profundidades, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(r.lineas.size(), 7u);
    for (int i = 0; i < 3; i++) EXPECT_TRUE(Empieza(r.lineas[2 * i + 1], "info currmove ")) << i;
    EXPECT_EQ(BuscarEn(MATE_EN_1, 10).profundidades, (std::vector<int>{1, 2}));
    EXPECT_EQ(BuscarEn(MATE_EN_1, 6, 0, 1).profundidades, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

// Repetitions need one earlier occurrence within the reversible plies: of a game position (the
// clock at 0, or right after a capture; through the binary) or of a position inside the tree
// (a perpetual check saves the side a rook down). After 100 reversible plies every reply is a
// draw; after 99 White can still reset the clock and stays a queen up.
TEST(Tablas, RepetitionsAndTheFiftyMoveRule) {
    ProcesoMotor motor;  // the game as a GUI sets it up
    motor.Enviar("setoption name ShowPv value Full");
    for (const char* partida : {"4k1n1/pppppppp/8/8/8/8/PPPPPPPP/3QK1N1 b - - 0 1 moves e8d8 g1f3 g8f6 f3g1",
                                "4k1n1/ppppPppp/8/8/8/8/PPPP1PPP/3QK1N1 b - - 7 1 moves e8e7 g1f3 g8f6 f3g1"}) {
        motor.Enviar(std::string("position fen ") + partida + "\ngo depth 6");
        std::string salida;
        for (const auto& l : motor.LeerHasta("bestmove ")) salida += l + "\n";
        const auto r = Analizar(salida);
        EXPECT_EQ(r.mejor, "f6g8") << partida;
        EXPECT_EQ(r.ultimaPuntuacion, "cp 0") << partida;
    }
    const auto perpetuo = BuscarEn("fen 6k1/6p1/8/8/8/8/rrr2PPP/4Q1K1 w - - 0 1", 4);
    EXPECT_EQ(perpetuo.mejor, "e1e8");
    EXPECT_EQ(perpetuo.ultimaPuntuacion, "cp 0");
    const std::string fen = "fen 4k1n1/8/8/8/8/8/P7/3QK3 b - - ";
    EXPECT_EQ(BuscarEn(fen + "100 1", 5).ultimaPuntuacion, "cp 0");
    const std::string p99 = BuscarEn(fen + "99 1", 5).ultimaPuntuacion;
    ASSERT_TRUE(Empieza(p99, "cp -")) << p99;
    EXPECT_LT(std::stoi(p99.substr(3)), -300);
}

#ifdef VEMSUL_CHECK_BOARD
// Moves passed over unmade must leave everything as making and unmaking them would, the
// repetition list included: long games searched with every such move made count the same
// nodes. The games: knights out and back with a pair of pawn moves every 98 plies, then some
// development and castling; the longer one fills the list.
TEST(Busqueda, ShortcutsCountTheSameNodesInLongGames) {
    const char* const peones[] = {"a2a3 a7a6", "h2h3 h7h6", "b2b3 b7b6", "g2g3 g7g6", "a3a4 a6a5", "h3h4 h6h5"};
    const std::string desarrollo = " e2e3 e7e6 f1d3 f8d6 b1c3 b8c6 c1b2 c8b7 d1e2 d8e7 e1c1 e8c8";
    for (int plies : {320, 600}) {
        std::string partida = "startpos moves";
        for (int i = 0, n = 12; n < plies; i++) {
            std::istringstream in(i % 25 == 24 ? peones[i / 25] : "g1f3 g8f6 f3g1 f6g8");
            for (std::string j; n < plies && in >> j; n++) partida += " " + j;
        }
        partida += desarrollo;
        unsigned long long nodos[2];
        for (bool atajos : {false, true}) {
            AtajosActivos = atajos;
            BuscarEn(partida, 9, 0);
            nodos[atajos] = NodosUltimaBusqueda;
        }
        EXPECT_EQ(Salir, 0);
        EXPECT_EQ(nodos[0], nodos[1]) << plies;
    }
}
#endif

// Single nodes called directly; scores compared with the evaluation of the same position.
class Nodo : public ::testing::Test {
protected:
    void SetUp() override {
        EntradaEsperando = nullptr;
        UciNewGame();
    }
    void TearDown() override {
        TableroGlobal.Ply = 0;
        UciNewGame();
    }
};

// Mate scores count plies from the root; check nodes never stop at the quiescence budget and
// search every evasion (a quiet king step escapes where the only capture does not: no false
// mate); at ply 63 the evaluation comes back even in check; past the fifty-move limit every
// node below the root is a draw.
TEST_F(Nodo, MatesEvasionsAndDraws) {
    const int INF = VALOR_INFINITO;
    PonerFen("6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1");
    EXPECT_EQ(AlphaBeta_Pv(2, -INF, INF, 0, 0, 0), VALOR_MATE - 1);
    ASSERT_TRUE(JugarTexto("d1d8"));
    EXPECT_EQ(AlphaBeta_Pv(2, -INF, INF, 1, 0, 0), 1 - VALOR_MATE);
    EXPECT_EQ(AlphaBeta_Qs(-3, -INF, INF, 1), 1 - VALOR_MATE);
    PonerFen("4r1k1/8/8/8/8/2p5/8/1N2K3 w - - 0 1");
    TableroGlobal.Ply = 1;
    EXPECT_GT(AlphaBeta_Qs(0, -INF, INF, 1), -UMBRAL_MATE);
    PonerFen("rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3");
    TableroGlobal.Ply = 63;
    ResultadoEval re;
    const int e = Evaluar(&re);
    EXPECT_EQ(AlphaBeta_Qs(8, -INF, INF, 1), e);
    EXPECT_EQ(AlphaBeta_Pv(5, -INF, INF, 1, 0, 0), e);
    TableroGlobal.Ply = 5;
    EXPECT_EQ(AlphaBeta_Qs(8, -INF, INF, 1), 5 - VALOR_MATE);
    PonerFen("4k3/8/8/3q4/8/8/3Q4/4K3 w - - 100 1");
    TableroGlobal.Regla50 = 101;  // one more reversible ply (a FEN caps the clock at 100)
    TableroGlobal.Ply = 1;
    EXPECT_EQ(AlphaBeta_Pv(3, -100, 100, 0, 0, 0), 0);
    EXPECT_EQ(AlphaBeta_Qs(8, -100, 100, 0), 0);
}

// A line waiting on standard input stops the search at the first check (2048 nodes) without
// searching further; the interrupted iteration reports the last completed depth again, whose
// move is played.
TEST(Parada, InputWaitingStopsAtTheFirstCheckAndKeepsTheLastIteration) {
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    ASSERT_EQ(write(tubo[1], "x\n", 2), 2);
    const int original = dup(0);
    ASSERT_GE(dup2(tubo[0], 0), 0);
    IniciarLector();
    char linea[8];
    ASSERT_EQ(MirarLinea(linea, sizeof linea, true), 1);  // the reader has queued it
    const std::string kiwipete = "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
    UciNewGame();
    Posicion(kiwipete);
    EntradaEsperando = EntradaUci;
    TipoJuego.ProfundidadMaxima = 63;
    TipoJuego.ShowPv = 2;
    TipoJuego.Ponder = TipoJuego.Infinito = 0;
    const Instantanea antes = Tomar();
    const auto r = Analizar(Capturar([] { Buscar(); }));
    EntradaEsperando = nullptr;
    dup2(original, 0);
    close(original);
    close(tubo[0]);
    close(tubo[1]);
    EXPECT_EQ(NodosUltimaBusqueda, 2048u);
    EXPECT_TRUE(Tomar() == antes);
    ASSERT_GE(r.profundidades.size(), 2u);
    const int ultima = r.profundidades.back();
    EXPECT_EQ(r.profundidades[r.profundidades.size() - 2], ultima);
    EXPECT_EQ(r.mejor, BuscarEn(kiwipete, ultima, 0).mejor);
}
