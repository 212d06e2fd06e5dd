// The perft command: published counts with their last-ply breakdown, the exact output
// format, refusals, and a comparison with a reference engine on many random positions.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>

#include "support/board_helpers.h"
#include "support/engine_process.h"
#include "uci/limits.h"
#include "uci/uci.h"

namespace {

struct Resultado {
    long long nodos = -1;
    int capturas = 0, alPaso = 0, coronaciones = 0, enroques = 0;
    std::map<std::string, long long> divide;
    std::vector<std::string> lineas;
};

Resultado Perft(const std::string& posicion, int profundidad) {
    Posicion(posicion);
    Resultado r;
    r.lineas = Lineas(Capturar([&] { ComandoPerft(std::to_string(profundidad).c_str()); }));
    for (const auto& l : r.lineas) {
        long long v;
        char mov[8];
        if (std::sscanf(l.c_str(), "Nodos: %lld", &v) == 1) {
            r.nodos = v;
        } else if (std::sscanf(l.c_str(), "Capturas: %lld", &v) == 1) {
            r.capturas = int(v);
        } else if (std::sscanf(l.c_str(), "Captura Ep: %lld", &v) == 1) {
            r.alPaso = int(v);
        } else if (std::sscanf(l.c_str(), "Coronacion: %lld", &v) == 1) {
            r.coronaciones = int(v);
        } else if (std::sscanf(l.c_str(), "Enroques: %lld", &v) == 1) {
            r.enroques = int(v);
        } else if (std::sscanf(l.c_str(), "%7[a-h1-8nbrq]: %lld", mov, &v) == 2) {
            r.divide[mov] = v;
        }
    }
    return r;
}

struct Caso {
    const char* posicion;
    int profundidad;
    long long nodos;
    int capturas, alPaso, enroques, coronaciones;  // -1: not published
};

const char* const KIWIPETE = "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
const char* const POS3 = "fen 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1";
const char* const POS4 = "fen r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1";
const char* const POS5 = "fen rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8";
const char* const POS6 = "fen r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10";

void Comprobar(const Caso& c) {
    Resultado r = Perft(c.posicion, c.profundidad);
    EXPECT_EQ(r.nodos, c.nodos) << c.posicion << " depth " << c.profundidad;
    if (c.capturas >= 0) {
        EXPECT_EQ(r.capturas, c.capturas) << c.posicion;
    }
    if (c.alPaso >= 0) {
        EXPECT_EQ(r.alPaso, c.alPaso) << c.posicion;
    }
    if (c.enroques >= 0) {
        EXPECT_EQ(r.enroques, c.enroques) << c.posicion;
    }
    if (c.coronaciones >= 0) {
        EXPECT_EQ(r.coronaciones, c.coronaciones) << c.posicion;
    }
    long long suma = 0;
    for (auto& [m, n] : r.divide) suma += n;
    EXPECT_EQ(suma, c.nodos) << "divide lines must add up";
}

}  // namespace

TEST(Perft, KnownCounts) {
    const Caso casos[] = {
        {"startpos", 1, 20, 0, 0, 0, 0},
        {"startpos", 2, 400, 0, 0, 0, 0},
        {"startpos", 3, 8902, 34, 0, 0, 0},
        {"startpos", 4, 197281, 1576, 0, 0, 0},
        {KIWIPETE, 1, 48, 8, 0, 2, 0},
        {KIWIPETE, 2, 2039, 351, 1, 91, 0},
        {KIWIPETE, 3, 97862, 17102, 45, 3162, 0},
        {POS3, 1, 14, -1, -1, -1, -1},
        {POS3, 2, 191, -1, -1, -1, -1},
        {POS3, 3, 2812, -1, -1, -1, -1},
        {POS3, 4, 43238, -1, -1, -1, -1},
        {POS4, 1, 6, -1, -1, -1, -1},
        {POS4, 2, 264, -1, -1, -1, -1},
        {POS4, 3, 9467, -1, -1, -1, -1},
        {POS5, 1, 44, -1, -1, -1, -1},
        {POS5, 2, 1486, -1, -1, -1, -1},
        {POS5, 3, 62379, -1, -1, -1, -1},
        {POS6, 1, 46, -1, -1, -1, -1},
        {POS6, 2, 2079, -1, -1, -1, -1},
        {POS6, 3, 89890, -1, -1, -1, -1},
        {"fen R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1", 1, 218, -1, -1, -1, -1},
    };
    for (const auto& c : casos) Comprobar(c);
}

TEST(PerftSlow, DeepCounts) {
    const Caso casos[] = {
        {"startpos", 5, 4865609, 82719, 258, 0, 0},
        {"startpos", 6, 119060324, 2812008, 5248, 0, 0},
        {KIWIPETE, 4, 4085603, 757163, 1929, 128013, 15172},
        {POS3, 5, 674624, -1, -1, -1, -1},
        {POS3, 6, 11030083, -1, -1, -1, -1},
        {POS4, 4, 422333, -1, -1, -1, -1},
        {POS4, 5, 15833292, -1, -1, -1, -1},
        {POS5, 4, 2103487, -1, -1, -1, -1},
        {POS6, 4, 3894594, -1, -1, -1, -1},
    };
    for (const auto& c : casos) Comprobar(c);
}

TEST(Perft, OutputFormatAndBoardLeftAsItWas) {
    Posicion("startpos");
    Instantanea antes = Tomar();
    auto lineas = Lineas(Capturar([] { ComandoPerft(" 1"); }));
    EXPECT_TRUE(Tomar() == antes);
    ASSERT_EQ(lineas.size(), 29u);
    EXPECT_EQ(lineas[0], "Nodos: 20");
    EXPECT_EQ(lineas[1], "Capturas: 0");
    EXPECT_EQ(lineas[2], "Captura Ep: 0");
    EXPECT_EQ(lineas[3], "Coronacion: 0");
    EXPECT_EQ(lineas[4], "Enroques: 0");
    EXPECT_EQ(lineas[5].rfind("Tiempo(ms): ", 0), 0u);
    EXPECT_EQ(lineas[6].rfind("Nps: ", 0), 0u);
    EXPECT_EQ(lineas[7], "Divide");
    EXPECT_EQ(lineas[8], "------------------------------");
    EXPECT_EQ(lineas[9], "g1h3: 1");
    EXPECT_EQ(lineas[10], "g1f3: 1");
    EXPECT_EQ(lineas[28], "a2a4: 1");

    // Promotions are listed queen, rook, bishop, knight.
    Resultado r = Perft("fen 7k/P7/8/8/8/8/8/K7 w - - 0 1", 1);
    auto q = std::find(r.lineas.begin(), r.lineas.end(), "a7a8q: 1");
    ASSERT_NE(q, r.lineas.end());
    EXPECT_EQ(*(q + 1), "a7a8r: 1");
    EXPECT_EQ(*(q + 2), "a7a8b: 1");
    EXPECT_EQ(*(q + 3), "a7a8n: 1");
}

TEST(Perft, RefusalsAndEmptyCounts) {
    Posicion("startpos");
    for (const char* arg : {"", "x3", "0", "64", "3x", "-1", "99999999999999999999"})
        EXPECT_EQ(Capturar([&] { ComandoPerft(arg); }), "") << "perft " << arg;

    // Mated: every root move is illegal, nothing below, an empty divide list.
    Resultado r = Perft("fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", 3);
    EXPECT_EQ(r.nodos, 0);
    EXPECT_TRUE(r.divide.empty());
    EXPECT_EQ(r.lineas.back(), "------------------------------");

    // A stop flag left set counts nothing.
    TipoJuego.Parar = 1;
    r = Perft("startpos", 2);
    TipoJuego.Parar = 0;
    EXPECT_EQ(r.nodos, 0);
}

// Divide lists of a few hundred positions reached by random play, against the reference engine.
TEST(PerftSlow, AgreesWithReferenceEngine) {
    const std::string referencia = "/usr/games/stockfish";
    if (access(referencia.c_str(), X_OK) != 0) GTEST_SKIP() << "no reference engine installed";
    ProcesoMotor sf({}, "", referencia);
    std::mt19937 azar(12345);
    const char* inicios[] = {"startpos", KIWIPETE, POS3, POS4, POS5, POS6,
                             "fen 4k3/8/8/8/8/8/6b1/4K1RR b K - 0 1",
                             "fen r3k2r/1P4P1/8/3pP3/8/8/1p4p1/R3K2R w KQkq d6 0 1"};
    int comparadas = 0;
    for (int n = 0; n < 300; n++) {
        Posicion(inicios[n % 8]);
        int plies = int(azar() % 40);
        for (int p = 0; p < plies; p++) {
            auto legales = JugadasLegales();
            if (legales.empty()) break;
            ASSERT_TRUE(Jugar(legales[azar() % legales.size()]));
            TableroGlobal.Ply = 0;  // as the position command plays its moves
        }
        char fen[128];
        EscribirFen(fen);
        Resultado nuestro = Perft(std::string("fen ") + fen, 3);

        sf.Enviar(std::string("position fen ") + fen);
        sf.Enviar("go perft 3");
        std::map<std::string, long long> suyo;
        long long total = -1;
        std::string l;
        while (sf.LeerLinea(l, 20000)) {
            long long v;
            char mov[8];
            if (std::sscanf(l.c_str(), "Nodes searched: %lld", &v) == 1) {
                total = v;
                break;
            }
            // Our divide leaves out moves with nothing below them.
            if (std::sscanf(l.c_str(), "%7[a-h1-8nbrq]: %lld", mov, &v) == 2 && v != 0) suyo[mov] = v;
        }
        EXPECT_EQ(nuestro.nodos, total) << fen;
        EXPECT_EQ(nuestro.divide, suyo) << fen;
        comparadas++;
    }
    sf.Enviar("quit");
    EXPECT_EQ(comparadas, 300);
}
