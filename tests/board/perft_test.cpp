// The perft command: published counts with their per-kind counters and divide, the output
// format, refusals, and the divides of a reference engine on random positions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <map>

#include "search/limits.h"
#include "support/board_helpers.h"
#include "support/engine_process.h"
#include "uci/uci.h"

namespace {

struct Resultado {
    std::array<long long, 5> contadores = {-1, 0, 0, 0, 0};  // nodes, captures, en passant, castles, promotions
    std::map<std::string, long long> divide;
    std::vector<std::string> lineas;
};

Resultado Perft(const std::string& posicion, int profundidad) {
    Posicion(posicion);
    Resultado r;
    r.lineas = Lineas(Capturar([&] { ComandoPerft(std::to_string(profundidad).c_str()); }));
    const char* formatos[] = {"Nodos: %lld", "Capturas: %lld", "Captura Ep: %lld", "Enroques: %lld", "Coronacion: %lld"};
    for (const auto& l : r.lineas) {
        long long v;
        char mov[8];
        for (int i = 0; i < 5; i++)
            if (std::sscanf(l.c_str(), formatos[i], &v) == 1) r.contadores[size_t(i)] = v;
        if (std::sscanf(l.c_str(), "%7[a-h1-8nbrq]: %lld", mov, &v) == 2) r.divide[mov] = v;
    }
    return r;
}

const char* const KIWIPETE = "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
const char* const POS3 = "fen 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1";
const char* const POS4 = "fen r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1";
const char* const POS5 = "fen rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8";
const char* const POS6 = "fen r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10";
// After ...Bxh1 Rxh1 White may no longer castle with the rook that arrives on h1.
const char* const ESQUINA = "fen 4k3/8/8/8/8/8/6b1/4K1RR b K - 0 1";

struct Caso {
    const char* posicion;
    int profundidad;
    std::array<long long, 5> contadores;  // as Resultado; -1: not published
};

void Comprobar(const Caso& c) {
    const Resultado r = Perft(c.posicion, c.profundidad);
    const std::string donde = std::string(c.posicion) + " depth " + std::to_string(c.profundidad);
    for (size_t i = 0; i < 5; i++)
        if (c.contadores[i] >= 0) { EXPECT_EQ(r.contadores[i], c.contadores[i]) << donde << " counter " << i; }
    long long suma = 0;
    for (auto& [m, n] : r.divide) suma += n;
    EXPECT_EQ(suma, c.contadores[0]) << donde << ": the divide lines must add up";
}

constexpr long long X = -1;

}  // namespace

// Any fault of generation, make/unmake or legality shows in the counts.
TEST(Perft, KnownCounts) {
    const Caso casos[] = {
        {"startpos", 3, {8902, 34, 0, 0, 0}},      {"startpos", 4, {197281, 1576, 0, 0, 0}},
        {KIWIPETE, 1, {48, 8, 0, 2, 0}},           {KIWIPETE, 3, {97862, 17102, 45, 3162, 0}},
        {POS3, 4, {43238, X, X, X, X}},            {POS4, 3, {9467, X, X, X, X}},
        {POS5, 3, {62379, X, X, X, X}},            {POS6, 3, {89890, X, X, X, X}},
        {ESQUINA, 4, {70665, X, X, X, X}},  // counted by the reference engine
        // The most moves any position has: the list must hold them all.
        {"fen R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1", 1, {218, X, X, X, X}},
    };
    for (const auto& c : casos) Comprobar(c);
}

TEST(PerftSlow, DeepCounts) {
    const Caso casos[] = {
        {"startpos", 5, {4865609, 82719, 258, 0, 0}}, {"startpos", 6, {119060324, 2812008, 5248, 0, 0}},
        {KIWIPETE, 4, {4085603, 757163, 1929, 128013, 15172}},
        {POS3, 6, {11030083, X, X, X, X}}, {POS4, 5, {15833292, X, X, X, X}},
        {POS5, 4, {2103487, X, X, X, X}},  {POS6, 4, {3894594, X, X, X, X}},
    };
    for (const auto& c : casos) Comprobar(c);
}

// The counters, the timing lines, then the divide in generation order (promotions queen first);
// the board left as it was; bad depths, a mated side and a stop flag left set count nothing.
TEST(Perft, OutputFormatAndRefusals) {
    Posicion("startpos");
    const Instantanea antes = Tomar();
    auto lineas = Lineas(Capturar([] { ComandoPerft(" 1"); }));
    EXPECT_TRUE(Tomar() == antes);
    ASSERT_EQ(lineas.size(), 29u);
    EXPECT_EQ(std::vector<std::string>(lineas.begin(), lineas.begin() + 5),
              (std::vector<std::string>{"Nodos: 20", "Capturas: 0", "Captura Ep: 0", "Coronacion: 0", "Enroques: 0"}));
    EXPECT_TRUE(Empieza(lineas[5], "Tiempo(ms): ") && Empieza(lineas[6], "Nps: "));
    EXPECT_EQ(std::vector<std::string>(lineas.begin() + 7, lineas.begin() + 10),
              (std::vector<std::string>{"Divide", "------------------------------", "g1h3: 1"}));
    EXPECT_EQ(lineas.back(), "a2a4: 1");
    lineas = Perft("fen 7k/P7/8/8/8/8/8/K7 w - - 0 1", 1).lineas;
    auto q = std::find(lineas.begin(), lineas.end(), "a7a8q: 1");
    ASSERT_LE(q + 4, lineas.end());
    EXPECT_EQ(std::vector<std::string>(q, q + 4),
              (std::vector<std::string>{"a7a8q: 1", "a7a8r: 1", "a7a8b: 1", "a7a8n: 1"}));

    for (const char* arg : {"", "x3", "0", "64", "3x", "-1", "99999999999999999999"})
        EXPECT_EQ(Capturar([&] { ComandoPerft(arg); }), "") << "perft " << arg;
    const Resultado mate = Perft("fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", 3);
    EXPECT_EQ(mate.contadores[0], 0);
    EXPECT_EQ(mate.lineas.back(), "------------------------------");
    TipoJuego.Parar = 1;
    EXPECT_EQ(Perft("startpos", 2).contadores[0], 0);
    TipoJuego.Parar = 0;
}

// Totals and divides of a few hundred positions from random play, against the reference engine
// (which also lists moves with nothing below them).
TEST(PerftSlow, AgreesWithReferenceEngine) {
    const std::string referencia = "/usr/games/stockfish";
    if (access(referencia.c_str(), X_OK) != 0) GTEST_SKIP() << "no reference engine installed";
    ProcesoMotor sf({}, "", referencia);
    std::vector<std::string> inicios = {FEN_INICIAL, "r3k2r/1P4P1/8/3pP3/8/8/1p4p1/R3K2R w KQkq d6 0 1"};
    for (const char* f : {KIWIPETE, POS3, POS4, POS5, POS6, ESQUINA}) inicios.push_back(f + 4);
    const auto fens = PosicionesAlAzar(inicios, 300, 40, 12345);
    for (const auto& fen : fens) {
        const Resultado nuestro = Perft("fen " + fen, 3);
        sf.Enviar({"position fen " + fen, "go perft 3"});
        std::map<std::string, long long> suyo;
        long long total = -1, v;
        char mov[8];
        for (const auto& l : sf.LeerHasta("Nodes searched: ", 60000)) {
            if (std::sscanf(l.c_str(), "Nodes searched: %lld", &v) == 1) total = v;
            else if (std::sscanf(l.c_str(), "%7[a-h1-8nbrq]: %lld", mov, &v) == 2 && v != 0) suyo[mov] = v;
        }
        EXPECT_EQ(nuestro.contadores[0], total) << fen;
        EXPECT_EQ(nuestro.divide, suyo) << fen;
    }
    sf.Enviar("quit");
}
