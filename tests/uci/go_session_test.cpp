// Searches through the real binary: when nothing is answered, the depth cap, input that ends a
// search, the table kept across isready and repeated searches, and pondering (the GUI's and
// the engine's own). Every wait is for a line; the times given are
// only hang guards.
#include <gtest/gtest.h>

#include <cstring>

#include "search/limits.h"
#include "search/ordering.h"
#include "support/board_helpers.h"
#include "support/engine_process.h"
#include "uci/uci.h"

namespace {

// A middlegame where a search to any useful depth takes many seconds.
const char* const MEDIO_JUEGO = "position fen r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 9";

// The node count of the last info line of a search (ShowPv Full).
unsigned long long NodosFinales(const std::vector<std::string>& lineas) {
    unsigned long long n = 0;
    for (const auto& l : lineas)
        if (Empieza(l, "info depth ")) std::sscanf(l.c_str() + l.find(" nodes "), " nodes %llu", &n);
    return n;
}

}  // namespace

// A search without an end of its own (infinite, no usable limit, a lone mate not found) holds
// its answer past depth 63 until the GUI speaks: three isready get three readyok and the search
// goes on; then stop, another line, quit or a closed input bring the answer. Past the fifty-move limit every
// reply is a draw at once, so each search reaches depth 63 at once; a depth above 63 is capped.
TEST(GoSession, SearchesWithoutAnEndWaitForTheGui) {
    auto arrancar = [](ProcesoMotor& motor) {
        motor.Enviar({"setoption name ShowPv value Full", "position fen 8/8/4k3/8/8/3K4/8/8 w - - 100 1"});
    };
    auto sinRespuesta = [](ProcesoMotor& motor, const std::string& go) {
        SCOPED_TRACE(go);
        motor.Enviar(go);
        ASSERT_TRUE(Empieza(motor.LeerHasta("info depth 63").back(), "info depth 63"));
        for (int i = 0; i < 3; i++) motor.Enviar("isready");
        std::vector<std::string> lineas;
        for (int i = 0; i < 3; i++)
            for (const auto& l : motor.LeerHasta("readyok")) lineas.push_back(l);
        EXPECT_EQ(Contar(lineas, "readyok"), 3);
        ASSERT_EQ(Contar(lineas, "bestmove"), 0);  // else no later line would answer: end here
    };
    ProcesoMotor motor;
    arrancar(motor);
    for (const char* go : {"go", "go depth 0", "go btime 1000", "go wtime -5 btime 60000", "go movestogo 5",
                           "go depth x", "go ponder", "go mate 2", "go infinite"}) {
        ASSERT_NO_FATAL_FAILURE(sinRespuesta(motor, go));
        const std::string forma = go;
        if (forma == "go ponder") {
            // After ponderhit it is the search of a bare go, which still waits.
            motor.Enviar({"ponderhit", "isready"});
            EXPECT_EQ(Contar(motor.LeerHasta("readyok"), "bestmove"), 0);
        }
        // Any line but isready ends such a search, ponderhit included when it is not pondering:
        // the answer comes before the readyok of the isready sent after it.
        motor.Enviar({forma == "go infinite" ? "ponderhit" : "stop", "isready"});
        ASSERT_EQ(Contar(motor.LeerHasta("readyok"), "bestmove "), 1) << go;
    }
    motor.Enviar("go depth 99");
    const auto lineas = motor.LeerHasta("bestmove ");
    EXPECT_EQ(Contar(lineas, "info depth 63"), 1);
    EXPECT_EQ(Contar(lineas, "info depth 64"), 0);
    ASSERT_NO_FATAL_FAILURE(sinRespuesta(motor, "go infinite"));
    motor.Enviar("quit");
    EXPECT_EQ(Contar(motor.LeerTodo(), "bestmove "), 1);
    EXPECT_EQ(motor.Esperar(), 0);

    ProcesoMotor cerrado;
    arrancar(cerrado);
    sinRespuesta(cerrado, "go");
    cerrado.CerrarEntrada();
    EXPECT_EQ(Contar(cerrado.LeerTodo(), "bestmove "), 1);
    EXPECT_EQ(cerrado.Esperar(), 0);
}

// isready keeps what the table learnt (the same search again visits fewer nodes); after
// ucinewgame, or the Clear Hash button, the same search visits exactly the same nodes as the
// first time.
TEST(GoSession, IsreadyKeepsTheTableAndNewGamesRepeatSearchesExactly) {
    ProcesoMotor motor;
    auto nodos = [&](const char* antes) {
        motor.Enviar({antes, "setoption name ShowPv value Full", MEDIO_JUEGO, "go depth 9"});
        return NodosFinales(motor.LeerHasta("bestmove "));
    };
    const auto primera = nodos("ucinewgame");
    EXPECT_LT(nodos("isready"), primera);
    EXPECT_EQ(nodos("ucinewgame"), primera);
    EXPECT_LT(nodos("isready"), primera);
    EXPECT_EQ(nodos("setoption name Clear Hash"), primera);
}

// "go ponder": no bestmove before ponderhit or stop, even once the search has ended; isready is
// answered meanwhile (half a line waiting stops nothing); after ponderhit the search answers by
// itself; stop answers, and the game goes on.
TEST(GoSession, GuiPondering) {
    ProcesoMotor motor;
    motor.Enviar({"setoption name Ponder value true", "setoption name ShowPv value Full", MEDIO_JUEGO});
    // The depth-limited search ends and waits; the other goes on past any budget.
    for (auto [go, mas] : {std::pair{"go ponder depth 3", ""}, {"go ponder wtime 5000 btime 5000", "info depth 6"}}) {
        SCOPED_TRACE(go);
        motor.Enviar(go);
        auto lineas = motor.LeerHasta("info depth 3");
        motor.EnviarCrudo("isre");  // half a line waiting must not end the ponder search
        if (*mas)
            for (const auto& l : motor.LeerHasta(mas)) lineas.push_back(l);
        motor.EnviarCrudo("ady\n");
        for (const auto& l : motor.LeerHasta("readyok")) lineas.push_back(l);
        ASSERT_EQ(Contar(lineas, "bestmove"), 0);  // else the wait below for it would never end
        EXPECT_EQ(Contar(lineas, "readyok"), 1);
        EXPECT_TRUE(!*mas || Contar(lineas, mas) == 1) << "the search stopped before " << mas;
        motor.Enviar("ponderhit");
        EXPECT_TRUE(Empieza(motor.LeerHasta("bestmove ").back(), "bestmove "));
    }
    motor.Enviar({"go ponder wtime 5000 btime 5000", "stop"});
    EXPECT_EQ(Contar(motor.LeerHasta("bestmove "), "bestmove "), 1);
    motor.Enviar({"position startpos moves e2e4", "go depth 3"});
    const auto lineas = motor.LeerHasta("bestmove ");
    EXPECT_EQ(Contar(lineas, "bestmove "), 1);
    EXPECT_EQ(motor.Terminar(), 0);
}

// With Ponder on, a predicted reply that mates us: the search of a root without a legal move
// answers 0000 (not the earlier search's move), ponders on nothing, and leaves no stop flag
// behind (the next search would end before its first iteration, with no move either).
TEST(GoSession, NoLegalMoveAfterAPonderHit) {
    const std::string fen = "position fen 6r1/8/8/8/8/1k6/7P/K7 w - - 0 1";
    EXPECT_EQ(Sesion({"setoption name Ponder value true", "setoption name ShowPv value None", fen, "go depth 4",
                      fen + " moves a1b1 g8g1", "go depth 3", "isready", fen, "go depth 4", "quit"}),
              (std::vector<std::string>{"bestmove a1b1 ponder g8g1", "bestmove 0000", "readyok",
                                        "bestmove a1b1 ponder g8g1"}));
}

// With Ponder on the engine keeps thinking after bestmove, silently (nothing comes before the
// readyok of the next isready), and the next command stops that; the game then goes on with
// the engine's move and the predicted reply.
TEST(GoSession, OwnPonderingIsSilentAndInterruptible) {
    ProcesoMotor motor;
    motor.Enviar({"setoption name Ponder value true", "setoption name ShowPv value None", "position startpos moves e2e4",
                  "go depth 6"});
    const auto lineas = motor.LeerHasta("bestmove ");
    ASSERT_TRUE(!lineas.empty() && Empieza(lineas.back(), "bestmove "));
    const std::string respuesta = lineas.back();
    ASSERT_NE(respuesta.find(" ponder "), std::string::npos) << respuesta;
    motor.Enviar("isready");
    EXPECT_EQ(motor.LeerHasta("readyok"), std::vector<std::string>{"readyok"});
    const std::string jugada = respuesta.substr(9, respuesta.find(' ', 9) - 9);
    const std::string prediccion = respuesta.substr(respuesta.find(" ponder ") + 8);
    motor.Enviar({"position startpos moves e2e4 " + jugada + " " + prediccion, "go wtime 2000 btime 2000"});
    EXPECT_EQ(Contar(motor.LeerHasta("bestmove "), "bestmove "), 1);
    EXPECT_EQ(motor.Terminar(), 0);
}

// A position command whose last move is the predicted reply keeps the history tables; any
// other last move clears them. Only the last word on the line counts.
TEST(GoSession, PonderPredictionKeepsOrClearsTheTables) {
    TipoJuego.Ponder = 1;
    std::strcpy(TipoJuego.JugadaPonder, "e7e5");
    const std::pair<const char*, int> casos[] = {
        {"startpos moves e2e4 e7e5", 7}, {"startpos moves e2e4 e7e6", 0}, {"startpos moves e2e4 e7e5 ", 7}};
    for (auto [posicion, queda] : casos) {
        Historico_Bueno[15][10] = 7;
        Posicion(posicion);
        EXPECT_EQ(Historico_Bueno[15][10], queda) << posicion;
    }
    TipoJuego.Ponder = 0;
    TipoJuego.JugadaPonder[0] = 0;
    Historico_Bueno[15][10] = 0;
}

// A search that ends before ShowPv Middle shows anything still reports its last iteration
// before it answers; a depth limit holds beside a long clock; ShowPv None stays silent.
TEST(GoSession, TheLastIterationIsReported) {
    ProcesoMotor motor;
    motor.Enviar({MEDIO_JUEGO, "go depth 3 wtime 60000000 btime 60000000"});
    const auto lineas = motor.LeerHasta("bestmove ");
    ASSERT_GE(lineas.size(), 3u);
    EXPECT_TRUE(Empieza(lineas[lineas.size() - 3], "info depth 3 seldepth ")) << lineas[lineas.size() - 3];
    EXPECT_TRUE(Empieza(lineas[lineas.size() - 2], "info currmove ")) << lineas[lineas.size() - 2];
    for (const auto& l : lineas) EXPECT_FALSE(Empieza(l, "info depth 4")) << l;
    motor.Enviar({"setoption name ShowPv value None", "go depth 3", "isready"});
    const auto callada = motor.LeerHasta("readyok");
    EXPECT_EQ(callada.size(), 2u);
    EXPECT_TRUE(Empieza(callada[0], "bestmove ")) << callada[0];
    EXPECT_EQ(motor.Terminar(), 0);
}

// Lines a search on "go ponder" meets follow the command loop's rules: a line with a NUL byte is
// dropped and an over-long one discarded with its message, neither taken for the isready or
// ponderhit it begins with; the search goes on until the real isready and stop.
TEST(GoSession, PonderSearchDropsLinesTheLoopWouldDrop) {
    ProcesoMotor motor;
    motor.Enviar({MEDIO_JUEGO, "go ponder wtime 5000 btime 5000"});
    motor.EnviarCrudo(std::string("isready\0x\n", 10));
    motor.Enviar({"ponderhit" + std::string(70000, ' '), "isready"});
    const auto lineas = motor.LeerHasta("readyok");
    EXPECT_EQ(Contar(lineas, "readyok"), 1);
    EXPECT_EQ(Contar(lineas, "info string L\xEDnea demasiado larga descartada."), 1);
    ASSERT_EQ(Contar(lineas, "bestmove"), 0);  // else the wait below for it would never end
    motor.Enviar("stop");
    EXPECT_EQ(Contar(motor.LeerHasta("bestmove "), "bestmove "), 1);
    EXPECT_EQ(motor.Terminar(), 0);
}

// The engine's own pondering reports a mate from its own side, in its own moves, and its speed
// from its own nodes: never more than a thousand times the nodes it searched itself.
TEST(GoSession, OwnPonderingReportsMatesAndItsOwnSpeed) {
    ProcesoMotor motor;
    motor.Enviar({"setoption name Ponder value true", "setoption name ShowPv value Full",
                  "position fen k7/8/2K5/8/8/8/8/7R w - - 0 1", "go depth 3"});
    const unsigned long long antes = NodosFinales(motor.LeerHasta("bestmove "));
    motor.Enviar("isready");
    const auto lineas = motor.LeerHasta("readyok");
    int mates = 0;
    for (const auto& l : lineas) {
        unsigned long long nodos, nps;
        if (!Empieza(l, "info depth ") || std::sscanf(l.c_str() + l.find(" nodes "), " nodes %llu nps %llu", &nodos, &nps) != 2)
            continue;
        EXPECT_EQ(l.find(" pv"), std::string::npos) << l;
        EXPECT_LE(nps, (nodos - antes) * 1000) << l;
        mates += l.find(" score mate 1") != std::string::npos;
    }
    EXPECT_GT(mates, 0);
    EXPECT_EQ(motor.Terminar(), 0);
}
