// Move ordering: the capture tables, the history rate, the bands in and out of check, the
// selection step, and the killer and counter-move updates at a cut-off.
#include <gtest/gtest.h>

#include <map>

#include "search/ordering.h"
#include "search/search.h"
#include "support/board_helpers.h"

namespace {

// Ordering scores of the current position's moves, by move text.
std::map<std::string, int> Puntuaciones(Jugada hash, int enJaque, Jugada refutacion) {
    ListaJugadas lista;
    const int n = GenerarMovimientos(GENERAR_TODAS, lista);
    OrdenarMovimientosTodos(n, hash, lista, enJaque, refutacion);
    std::map<std::string, int> r;
    for (int i = 0; i < n; i++) {
        char t[6];
        MovimientoCoordenadas(lista[i].Jugada, t);
        r[t] = lista[i].Puntuacion;
    }
    return r;
}

void PonerHistorial(int lado, Jugada j, int bueno, int malo) {
    Historico_Bueno[lado * 14 + Pieza(j)][Destino(j)] = bueno;
    Historico_Malo[lado * 14 + Pieza(j)][Destino(j)] = malo;
    HistoricoRecalcular();
}

class Ordenacion : public ::testing::Test {
protected:
    void SetUp() override {
        HistoricoIniciar();
        TableroGlobal.Ply = 0;
    }
    void TearDown() override {
        HistoricoIniciar();
        TableroGlobal.Ply = 0;
    }
};

}  // namespace

TEST_F(Ordenacion, CaptureValuesAndHistoryRate) {
    EXPECT_EQ(valor_captura[PEON_B][DAMA_N], 4000875);  // pawn takes queen
    EXPECT_EQ(valor_captura[DAMA_B][PEON_N], 3999125);  // queen takes pawn
    EXPECT_EQ(valor_captura[REY_N][PEON_B], 3990100);   // king takes pawn
    // Cut-offs and searches of g1f3 -> its history score and whether it is "bad" (below 60 %).
    const Jugada j = CrearJugada(62, 45, CABALLO_B, SIN_PIEZA);
    const int casos[][4] = {{0, 0, 0, 0}, {7, 10, 70, 0}, {5, 10, 50, 1}, {6, 10, 60, 0},
                            {0, 150, -100, 1}, {0, 30, -30, 1}, {250, 0, 100, 0}, {40, 0, 40, 0}};
    for (const auto& c : casos) {
        PonerHistorial(1, j, c[0], c[1]);
        EXPECT_EQ(HistoricoValor(1, j), c[2]) << c[0] << "/" << c[1];
        EXPECT_EQ(HistoricoMalaPuntuacionZW(1, j), c[3]) << c[0] << "/" << c[1];
        EXPECT_EQ(HistoricoValor(0, j), 0);  // the other side's row is separate
    }
    PonerHistorial(1, j, 5, 10);
    EXPECT_EQ(HistoricoMalaPuntuacionPV(1, j), 1);
}

TEST_F(Ordenacion, BandsOutOfCheck) {
    // exd5 and Nxd5 take the queen, b7-b8 promotes; the hash move, killers and a counter move
    // are set below, and some history for c3a4.
    PonerFen("4k3/1P6/8/3q4/4P3/2N5/8/4K3 w - - 0 1");
    Historico_Killer[0][1][0] = JugadaTexto("e1d2");
    Historico_Killer_Mate[0][1][1] = JugadaTexto("e1d1");
    Historico_Killer[0][1][1] = JugadaTexto("e1d1");  // in both tables: the mate-killer score wins
    PonerHistorial(1, JugadaTexto("c3a4"), 3, 4);
    auto p = Puntuaciones(JugadaTexto("e1f2"), 0, JugadaTexto("c3b5"));
    const std::map<std::string, int> esperado = {
        {"e1f2", 5000000}, {"e4d5", 4000875}, {"c3d5", 4000650}, {"e1d2", 2000000}, {"e1d1", 1000000},
        {"c3b5", 1001},  // counter move by a knight, no history
        {"b7b8q", 975},   {"b7b8r", 500},     {"b7b8n", 325},     {"c3a4", 75},       {"e4e5", 0}, {"c3e2", 0}};
    for (const auto& [jugada, puntos] : esperado) EXPECT_EQ(p[jugada], puntos) << jugada;
    // Counter-move bonus by the moving piece; nothing without a counter move.
    PonerFen("4k3/8/8/8/8/8/P7/R2QK1NB w - - 0 1");
    const std::pair<const char*, int> contra[] = {{"a2a3", 1475}, {"h1g2", 1000}, {"a1b1", 825},
                                                  {"d1d2", 600},  {"e1f2", 10000}};
    for (auto [jugada, puntos] : contra) {
        EXPECT_EQ(Puntuaciones(0, 0, JugadaTexto(jugada))[jugada], puntos) << jugada;
        EXPECT_EQ(Puntuaciones(0, 0, 0)[jugada], 0) << jugada;
    }
}

TEST_F(Ordenacion, BandsInCheck) {
    // Captures, then king moves, then other quiet moves; promotions last; killers do not count;
    // the hash move still comes first.
    PonerFen("4r2k/1P6/8/8/8/8/3N4/R3K3 w - - 0 1");
    PonerHistorial(1, JugadaTexto("d2c4"), 1, 2);
    Historico_Killer[0][1][0] = JugadaTexto("d2e4");
    auto p = Puntuaciones(0, 1, 0);
    const std::map<std::string, int> esperado = {
        {"e1f2", 3000000}, {"d2e4", 1000000}, {"d2c4", 1000050}, {"a1a7", 1000000}, {"b7b8q", 975}};
    for (const auto& [jugada, puntos] : esperado) EXPECT_EQ(p[jugada], puntos) << jugada;
    EXPECT_EQ(Puntuaciones(JugadaTexto("e1d1"), 1, 0)["e1d1"], 5000000);
    // En passant scores as pawn takes pawn, in and out of check.
    Posicion("startpos moves e2e4 a7a6 e4e5 d7d5");
    EXPECT_EQ(Puntuaciones(0, 0, 0)["e5d6"], 4000000);
    EXPECT_EQ(Puntuaciones(0, 1, 0)["e5d6"], 4000000);
}

TEST_F(Ordenacion, SelectionTakesTheHighestAndKeepsEarlierAmongEquals) {
    EntradaLista lista[5] = {{11, 0}, {12, 7}, {13, 7}, {14, 3}, {15, 7}};
    const u32 orden[5] = {12, 13, 15, 14, 11};  // swapped into place, not shifted
    for (int i = 0; i < 5; i++) {
        OrdenaMovimiento(lista, i, 5);
        EXPECT_EQ(lista[i].Jugada, orden[i]) << i;
    }
}

TEST_F(Ordenacion, CutOffUpdates) {
    Posicion("startpos moves e2e4 e7e5");
    TableroGlobal.Ply = 1;  // the undo entry at ply 0 holds e7e5
    const Jugada a = JugadaTexto("b1c3"), b = JugadaTexto("d2d3"), corte = JugadaTexto("g1f3");
    const Jugada tranquilas[3] = {a, b, corte};
    HistoricoActualizar(corte, 120, tranquilas, 3, 1, 1);
    UpdateRefutation(corte, 1);
    EXPECT_EQ(Historico_Bueno[14 + CABALLO_B][Destino(corte)], 1);
    EXPECT_EQ(Historico_Malo[14 + CABALLO_B][Destino(corte)], 1);
    EXPECT_EQ(Historico_Malo[14 + CABALLO_B][Destino(a)], 1);
    EXPECT_EQ(Historico_Bueno[14 + CABALLO_B][Destino(a)], 0);
    EXPECT_EQ(Historico_Malo[14 + PEON_B][Destino(b)], 1);
    EXPECT_EQ(Historico_Killer[1][1][0], corte);
    EXPECT_EQ(GetRefutation(1), corte);  // the counter move to e7e5
    // The same move again does not fill slot 1 with itself; a new killer pushes it down; a mate
    // score fills the mate killers instead.
    HistoricoActualizar(corte, 50, &corte, 1, 1, 1);
    EXPECT_EQ(Historico_Killer[1][1][1], 0u);
    HistoricoActualizar(a, 50, &a, 1, 1, 1);
    EXPECT_EQ(Historico_Killer[1][1][0], a);
    EXPECT_EQ(Historico_Killer[1][1][1], corte);
    HistoricoActualizar(b, VALOR_MATE - 5, &b, 1, 1, 1);
    EXPECT_EQ(Historico_Killer_Mate[1][1][0], b);
    EXPECT_EQ(Historico_Killer[1][1][0], a);
}
