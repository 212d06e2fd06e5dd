// Info and bestmove lines: exact bytes of the examples, mate conversion, seldepth of a full
// line, the ponder form, and the ShowPv filter.
#include <gtest/gtest.h>

#include <cstring>

#include "search/search.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "uci/limits.h"
#include "uci/uci.h"

namespace {

class Informe : public ::testing::Test {
protected:
    void SetUp() override {
        UciNewGame();
        // e2e4 e7e5 g1f3, searched 500 nodes; the root move that last raised alpha was the first.
        pv_line_fin[0] = CrearJugada(52, 36, PEON_B, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);
        pv_line_fin[1] = CrearJugada(12, 28, PEON_N, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);
        pv_line_fin[2] = CrearJugada(62, 45, CABALLO_B, SIN_PIEZA);
        TipoJuego.Nodos = 500;
        TipoJuego.NumeroJugadaRaiz = 1;
        // 1.2 % of the table written.
        TT_Opciones.Escrituras = int(TT_Opciones.EntradasTT * 0.012) + 1;
    }
    void TearDown() override { UciNewGame(); }

    static std::string Info(int profundidad, int puntuacion, int cota, int transcurrido = 100) {
        char buf[2048];
        FormatearInfo(buf, sizeof buf, profundidad, puntuacion, cota, transcurrido);
        return buf;
    }
    static std::string Puntos(int p, int cota = 0) {
        char t[64];
        TextoPuntuacion(p, cota, t);
        return t;
    }
};

}  // namespace

TEST_F(Informe, ExampleLines) {
    EXPECT_EQ(Info(7, 35, 0),
              "info depth 7 seldepth 3 time 100 nodes 500 nps 5000 score cp 35 pv e2e4 e7e5 g1f3 \n"
              "info currmove e2e4 currmovenumber 1 hashfull 12\n");
    EXPECT_EQ(Info(7, 35, 1).substr(0, 78),
              "info depth 7 seldepth 3 time 100 nodes 500 nps 5000 score cp 35 lowerbound pv ");
    EXPECT_EQ(Info(7, -35, -1).substr(0, 79),
              "info depth 7 seldepth 3 time 100 nodes 500 nps 5000 score cp -35 upperbound pv ");
}

TEST_F(Informe, ScoreText) {
    EXPECT_EQ(Puntos(VALOR_MATE - 3), "mate 2");
    EXPECT_EQ(Puntos(VALOR_MATE - 1), "mate 1");
    EXPECT_EQ(Puntos(VALOR_MATE - 4), "mate 2");
    EXPECT_EQ(Puntos(2 - VALOR_MATE), "mate -1");
    EXPECT_EQ(Puntos(4 - VALOR_MATE), "mate -2");
    EXPECT_EQ(Puntos(-VALOR_MATE), "mate 0");
    EXPECT_EQ(Puntos(VALOR_MATE - 3, 1), "mate 2");  // no bound mark on a mate
    EXPECT_EQ(Puntos(32000), "cp 32000");
    EXPECT_EQ(Puntos(-32000, -1), "cp -32000 upperbound");
    EXPECT_EQ(Puntos(30000), "cp 30000");
    EXPECT_EQ(Puntos(-30001), "mate -500");
}

TEST_F(Informe, FullLineHasSeldepthZeroAndNoMoves) {
    for (int i = 0; i < MAX_PLY; i++) pv_line_fin[i] = pv_line_fin[i % 3];
    EXPECT_EQ(Info(12, 0, 0, 1),
              "info depth 12 seldepth 0 time 1 nodes 500 nps 500000 score cp 0 pv \n"
              "info currmove e2e4 currmovenumber 1 hashfull 12\n");
}

TEST_F(Informe, EmptyLineShowsMoveZero) {
    std::memset(pv_line_fin, 0, sizeof pv_line_fin);
    TipoJuego.Nodos = 0;
    EXPECT_EQ(Info(1, 0, 0, 3),
              "info depth 1 seldepth 0 time 3 nodes 0 nps 0 score cp 0 pv \n"
              "info currmove a8a8 currmovenumber 1 hashfull 12\n");
}

TEST_F(Informe, PonderSearchLines) {
    TipoJuego.PonderActivo = 1;
    EXPECT_EQ(Info(7, 35, 0),
              "info depth 7 seldepth 3 nodes 500 nps 5000 score cp -35\n"
              "info currmove e2e4 currmovenumber 1 hashfull 12\n");
    EXPECT_EQ(Info(7, VALOR_MATE - 3, 1),
              "info depth 7 seldepth 3 nodes 500 nps 5000 score cp -30997 lowerbound\n"
              "info currmove e2e4 currmovenumber 1 hashfull 12\n");
    TipoJuego.PonderActivo = 2;
    EXPECT_EQ(Info(7, 35, 0), "info currmove e2e4 currmovenumber 1 hashfull 12\n");
}

TEST_F(Informe, NpsInSinglePrecision) {
    TipoJuego.Nodos = 1234567;
    EXPECT_NE(Info(9, 1, 0, 333).find(" nps 3707409 "), std::string::npos);
    TipoJuego.Nodos = 10;
    EXPECT_NE(Info(9, 1, 0, 3).find(" nps 3333 "), std::string::npos);
}

TEST_F(Informe, ShowPvFilter) {
    TipoJuego.TiempoInicio = ObtenerTiempo();
    TipoJuego.ShowPv = 0;
    EXPECT_EQ(Capturar([] { ImprimirPv(3, 10, 0); }), "");
    TipoJuego.ShowPv = 1;
    EXPECT_EQ(Capturar([] { ImprimirPv(3, 10, 0); }), "");
    TipoJuego.ShowPv = 2;
    EXPECT_EQ(Lineas(Capturar([] { ImprimirPv(3, 10, 0); })).size(), 2u);
    // In infinite mode every iteration is shown.
    TipoJuego.Infinito = 1;
    TipoJuego.ShowPv = 0;
    EXPECT_EQ(Lineas(Capturar([] { ImprimirPv(3, 10, 0); })).size(), 2u);
    TipoJuego.Infinito = 0;
    // Middle shows the lines once 750 ms have passed; the elapsed time is recorded.
    TipoJuego.ShowPv = 1;
    TipoJuego.TiempoInicio = ObtenerTiempo() - 5000;
    auto l = Lineas(Capturar([] { ImprimirPv(3, 10, 0); }));
    ASSERT_EQ(l.size(), 2u);
    EXPECT_GE(TipoJuego.TiempoTranscurrido, 5001);
    EXPECT_NE(l[0].find(" time " + std::to_string(TipoJuego.TiempoTranscurrido) + " "), std::string::npos);
}

TEST_F(Informe, BestmoveLine) {
    const Jugada e7e8q = CrearJugada(12, 4, PEON_B, SIN_PIEZA, DAMA_B);
    const Jugada d1d8 = CrearJugada(59, 3, TORRE_N, SIN_PIEZA);
    EXPECT_EQ(Capturar([&] { ImprimirMejorJugada(e7e8q, d1d8); }), "bestmove e7e8q ponder d1d8\n");
    EXPECT_EQ(Capturar([&] { ImprimirMejorJugada(d1d8, 0); }), "bestmove d1d8\n");
    EXPECT_EQ(Capturar([&] { ImprimirMejorJugada(0, 0); }), "bestmove a8a8\n");
    const Jugada a2a1n = CrearJugada(48, 56, PEON_N, SIN_PIEZA, CABALLO_N);
    EXPECT_EQ(Capturar([&] { ImprimirMejorJugada(a2a1n, 0); }), "bestmove a2a1n\n");
}
