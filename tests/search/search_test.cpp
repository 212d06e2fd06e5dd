// The search as a whole: tactical soundness, mates and draws at the root and inside the tree,
// the iteration and mate-stop rules of the driver, the stop protocol, and a board left as found.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <random>

#include "search/search.h"
#include "search/search_helpers.h"
#include "search/tt.h"
#include "uci/limits.h"
#include "uci/uci.h"

namespace {

bool EsLegal(const std::string& jugada) {
    auto legales = JugadasLegales();
    return std::find(legales.begin(), legales.end(), jugada) != legales.end();
}

}  // namespace

TEST(Aspiracion, WindowsWidenFourfoldThenOpenFully) {
    const int esperado[4][2] = {{15, 65}, {-60, 140}, {-360, 440}, {-32000, 32000}};
    for (int intento = 0; intento < 4; intento++) {
        int a = 0, b = 0;
        VentanaAspiracion(40, intento, a, b);
        EXPECT_EQ(a, esperado[intento][0]) << intento;
        EXPECT_EQ(b, esperado[intento][1]) << intento;
    }
    int a = 0, b = 0;
    VentanaAspiracion(-500, 1, a, b);
    EXPECT_EQ(a, -600);
    EXPECT_EQ(b, -400);
}

TEST(Tactica, FindsMatesAtModestDepth) {
    struct Caso {
        const char* fen;
        const char* clave;
        const char* mate;
        int profundidad;
    };
    const Caso casos[] = {
        {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "d1d8", "mate 1", 3},
        {"r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1", "d5f6", "mate 2", 6},
        {"6k1/pp4p1/2p5/2bp4/8/P5Pb/1P3rrP/2BRRN1K b - - 0 1", "g2g1", "mate 2", 6},
        {"2rr3k/pp3pp1/1nnqbN1p/3pN3/2pP4/2P3Q1/PPB4P/R4RK1 w - - 0 1", "g3g6", "mate 2", 6},
        {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", "f6a6", "mate 3", 9},
        {"r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq - 0 1", "f8c5", "mate 3", 9},
    };
    for (const auto& c : casos) {
        auto r = BuscarEn(std::string("fen ") + c.fen, c.profundidad);
        EXPECT_EQ(r.mejor, c.clave) << c.fen;
        EXPECT_EQ(r.ultimaPuntuacion, c.mate) << c.fen;
    }
}

TEST(Tactica, WinsMaterial) {
    struct Caso {
        const char* fen;
        const char* clave;
    };
    const Caso casos[] = {
        {"4k3/8/8/3q4/8/8/8/3RK3 w - - 0 1", "d1d5"},                                // a queen left hanging
        {"4k3/8/8/1N1q4/8/8/8/4K3 w - - 0 1", "b5c7"},                               // knight fork
        {"4k3/pp6/8/8/3n4/8/PP1P4/R3K3 b - - 0 1", "d4c2"},                          // king and rook forked
    };
    for (const auto& c : casos) {
        auto r = BuscarEn(std::string("fen ") + c.fen, 6);
        EXPECT_EQ(r.mejor, c.clave) << c.fen;
    }
}

TEST(Raiz, MatedOrStalematedRootReportsMoveZero) {
    // Fool's mate: White is mated. The score is "mated now"; the move word 0 prints as a8a8.
    auto mate = BuscarEn("startpos moves f2f3 e7e5 g2g4 d8h4", 8);
    EXPECT_EQ(mate.mejor, "a8a8");
    EXPECT_EQ(mate.ponder, "");
    EXPECT_EQ(mate.ultimaPuntuacion, "mate 0");
    // Two mate scores in a row end the search after the third iteration, unprinted.
    EXPECT_EQ(mate.profundidades, (std::vector<int>{1, 2}));

    auto ahogado = BuscarEn("fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 7);
    EXPECT_EQ(ahogado.mejor, "a8a8");
    EXPECT_EQ(ahogado.ultimaPuntuacion, "cp 0");
    EXPECT_EQ(ahogado.profundidades, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(Driver, RunsExactlyTheRequestedIterations) {
    auto r = BuscarEn("startpos", 3);
    EXPECT_EQ(r.profundidades, (std::vector<int>{1, 2, 3}));
    // Each iteration prints its two lines, then the final line.
    ASSERT_EQ(r.lineas.size(), 7u);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(r.lineas[2 * i].rfind("info depth ", 0), 0u);
        EXPECT_EQ(r.lineas[2 * i + 1].rfind("info currmove ", 0), 0u);
    }
    EXPECT_EQ(r.lineas[6].rfind("bestmove ", 0), 0u);
}

TEST(Driver, MateStopUnlessInfinite) {
    // Mate in one is seen from depth 1 on: depth 3 repeats the mate and ends the search.
    auto r = BuscarEn("fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 10);
    EXPECT_EQ(r.profundidades, (std::vector<int>{1, 2}));
    EXPECT_EQ(r.mejor, "d1d8");
    auto inf = BuscarEn("fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 6, 0, 1);
    EXPECT_EQ(inf.profundidades, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(inf.mejor, "d1d8");
}

TEST(Driver, ShowPvNoneOnlyPrintsBestmove) {
    auto r = BuscarEn("startpos", 4, 0);
    ASSERT_EQ(r.lineas.size(), 1u);
    EXPECT_EQ(r.lineas[0].rfind("bestmove ", 0), 0u);
    // Middle: a short search prints no info lines either.
    auto m = BuscarEn("startpos", 3, 1);
    EXPECT_EQ(m.lineas.size(), 1u);
}

TEST(Tablas, RepetitionIsADrawInsideTheTree) {
    // Black is a queen down; going back to g8 repeats the position after e8d8, so that
    // move scores 0 and is best. With a short clock the same line is no draw.
    const std::string base = "fen 4k1n1/pppppppp/8/8/8/8/PPPPPPPP/3QK1N1 b - - ";
    auto r = BuscarEn(base + "10 1 moves e8d8 g1f3 g8f6 f3g1", 6);
    EXPECT_EQ(r.mejor, "f6g8");
    EXPECT_EQ(r.ultimaPuntuacion, "cp 0");
}

TEST(Tablas, FiftyMoveRuleAfterHundredAndOnePlies) {
    // Black is a queen down and has only quiet king and knight moves.
    const std::string fen = "fen 4k1n1/8/8/8/8/8/P7/3QK3 b - - ";
    auto cien = BuscarEn(fen + "100 1", 5);
    EXPECT_EQ(cien.ultimaPuntuacion, "cp 0");  // every reply makes 101 reversible plies
    auto noventaynueve = BuscarEn(fen + "99 1", 5);
    // After 100 plies it is not yet a draw: White resets the clock with a2a3 and stays a queen up.
    ASSERT_EQ(noventaynueve.ultimaPuntuacion.rfind("cp -", 0), 0u) << noventaynueve.ultimaPuntuacion;
    EXPECT_LT(std::stoi(noventaynueve.ultimaPuntuacion.substr(3)), -300);
}

TEST(Busqueda, BoardAndPlyRestoredAndBestmoveLegalOnRandomPositions) {
    std::mt19937 azar(12345);
    int buscadas = 0;
    for (int partida = 0; partida < 40; partida++) {
        // A random game of 4 to 60 plies from the start position.
        UciNewGame();
        std::string jugadas;
        const int plies = 4 + int(azar() % 57);
        for (int p = 0; p < plies; p++) {
            auto legales = JugadasLegales();
            if (legales.empty()) break;
            const std::string j = legales[azar() % legales.size()];
            ASSERT_TRUE(Jugar(j));
            jugadas += " " + j;
        }
        const std::string posicion = "startpos moves" + jugadas;
        Posicion(posicion);
        const bool sinJugadas = JugadasLegales().empty();
        TableroGlobal.Ply = 0;  // the driver searches from ply 0
        const Instantanea antes = Tomar();
        SondearEntrada = false;
        TipoJuego.ProfundidadMaxima = 1 + partida % 4;
        TipoJuego.ShowPv = 0;
        TipoJuego.Ponder = 0;
        TipoJuego.Infinito = 0;
        const auto r = Analizar(Capturar([] { Buscar(); }));
        EXPECT_TRUE(Tomar() == antes) << posicion;
        EXPECT_EQ(TableroGlobal.Ply, 0);
        if (sinJugadas) {
            EXPECT_EQ(r.mejor, "a8a8") << posicion;
        } else {
            EXPECT_TRUE(EsLegal(r.mejor)) << posicion << " -> " << r.mejor;
            if (!r.ponder.empty()) {
                ASSERT_TRUE(Jugar(r.mejor));
                EXPECT_TRUE(EsLegal(r.ponder)) << posicion << " -> " << r.mejor << " " << r.ponder;
                DeshacerMovimiento();
            }
        }
        buscadas++;
    }
    EXPECT_EQ(buscadas, 40);
}

TEST(Busqueda, PonderMoveOfASecondSearchIsLegal) {
    // With Ponder on nothing is cleared between searches; a line left from the first search
    // must not leak into the second one's ponder move.
    SondearEntrada = false;
    UciNewGame();
    Posicion("startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6");
    TipoJuego.Ponder = 1;
    TipoJuego.PonderActivo = 0;
    TipoJuego.ShowPv = 0;
    TipoJuego.ProfundidadMaxima = 7;
    Capturar([] { Buscar(); });
    // A quite different position, searched only to depth 1.
    Posicion("fen 4k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
    TipoJuego.ProfundidadMaxima = 1;
    const auto r = Analizar(Capturar([] { Buscar(); }));
    TipoJuego.Ponder = 0;
    ASSERT_TRUE(EsLegal(r.mejor)) << r.mejor;
    if (!r.ponder.empty()) {
        ASSERT_TRUE(Jugar(r.mejor));
        EXPECT_TRUE(EsLegal(r.ponder)) << r.mejor << " ponder " << r.ponder;
    }
    UciNewGame();
}

TEST(Busqueda, PonderEndings) {
    SondearEntrada = false;
    // A ponder search prints nothing, remembers its move and clears the ponder state.
    UciNewGame();
    Posicion("fen 6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1");
    TipoJuego.Ponder = 1;
    TipoJuego.PonderActivo = 1;
    TipoJuego.ShowPv = 0;
    TipoJuego.ProfundidadMaxima = 4;
    EXPECT_EQ(Capturar([] { Buscar(); }), "");
    EXPECT_STREQ(TipoJuego.JugadaPonder, "d1d8");
    EXPECT_EQ(TipoJuego.PonderActivo, 0);
    EXPECT_EQ(TipoJuego.Parar, 0);

    // A normal search with Ponder on answers and remembers its move; the line stays.
    TipoJuego.PonderActivo = 0;
    EXPECT_EQ(Capturar([] { Buscar(); }), "bestmove d1d8\n");
    EXPECT_STREQ(TipoJuego.JugadaPonder, "d1d8");
    EXPECT_NE(pv_line_fin[0], 0u);

    // With Ponder off the prediction is cleared and so are the search tables.
    TipoJuego.Ponder = 0;
    EXPECT_EQ(Capturar([] { Buscar(); }), "bestmove d1d8\n");
    EXPECT_STREQ(TipoJuego.JugadaPonder, "");
    EXPECT_EQ(pv_line_fin[0], 0u);
    EXPECT_EQ(TipoJuego.Nodos, 0u);
}

TEST(Parada, InputWaitingStopsAtTheFirstCheckAndKeepsTheLastIteration) {
    // Put a byte on standard input: the check every 2048 nodes sees it and stops the search.
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    ASSERT_EQ(write(tubo[1], "x", 1), 1);
    const int original = dup(0);
    ASSERT_GE(original, 0);
    ASSERT_GE(dup2(tubo[0], 0), 0);

    UciNewGame();
    Posicion("fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    SondearEntrada = true;
    TipoJuego.ProfundidadMaxima = 63;
    TipoJuego.ShowPv = 2;
    TipoJuego.Ponder = 0;
    TipoJuego.Infinito = 0;
    const Instantanea antes = Tomar();
    const auto r = Analizar(Capturar([] { Buscar(); }));
    SondearEntrada = false;
    dup2(original, 0);
    close(original);
    close(tubo[0]);
    close(tubo[1]);

    // Nothing is searched once the flag is up: the count stops at the check.
    EXPECT_EQ(NodosUltimaBusqueda, 2048u);
    EXPECT_TRUE(Tomar() == antes);
    // The interrupted iteration reports the last completed depth again, and its move is played.
    ASSERT_GE(r.profundidades.size(), 2u);
    const int ultima = r.profundidades.back();
    EXPECT_EQ(r.profundidades[r.profundidades.size() - 2], ultima);
    EXPECT_TRUE(EsLegal(r.mejor));
    const auto completa = BuscarEn("fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                                   ultima, 0);
    EXPECT_EQ(r.mejor, completa.mejor);
}

TEST(Parada, StopBeforeTheFirstIterationAnswersMoveZero) {
    SondearEntrada = false;
    UciNewGame();
    TipoJuego.ShowPv = 0;
    TipoJuego.Parar = 1;
    EXPECT_EQ(Capturar([] { Buscar(); }), "bestmove a8a8\n");
    EXPECT_EQ(TipoJuego.Parar, 0);  // the end-of-search reset
}
