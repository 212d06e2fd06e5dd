// Several search threads, through the real binary (the ThreadSanitizer build runs this file
// too): every form of search still answers once with a legal move, the helpers come and go
// with the option, and the table's slots never pair one position's key with another's data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "search/tt.h"
#include "support/board_helpers.h"
#include "support/engine_process.h"

namespace {

const char* const MEDIO_JUEGO = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 9";

// The move of the bestmove line, checked legal in the position searched.
std::string Respuesta(const std::vector<std::string>& lineas, const std::string& fen) {
    EXPECT_EQ(Contar(lineas, "bestmove "), 1);
    if (lineas.empty() || !Empieza(lineas.back(), "bestmove ")) return "";
    const std::string jugada = lineas.back().substr(9, lineas.back().find(' ', 9) - 9);
    PonerFen(fen);
    const auto legales = JugadasLegales();
    EXPECT_NE(std::find(legales.begin(), legales.end(), jugada), legales.end()) << jugada;
    return jugada;
}

unsigned long long MasNodos(const std::vector<std::string>& lineas) {
    unsigned long long mayor = 0, n = 0;
    for (const auto& l : lineas)
        if (Empieza(l, "info depth ") && std::sscanf(l.c_str() + l.find(" nodes "), " nodes %llu", &n) == 1)
            mayor = std::max(mayor, n);
    return mayor;
}

}  // namespace

TEST(Hilos, EverySearchAnswersWithSeveralThreads) {
    ProcesoMotor motor;
    for (const char* l : {"setoption name Threads value 3", "setoption name ShowPv value Full", "ucinewgame"})
        motor.Enviar(l);
    motor.Enviar(std::string("position fen ") + MEDIO_JUEGO);

    motor.Enviar("go depth 8");
    auto lineas = motor.LeerHasta("bestmove ");
    Respuesta(lineas, MEDIO_JUEGO);
    EXPECT_EQ(Contar(lineas, "info depth 8 "), 1);

    // The node budget counts every thread: three threads do not search three budgets.
    constexpr unsigned long long PRESUPUESTO = 200000;
    motor.Enviar("go nodes " + std::to_string(PRESUPUESTO));
    lineas = motor.LeerHasta("bestmove ");
    Respuesta(lineas, MEDIO_JUEGO);
    EXPECT_LT(MasNodos(lineas), 2 * PRESUPUESTO);

    // Infinite and pondering searches answer isready at once and wait for the GUI.
    for (const char* go : {"go infinite", "go ponder"}) {
        motor.Enviar(go);
        motor.Enviar("isready");
        ASSERT_EQ(Contar(motor.LeerHasta("readyok"), "bestmove"), 0) << go;  // else stop would wait for nothing
        if (std::string(go) == "go ponder") motor.Enviar("ponderhit");
        motor.Enviar("stop");
        Respuesta(motor.LeerHasta("bestmove "), MEDIO_JUEGO);
    }

    // Fewer threads, then more again, a cleared table, several lines, a mate to find.
    const char* const MATE_EN_UNO = "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4";
    for (const char* l : {"setoption name Threads value 1", "setoption name Threads value 2", "setoption name Clear Hash",
                          "setoption name MultiPV value 3"})
        motor.Enviar(l);
    motor.Enviar("go depth 6");
    lineas = motor.LeerHasta("bestmove ");
    Respuesta(lineas, MEDIO_JUEGO);
    for (const char* k : {"multipv 1 ", "multipv 2 ", "multipv 3 "})
        EXPECT_TRUE(std::any_of(lineas.begin(), lineas.end(), [k](const std::string& l) { return l.find(k) != l.npos; }));
    motor.Enviar("setoption name MultiPV value 1");
    motor.Enviar(std::string("position fen ") + MATE_EN_UNO);
    motor.Enviar("go mate 1");
    EXPECT_EQ(Respuesta(motor.LeerHasta("bestmove "), MATE_EN_UNO), "h5f7");

    // quit in the middle of a search with helpers ends the process cleanly.
    motor.Enviar(std::string("position fen ") + MEDIO_JUEGO);
    motor.Enviar("go infinite");
    motor.Enviar("isready");
    motor.LeerHasta("readyok");
    motor.Enviar("quit");
    EXPECT_EQ(Contar(motor.LeerTodo(), "bestmove "), 1);
    EXPECT_EQ(motor.Esperar(), 0);
}

// A slot whose two words come from different stores (two threads writing it at once) answers
// for neither position.
TEST(Hilos, TornTableSlotsMatchNoPosition) {
    Posicion("startpos");
    const u64 a = TableroGlobal.Hash;
    LimpiarTransposicion();
    AlmacenarPosicion(5, 40, Exacta, 111);
    RanuraTT* r = EntradaTTActual();
    ASSERT_NE(r, nullptr);
    const RanuraTT deA = *r;
    // Another key of the same slot, stored over it.
    TableroGlobal.Hash = a + TT_Opciones.EntradasTT;
    ASSERT_EQ(EntradaTTActual(), r);
    AlmacenarPosicion(7, -90, CotaInferior, 222);
    const RanuraTT deB = *r;
    int puntos;
    Jugada j;
    for (const RanuraTT mezcla : {RanuraTT{deA.claveMezclada, deB.datos}, RanuraTT{deB.claveMezclada, deA.datos}}) {
        *r = mezcla;
        for (const u64 clave : {a, a + TT_Opciones.EntradasTT}) {
            TableroGlobal.Hash = clave;
            EXPECT_EQ(RecuperarMovimientoHash(), 0u);
            EXPECT_EQ(RecuperarPosicion(-VALOR_INFINITO, VALOR_INFINITO, 0, puntos, j), 0);
            EXPECT_EQ(puntos, -VALOR_INFINITO);
        }
    }
    TableroGlobal.Hash = a;
    LimpiarTransposicion();
}
