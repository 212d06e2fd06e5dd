// Move ordering: the capture tables, the bands in and out of check, the history rate, the
// selection step, and the table updates at a cut-off.
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

Jugada Generada(const std::string& texto) {
    ListaJugadas lista;
    const int n = GenerarMovimientos(GENERAR_TODAS, lista);
    for (int i = 0; i < n; i++) {
        char t[6];
        MovimientoCoordenadas(lista[i].Jugada, t);
        if (texto == t) return lista[i].Jugada;
    }
    return 0;
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
    void TearDown() override { HistoricoIniciar(); }
};

}  // namespace

TEST_F(Ordenacion, CaptureTables) {
    EXPECT_EQ(valor_captura[PEON_B][DAMA_N], 4000875);  // pawn takes queen
    EXPECT_EQ(valor_captura[DAMA_B][PEON_N], 3999125);  // queen takes pawn
    EXPECT_EQ(valor_captura[REY_N][PEON_B], 3990100);   // king takes pawn
    EXPECT_EQ(valor_captura[PEON_B][PEON_N], 4000000);
    // A capture promoting to a knight orders ahead of the same capture promoting to a queen.
    EXPECT_EQ(valor_captura_coronacion[CABALLO_B][DAMA_N], 4001625);
    EXPECT_EQ(valor_captura_coronacion[DAMA_B][DAMA_N], 4000975);
    EXPECT_EQ(valor_captura_coronacion[DAMA_N][CABALLO_B], 4000325);
    EXPECT_EQ(valor_coronacion[DAMA_B], 975);
    EXPECT_EQ(valor_coronacion[TORRE_N], 500);
    EXPECT_EQ(valor_coronacion[ALFIL_B], 325);
    EXPECT_EQ(valor_coronacion[CABALLO_N], 325);
}

TEST_F(Ordenacion, HistoryRate) {
    const Jugada j = CrearJugada(62, 45, CABALLO_B, SIN_PIEZA);  // g1f3
    EXPECT_EQ(HistoricoValor(1, j), 0);
    EXPECT_EQ(HistoricoMalaPuntuacionZW(1, j), 0);
    PonerHistorial(1, j, 7, 10);
    EXPECT_EQ(HistoricoValor(1, j), 70);
    EXPECT_EQ(HistoricoMalaPuntuacionZW(1, j), 0);
    PonerHistorial(1, j, 5, 10);
    EXPECT_EQ(HistoricoValor(1, j), 50);
    EXPECT_EQ(HistoricoMalaPuntuacionZW(1, j), 1);
    EXPECT_EQ(HistoricoMalaPuntuacionPV(1, j), 1);
    PonerHistorial(1, j, 6, 10);  // exactly 60 %: not bad
    EXPECT_EQ(HistoricoMalaPuntuacionZW(1, j), 0);
    PonerHistorial(1, j, 0, 150);
    EXPECT_EQ(HistoricoValor(1, j), -100);
    EXPECT_EQ(HistoricoMalaPuntuacionZW(1, j), 1);
    PonerHistorial(1, j, 0, 30);
    EXPECT_EQ(HistoricoValor(1, j), -30);
    PonerHistorial(1, j, 250, 0);
    EXPECT_EQ(HistoricoValor(1, j), 100);
    EXPECT_EQ(HistoricoMalaPuntuacionZW(1, j), 0);
    PonerHistorial(1, j, 40, 0);
    EXPECT_EQ(HistoricoValor(1, j), 40);
    // The other side's row is separate.
    EXPECT_EQ(HistoricoValor(0, j), 0);
}

TEST_F(Ordenacion, BandsOutOfCheck) {
    // White: exd5 (pawn takes queen), Nxd5 (knight takes queen), b7-b8 promotions,
    // quiet moves; plus the hash move and killers set below.
    PonerFen("4k3/1P6/8/3q4/4P3/2N5/8/4K3 w - - 0 1");
    const Jugada hash = Generada("e1f2");
    const Jugada killer = Generada("e1d2");
    const Jugada killerMate = Generada("e1d1");
    const Jugada refut = Generada("c3b5");
    ASSERT_TRUE(hash && killer && killerMate && refut);
    Historico_Killer[0][1][0] = killer;
    Historico_Killer_Mate[0][1][1] = killerMate;
    Historico_Killer[0][1][1] = killerMate;  // in both tables: the mate-killer score wins
    PonerHistorial(1, Generada("c3a4"), 3, 4);

    auto p = Puntuaciones(hash, 0, refut);
    EXPECT_EQ(p["e1f2"], 5000000);
    EXPECT_EQ(p["e4d5"], 4000875);
    EXPECT_EQ(p["c3d5"], 4000650);
    EXPECT_EQ(p["e1d2"], 2000000);
    EXPECT_EQ(p["e1d1"], 1000000);
    EXPECT_EQ(p["c3b5"], 1001);  // counter move by a knight, no history
    EXPECT_EQ(p["b7b8q"], 975);
    EXPECT_EQ(p["b7b8r"], 500);
    EXPECT_EQ(p["b7b8n"], 325);
    EXPECT_EQ(p["c3a4"], 75);
    EXPECT_EQ(p["e4e5"], 0);
    EXPECT_EQ(p["c3e2"], 0);
}

TEST_F(Ordenacion, CounterMoveBonusByPiece) {
    PonerFen("4k3/8/8/8/8/8/P7/R2QK1NB w - - 0 1");
    const struct {
        const char* jugada;
        int puntos;
    } casos[] = {{"a2a3", 1475}, {"g1f3", 1001}, {"h1g2", 1000}, {"a1b1", 825}, {"d1d2", 600}, {"e1f2", 10000}};
    for (const auto& c : casos) {
        const Jugada j = Generada(c.jugada);
        ASSERT_NE(j, 0u) << c.jugada;
        EXPECT_EQ(Puntuaciones(0, 0, j)[c.jugada], c.puntos) << c.jugada;
        // Without a counter move nothing is added.
        EXPECT_EQ(Puntuaciones(0, 0, 0)[c.jugada], 0) << c.jugada;
    }
}

TEST_F(Ordenacion, BandsInCheck) {
    // White king in check from the rook e8: captures, then king moves, then other quiet moves,
    // promotions last.
    PonerFen("4r2k/1P6/8/8/8/8/3N4/R3K3 w - - 0 1");
    const Jugada j = Generada("d2c4");
    PonerHistorial(1, j, 1, 2);
    auto p = Puntuaciones(0, 1, 0);
    EXPECT_EQ(p["e1f2"], 3000000);
    EXPECT_EQ(p["d2e4"], 1000000);
    EXPECT_EQ(p["d2c4"], 1000050);
    EXPECT_EQ(p["a1a7"], 1000000);
    EXPECT_EQ(p["b7b8q"], 975);
    // Killers do not count in check.
    Historico_Killer[0][1][0] = Generada("d2e4");
    EXPECT_EQ(Puntuaciones(0, 1, 0)["d2e4"], 1000000);
    // The hash move still comes first.
    EXPECT_EQ(Puntuaciones(Generada("e1d1"), 1, 0)["e1d1"], 5000000);
}

TEST_F(Ordenacion, EnPassantScoresLikePawnTakesPawn) {
    Posicion("startpos moves e2e4 a7a6 e4e5 d7d5");
    auto fuera = Puntuaciones(0, 0, 0);
    EXPECT_EQ(fuera["e5d6"], 4000000);
    auto dentro = Puntuaciones(0, 1, 0);
    EXPECT_EQ(dentro["e5d6"], 4000000);
}

TEST_F(Ordenacion, SelectionTakesTheHighestAndKeepsEarlierAmongEquals) {
    EntradaLista lista[5] = {{11, 0}, {12, 7}, {13, 7}, {14, 3}, {15, 7}};
    OrdenaMovimiento(lista, 0, 5);
    EXPECT_EQ(lista[0].Jugada, 12u);
    EXPECT_EQ(lista[1].Jugada, 11u);  // swapped, not shifted
    OrdenaMovimiento(lista, 1, 5);
    EXPECT_EQ(lista[1].Jugada, 13u);
    OrdenaMovimiento(lista, 2, 5);
    EXPECT_EQ(lista[2].Jugada, 15u);
    OrdenaMovimiento(lista, 3, 5);
    EXPECT_EQ(lista[3].Jugada, 14u);
    EXPECT_EQ(lista[4].Jugada, 11u);
    // All equal: nothing moves.
    EntradaLista iguales[3] = {{1, 0}, {2, 0}, {3, 0}};
    OrdenaMovimiento(iguales, 0, 3);
    EXPECT_EQ(iguales[0].Jugada, 1u);
}

TEST_F(Ordenacion, CutOffUpdates) {
    Posicion("startpos moves e2e4 e7e5");
    TableroGlobal.Ply = 1;  // the undo entry at ply 0 holds e7e5
    const Jugada a = Generada("b1c3"), b = Generada("d2d3"), corte = Generada("g1f3");
    const Jugada tranquilas[3] = {a, b, corte};
    HistoricoActualizar(corte, 120, tranquilas, 3, 1, 1);
    UpdateRefutation(corte, 1);
    EXPECT_EQ(Historico_Bueno[14 + CABALLO_B][Destino(corte)], 1);
    EXPECT_EQ(Historico_Malo[14 + CABALLO_B][Destino(corte)], 1);
    EXPECT_EQ(Historico_Malo[14 + CABALLO_B][Destino(a)], 1);
    EXPECT_EQ(Historico_Bueno[14 + CABALLO_B][Destino(a)], 0);
    EXPECT_EQ(Historico_Malo[14 + PEON_B][Destino(b)], 1);
    EXPECT_EQ(Historico_Killer[1][1][0], corte);
    EXPECT_EQ(Historico_Killer_Mate[1][1][0], 0u);
    // e7e5 is a8-numbered 12 -> 28.
    EXPECT_EQ(Historico_Refutation[12 * 64 + 28], corte);
    EXPECT_EQ(GetRefutation(1), corte);

    // The same move again does not fill slot 1 with itself; a new killer pushes it down.
    HistoricoActualizar(corte, 50, &corte, 1, 1, 1);
    EXPECT_EQ(Historico_Killer[1][1][1], 0u);
    HistoricoActualizar(a, 50, &a, 1, 1, 1);
    EXPECT_EQ(Historico_Killer[1][1][0], a);
    EXPECT_EQ(Historico_Killer[1][1][1], corte);
    // A mate score fills the mate killers.
    HistoricoActualizar(b, VALOR_MATE - 5, &b, 1, 1, 1);
    EXPECT_EQ(Historico_Killer_Mate[1][1][0], b);
    EXPECT_EQ(Historico_Killer[1][1][0], a);
    EXPECT_TRUE(HistoricoEsMovimientoKillerMate(b, 1, 1));
    EXPECT_TRUE(HistoricoEsMovimientoKiller(corte, 1, 1));
    EXPECT_FALSE(HistoricoEsMovimientoKiller(corte, 1, 0));
    TableroGlobal.Ply = 0;
}

TEST_F(Ordenacion, FollowUpMove) {
    // Refutes: the counter move to the side's own previous move, then the counter to that.
    Posicion("startpos");
    TableroGlobal.Historial[0].Jugada = CrearJugada(52, 36, PEON_B, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);
    TableroGlobal.Historial[1].Jugada = CrearJugada(12, 28, PEON_N, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);
    TableroGlobal.Ply = 2;  // White to move again after e2e4 e7e5
    const Jugada r = CrearJugada(1, 18, CABALLO_N, SIN_PIEZA);  // b8c6 answered e2e4
    const Jugada f = CrearJugada(62, 45, CABALLO_B, SIN_PIEZA); // g1f3 answered b8c6
    EXPECT_FALSE(Refutes(f, 2));
    Historico_Refutation[52 * 64 + 36] = r;
    EXPECT_FALSE(Refutes(f, 2));
    Historico_Refutation[1 * 64 + 18] = f;
    EXPECT_TRUE(Refutes(f, 2));
    EXPECT_FALSE(Refutes(r, 2));
    EXPECT_FALSE(Refutes(f, 1));
    TableroGlobal.Ply = 0;
}
