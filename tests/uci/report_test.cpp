// Info lines: exact bytes of the examples, mate conversion, and seldepth of a full line.
#include <gtest/gtest.h>

#include <tuple>

#include "search/limits.h"
#include "search/search.h"
#include "search/tt.h"
#include "support/board_helpers.h"
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
        TT_Opciones.Escrituras = int(TT_Opciones.EntradasTT * 0.012) + 1;  // 1.2 % of the table written
    }
    void TearDown() override { UciNewGame(); }

    static std::string Info(int profundidad, int puntuacion, int cota, int transcurrido = 100) {
        char buf[2048];
        FormatearInfo(buf, sizeof buf, profundidad, puntuacion, cota, transcurrido);
        return buf;
    }
    const std::string currmove = "info currmove e2e4 currmovenumber 1 hashfull 12\n";
};

}  // namespace

TEST_F(Informe, ExampleLines) {
    EXPECT_EQ(Info(7, 35, 0),
              "info depth 7 seldepth 3 time 100 nodes 500 nps 5000 score cp 35 pv e2e4 e7e5 g1f3 \n" + currmove);
    // A full 64-move line: seldepth 0 and no moves.
    for (int i = 0; i < MAX_PLY; i++) pv_line_fin[i] = pv_line_fin[i % 3];
    EXPECT_EQ(Info(12, 0, 0, 1), "info depth 12 seldepth 0 time 1 nodes 500 nps 500000 score cp 0 pv \n" + currmove);
}

// Moves, not plies, for mates (no bound mark on them); centipawns with their bound mark otherwise.
TEST_F(Informe, ScoreText) {
    const std::tuple<int, int, const char*> casos[] = {
        {VALOR_MATE - 3, 0, "mate 2"},  {VALOR_MATE - 1, 0, "mate 1"},  {VALOR_MATE - 4, 1, "mate 2"},
        {2 - VALOR_MATE, 0, "mate -1"}, {4 - VALOR_MATE, 0, "mate -2"}, {-VALOR_MATE, 0, "mate 0"},
        {32000, 0, "cp 32000"},         {30000, 1, "cp 30000 lowerbound"},  {-30001, 0, "mate -500"},
        {-32000, -1, "cp -32000 upperbound"}};
    char t[64];
    for (auto [puntos, cota, texto] : casos) {
        TextoPuntuacion(puntos, cota, t);
        EXPECT_STREQ(t, texto) << puntos;
    }
}
