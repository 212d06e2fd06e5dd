// Playing through the real binary: the no-output cases, the depth cap, input that arrives
// during a search, "go infinite", movetime, and the engine's own pondering.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "search/limits.h"
#include "search/ordering.h"
#include "search/search.h"
#include "support/board_helpers.h"
#include "support/engine_process.h"
#include "uci/go.h"
#include "uci/uci.h"

namespace {

long long Ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int Contar(const std::vector<std::string>& lineas, const std::string& prefijo) {
    int n = 0;
    for (const auto& l : lineas) n += Empieza(l, prefijo);
    return n;
}

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

TEST(GoSession, NoOutputWithoutLimits) {
    int estado = -5;
    auto salida = Transcripcion({"position startpos", "go", "go depth 0", "go wtime 60000", "go wtime -5 btime 60000",
                                 "go nodes 0", "go ponder", "go movestogo 5", "isready", "quit"},
                                &estado);
    EXPECT_EQ(salida, std::vector<std::string>{"readyok"});
    EXPECT_EQ(estado, 0);
}

TEST(GoSession, DepthIsCappedAt63) {
    ProcesoMotor motor;
    motor.Enviar("setoption name ShowPv value Full");
    // Past the fifty-move limit every reply is a draw at once, so 63 iterations are quick.
    motor.Enviar("position fen 8/8/4k3/8/8/3K4/8/8 w - - 100 1");
    motor.Enviar("go depth 99");
    auto lineas = motor.LeerHasta("bestmove ", 60000);
    ASSERT_TRUE(!lineas.empty() && Empieza(lineas.back(), "bestmove "));
    int ultima = 0;
    for (const auto& l : lineas) std::sscanf(l.c_str(), "info depth %d", &ultima);
    EXPECT_EQ(ultima, 63);
}

// isready: bestmove first, then readyok; quit: bestmove, then status 0; a closed input pipe
// ends the search and the process.
TEST(GoSession, InputDuringASearchEndsIt) {
    for (const char* fin : {"isready", "quit", ""}) {
        SCOPED_TRACE(fin);
        ProcesoMotor motor;
        motor.Enviar(MEDIO_JUEGO);
        motor.Enviar("go infinite");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        if (*fin) motor.Enviar(fin);
        else motor.CerrarEntrada();
        auto lineas = *fin == 'i' ? motor.LeerHasta("readyok", 20000) : motor.LeerTodo(20000);
        EXPECT_EQ(Contar(lineas, "bestmove "), 1);
        if (*fin == 'i') {
            ASSERT_GE(lineas.size(), 2u);
            EXPECT_TRUE(Empieza(lineas[lineas.size() - 2], "bestmove "));
            EXPECT_EQ(lineas.back(), "readyok");
            motor.Enviar("quit");
        }
        EXPECT_EQ(motor.Esperar(), 0);
    }
}

TEST(GoSession, InfiniteAnswersOnlyWhenToldTo) {
    ProcesoMotor motor;
    motor.Enviar(MEDIO_JUEGO);
    motor.Enviar("go infinite");
    EXPECT_EQ(Contar(motor.LeerHasta("bestmove ", 1500), "bestmove "), 0);
    motor.Enviar("stop");
    auto lineas = motor.LeerHasta("bestmove ", 20000);
    ASSERT_FALSE(lineas.empty());
    EXPECT_TRUE(Empieza(lineas.back(), "bestmove "));
    motor.Enviar("quit");
    EXPECT_EQ(motor.Esperar(), 0);
}

// The clock rules end a search near its budget: movetime 2000 keeps a 500 ms margin.
TEST(GoSession, MovetimeIsHonoured) {
    ProcesoMotor motor;
    motor.Enviar(MEDIO_JUEGO);
    motor.Enviar("isready");
    motor.LeerHasta("readyok");
    const long long inicio = Ms();
    motor.Enviar("go movetime 2000");
    auto lineas = motor.LeerHasta("bestmove ", 20000);
    const long long usado = Ms() - inicio;
    ASSERT_TRUE(!lineas.empty() && Empieza(lineas.back(), "bestmove "));
    EXPECT_GE(usado, 1400);
    EXPECT_LT(usado, 4000);
    motor.Enviar("quit");
    EXPECT_EQ(motor.Esperar(), 0);
}

// go nodes N stops at the first check (every 2048 nodes) from N on, also when a clock allows far
// more.
TEST(GoSession, NodesLimitTheSearch) {
    EntradaEsperando = nullptr;
    for (const char* go : {"nodes 30000", "nodes 30000 wtime 600000 btime 600000"}) {
        UciNewGame();
        Posicion(MEDIO_JUEGO + std::strlen("position "));
        EXPECT_EQ(Contar(Lineas(Capturar([&] { ComandoGo(go); })), "bestmove "), 1) << go;
        EXPECT_GE(NodosUltimaBusqueda, 30000u) << go;
        EXPECT_LT(NodosUltimaBusqueda, 30000u + 2048) << go;
    }
}

// isready keeps what the table learnt: the same search again visits fewer nodes than after
// ucinewgame.
TEST(GoSession, IsreadyKeepsTheTable) {
    ProcesoMotor motor;
    auto nodos = [&](const char* antes) {
        for (const char* l : {antes, "setoption name ShowPv value Full", MEDIO_JUEGO, "go depth 9"}) motor.Enviar(l);
        return NodosFinales(motor.LeerHasta("bestmove ", 60000));
    };
    nodos("ucinewgame");
    const auto tras_isready = nodos("isready");
    EXPECT_LT(tras_isready, nodos("ucinewgame"));
}

// "go ponder": no bestmove before ponderhit or stop, even once the search has ended; isready is
// answered meanwhile. ponderhit starts the clock budget (500 ms here) from its arrival; stop
// answers at once and the game goes on.
TEST(GoSession, GuiPondering) {
    ProcesoMotor motor;
    for (const char* l : {"setoption name Ponder value true", "setoption name ShowPv value Full", MEDIO_JUEGO})
        motor.Enviar(l);
    motor.Enviar("go ponder depth 3");
    auto lineas = motor.LeerHasta("info depth 3");
    motor.Enviar("isready");
    for (const auto& l : motor.LeerHasta("readyok")) lineas.push_back(l);
    EXPECT_EQ(Contar(lineas, "bestmove"), 0);
    EXPECT_EQ(lineas.back(), "readyok");
    motor.Enviar("ponderhit");
    EXPECT_TRUE(Empieza(motor.LeerHasta("bestmove ").back(), "bestmove "));

    motor.Enviar("go ponder wtime 5000 btime 5000");
    motor.Enviar("isready");
    lineas = motor.LeerHasta("readyok");
    for (const auto& l : motor.LeerHasta("info depth 12", 60000)) lineas.push_back(l);
    EXPECT_EQ(Contar(lineas, "bestmove"), 0);
    const long long golpe = Ms();
    motor.Enviar("ponderhit");
    EXPECT_TRUE(Empieza(motor.LeerHasta("bestmove ", 20000).back(), "bestmove "));
    EXPECT_GE(Ms() - golpe, 450);

    motor.Enviar("go ponder wtime 5000 btime 5000");
    motor.Enviar("stop");
    EXPECT_EQ(Contar(motor.LeerHasta("bestmove ", 20000), "bestmove "), 1);
    motor.Enviar("position startpos moves e2e4");
    motor.Enviar("go depth 3");
    lineas = motor.LeerHasta("bestmove ", 20000);
    EXPECT_EQ(Contar(lineas, "bestmove "), 1);
    EXPECT_TRUE(Empieza(lineas.back(), "bestmove ")) << lineas.back();
    motor.Enviar("quit");
    EXPECT_EQ(motor.Esperar(), 0);
}

// With Ponder on, a predicted reply that mates us: the search of a root without a legal move
// answers no move (0000), not the earlier search's move, ponders on nothing, and the
// engine goes on.
TEST(GoSession, NoLegalMoveAfterAPonderHit) {
    const std::string fen = "position fen 6r1/8/8/8/8/1k6/7P/K7 w - - 0 1";
    int estado = -5;
    auto salida = Transcripcion({"setoption name Ponder value true", "setoption name ShowPv value None", fen, "go depth 4",
                                 fen + " moves a1b1 g8g1", "go depth 3", "isready", "quit"},
                                &estado);
    EXPECT_EQ(salida, (std::vector<std::string>{"bestmove a1b1 ponder g8g1", "bestmove 0000", "readyok"}));
    EXPECT_EQ(estado, 0);
}

// With Ponder on the engine keeps thinking after bestmove, silently, and the next command
// stops that at once; the game then goes on with the engine's move and the predicted reply.
TEST(GoSession, OwnPonderingIsSilentAndInterruptible) {
    ProcesoMotor motor;
    motor.Enviar("setoption name Ponder value true");
    motor.Enviar("setoption name ShowPv value None");
    motor.Enviar("position startpos moves e2e4");
    motor.Enviar("go wtime 2000 btime 2000");
    auto lineas = motor.LeerHasta("bestmove ", 20000);
    ASSERT_TRUE(!lineas.empty() && Empieza(lineas.back(), "bestmove "));
    const std::string respuesta = lineas.back();
    ASSERT_NE(respuesta.find(" ponder "), std::string::npos) << respuesta;
    std::string l;
    EXPECT_FALSE(motor.LeerLinea(l, 800)) << l;
    const long long inicio = Ms();
    motor.Enviar("isready");
    ASSERT_TRUE(motor.LeerLinea(l, 5000));
    EXPECT_EQ(l, "readyok");
    EXPECT_LT(Ms() - inicio, 2000);
    const std::string jugada = respuesta.substr(9, respuesta.find(' ', 9) - 9);
    const std::string prediccion = respuesta.substr(respuesta.find(" ponder ") + 8);
    motor.Enviar("position startpos moves e2e4 " + jugada + " " + prediccion);
    motor.Enviar("go wtime 2000 btime 2000");
    EXPECT_EQ(Contar(motor.LeerHasta("bestmove ", 20000), "bestmove "), 1);
    motor.Enviar("quit");
    EXPECT_EQ(motor.Esperar(), 0);
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

// A search without a move to answer (a mated root) skips pondering, and a stop flag must not
// outlive it: the next search would end before its first iteration with no move either.
TEST(GoSession, SkippedPonderLeavesNoStopFlag) {
    TipoJuego.Ponder = 1;
    TipoJuego.Parar = 1;
    std::memset(pv_line_fin, 0, sizeof pv_line_fin);
    PonderarPropiaJugada();
    EXPECT_EQ(TipoJuego.Parar, 0);
    EXPECT_EQ(TipoJuego.PonderActivo, 0);
    TipoJuego.Ponder = 0;
}

// A search that the next line stops at once still answers once, with a real move: its first
// iteration (here over 2048 nodes) always completes. Clock values at and beyond 32 bits
// overflow nothing (the sanitizer build stops on an overflow).
TEST(GoSession, CutSearchesAnswerARealMove) {
    const std::string posicion = "position fen r1b2k2/p2p1qb1/4p1p1/2pQ1p1r/P1n1P3/1pBN4/1PP1BPPP/1R2KR2 w k - 0 1";
    for (const char* go : {"depth 5", "movetime 2147483648", "movetime 2147483647",
                           "wtime 2147483647 btime 2147483647 winc 2 binc 2 movestogo 1",
                           "wtime 2147483647 btime 2147483647 winc 2147483647 binc 2147483647",
                           "wtime 2147483648 btime 2147483648 winc 2147483648 movestogo 2147483648"}) {
        int estado = -5;
        auto s = Transcripcion({posicion, std::string("go ") + go, "isready"}, &estado);
        EXPECT_EQ(estado, 0) << go;
        EXPECT_EQ(Contar(s, "bestmove "), 1) << go;
        EXPECT_EQ(Contar(s, "bestmove 0000"), 0) << go;
        EXPECT_TRUE(!s.empty() && s.back() == "readyok") << go;
    }
}
