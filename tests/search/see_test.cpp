// Static exchange evaluation: the worked values, the capture order, pins, promotion inside
// the exchange, x-rays, and a board left exactly as found.
#include <gtest/gtest.h>

#include <random>

#include "search/see.h"
#include "support/board_helpers.h"

namespace {

// The generated move with this text in the current position.
Jugada Buscar(const std::string& texto) {
    ListaJugadas lista;
    int n = GenerarMovimientos(GENERAR_TODAS, lista);
    for (int i = 0; i < n; i++) {
        char t[6];
        MovimientoCoordenadas(lista[i].Jugada, t);
        if (texto == t) return lista[i].Jugada;
    }
    return 0;
}

// Plays the move, runs the exchange for the side now to move, takes the move back.
int SeeTras(const std::string& fen, const std::string& jugada) {
    PonerFen(fen);
    const Jugada j = Buscar(jugada);
    EXPECT_NE(j, 0u) << jugada;
    EXPECT_EQ(HacerMovimiento(j), 1);
    const Instantanea antes = Tomar();
    const int v = See(&j, TableroGlobal.Turno);
    EXPECT_TRUE(Tomar() == antes) << fen << " " << jugada;
    EXPECT_EQ(SeeMove.NumeroJugadasSee, 0);
    DeshacerMovimiento();
    return v;
}

}  // namespace

TEST(See, WorkedValues) {
    // Pawn took an undefended knight.
    EXPECT_EQ(SeeTras("4k3/8/8/3n4/4P3/8/8/4K3 w - - 0 1", "e4d5"), 325);
    // Queen took a pawn defended by a pawn: only the first gain counts, nothing retakes.
    EXPECT_EQ(SeeTras("4k3/8/4p3/3p4/8/8/8/3QK3 w - - 0 1", "d1d5"), 100);
    // Knight took a bishop defended by a pawn, a rook backs the knight.
    EXPECT_EQ(SeeTras("4k3/8/4p3/3b4/8/2N5/8/3RK3 w - - 0 1", "c3d5"), 0);
    // Quiet pawn move to a square an enemy knight attacks, undefended ...
    EXPECT_EQ(SeeTras("4k3/8/5n2/8/8/4P3/8/4K3 w - - 0 1", "e3e4"), -100);
    // ... and defended by a pawn.
    EXPECT_EQ(SeeTras("4k3/8/5n2/8/8/3PP3/8/4K3 w - - 0 1", "e3e4"), 0);
    // Quiet move to a square nothing attacks.
    EXPECT_EQ(SeeTras("4k3/8/8/8/8/4P3/8/4K3 w - - 0 1", "e3e4"), 0);
}

TEST(See, RookTakingADefendedKnightBacked) {
    // R takes N defended by a pawn; a bishop can take the pawn back: 325 - 500 = -175.
    EXPECT_EQ(SeeTras("4k3/8/4p3/3n4/8/1B6/8/3RK3 w - - 0 1", "d1d5"), -175);
    // Without the bishop nothing answers the pawn: only the knight is counted.
    EXPECT_EQ(SeeTras("4k3/8/4p3/3n4/8/8/8/3RK3 w - - 0 1", "d1d5"), 325);
}

TEST(See, PinnedAttackerIsSkipped) {
    // After Qxd5 the pawn e6 cannot retake (pinned on the e-file): the knight does.
    PonerFen("4k3/8/4pn2/3p4/8/8/8/3QR1K1 w - - 0 1");
    const Jugada j = Buscar("d1d5");
    ASSERT_EQ(HacerMovimiento(j), 1);
    const Instantanea antes = Tomar();
    SeeMove.NumeroJugadasSee = 0;
    const Jugada a = Obtener_Ataques_Menores(Destino(j), 0);
    ASSERT_NE(a, 0u);
    EXPECT_EQ(Pieza(a), CABALLO_N);
    EXPECT_EQ(Capturada(a), DAMA_B);
    EXPECT_EQ(TableroGlobal.Tablero[Destino(j)], CABALLO_N);
    EXPECT_EQ(SeeMove.NumeroJugadasSee, 1);
    SeeDeshacerMovimiento();
    EXPECT_TRUE(Tomar() == antes);
    DeshacerMovimiento();
}

TEST(See, PawnCaptureOntoLastRankPromotesAndIsUndone) {
    // Black rook arrives on c8; the b7 pawn takes it as a queen promotion.
    PonerFen("r7/1P1k4/8/8/8/8/8/4K3 b - - 0 1");
    const Jugada j = Buscar("a8c8");
    ASSERT_NE(j, 0u);
    ASSERT_EQ(HacerMovimiento(j), 1);
    const Instantanea antes = Tomar();
    SeeMove.NumeroJugadasSee = 0;
    const Jugada a = Obtener_Ataques_Menores(Destino(j), 1);
    ASSERT_NE(a, 0u);
    EXPECT_EQ(Pieza(a), PEON_B);
    EXPECT_EQ(Coronacion(a), DAMA_B);
    EXPECT_EQ(TableroGlobal.Tablero[2], DAMA_B);
    EXPECT_EQ(TableroGlobal.Tablero[9], VACIA);
    SeeDeshacerMovimiento();
    EXPECT_TRUE(Tomar() == antes);
    // The king d7 then takes the new queen: L = [-500, +500, -975], summed up to nB = 1.
    EXPECT_EQ(See(&j, 1), 0);
    EXPECT_TRUE(Tomar() == antes);
    DeshacerMovimiento();
}

TEST(See, RookBehindRookJoinsTheExchange) {
    // Nb6-d5: Rd2 takes, e6 pawn retakes, then the d1 rook behind joins.
    PonerFen("4k3/8/1n2p3/8/8/8/3R4/3RK3 b - - 0 1");
    const Jugada j = Buscar("b6d5");
    ASSERT_EQ(HacerMovimiento(j), 1);
    const Instantanea antes = Tomar();
    SeeMove.NumeroJugadasSee = 0;
    const int d5 = Destino(j);
    const Jugada a0 = Obtener_Ataques_Menores(d5, 1);
    const Jugada b0 = Obtener_Ataques_Menores(d5, 0);
    const Jugada a1 = Obtener_Ataques_Menores(d5, 1);
    const Jugada b1 = Obtener_Ataques_Menores(d5, 0);
    EXPECT_EQ(Origen(a0), 51);  // d2
    EXPECT_EQ(Pieza(b0), PEON_N);
    EXPECT_EQ(Origen(a1), 59);  // d1, seen through the square d2 has left
    EXPECT_EQ(Capturada(a1), PEON_N);
    EXPECT_EQ(b1, 0u);  // the king e8 is too far to retake
    while (SeeMove.NumeroJugadasSee > 0) SeeDeshacerMovimiento();
    EXPECT_TRUE(Tomar() == antes);
    // Quiet knight move: L = [-325, +325, -500, +100]; nB = 1 sums the first two.
    EXPECT_EQ(See(&j, 1), 0);
    DeshacerMovimiento();
}

TEST(See, KingNeverCapturesIntoAttack) {
    // The black king could take on d7 but the rook d1 covers it.
    PonerFen("4k3/8/8/8/8/8/8/3RK3 w - - 0 1");
    const Jugada j = Buscar("d1d7");
    ASSERT_EQ(HacerMovimiento(j), 1);
    // After Rd7 the king e8 takes the undefended rook.
    EXPECT_EQ(See(&j, 0), -500);
    DeshacerMovimiento();
    PonerFen("4k3/8/8/8/8/8/3R4/3RK3 w - - 0 1");
    const Jugada k = Buscar("d2d7");
    ASSERT_EQ(HacerMovimiento(k), 1);
    EXPECT_EQ(See(&k, 0), 0);  // Rd1 backs d7: the king may not take
    DeshacerMovimiento();
}

TEST(See, PieceValueOfANonPieceSetsTheErrorFlag) {
    Salir = 0;
    EXPECT_EQ(ValorPieza(DAMA_N), 975);
    EXPECT_EQ(ValorPieza(0), 0);
    EXPECT_EQ(Salir, 0);
    EXPECT_EQ(ValorPieza(VACIA), 0);
    EXPECT_EQ(Salir, 1);
    Salir = 0;
    EXPECT_EQ(ValorPieza(14), 0);
    EXPECT_EQ(Salir, 1);
    Salir = 0;
}

namespace {

// The capture search written straight from the rules: pawns, knights, bishops, rooks, queens,
// king, each line walked square by square with the square-colour tests, every candidate made
// and, when it leaves its own king attacked, taken back before the next one.
Jugada AtaqueMenorReferencia(int s, int lado) {
    const TipoTablero& T = TableroGlobal;
    const int base = lado == 1 ? 0 : 7;
    const int victima = T.Tablero[s];
    if (lado == 1 ? victima <= VACIA : victima >= VACIA) return 0;
    auto valido = [&](int desde, int hasta, bool mismoColor) {
        return hasta >= 0 && hasta < 64 && (T.ColorCasilla[desde] == T.ColorCasilla[hasta]) == mismoColor;
    };
    auto probar = [&](int o, int coronacion) -> Jugada {
        Jugada j = CrearJugada(o, s, T.Tablero[o], T.Tablero[s], coronacion);
        if (SeeHacerMovimiento(&j)) return j;
        SeeDeshacerMovimiento();
        return 0;
    };
    const bool corona = lado == 1 ? s < 8 : s >= 56;
    for (int d : {7, 9}) {
        const int o = lado == 1 ? s + d : s - d;
        if (valido(s, o, true) && T.Tablero[o] == PEON_B + base)
            if (Jugada j = probar(o, corona ? DAMA_B + base : SIN_PIEZA)) return j;
    }
    for (int d : {-17, -15, -10, -6, 6, 10, 15, 17})
        if (valido(s, s + d, false) && T.Tablero[s + d] == CABALLO_B + base)
            if (Jugada j = probar(s + d, SIN_PIEZA)) return j;
    auto deslizar = [&](int pieza, std::initializer_list<int> direcciones) -> Jugada {
        for (int d : direcciones) {
            const bool diagonal = d == 9 || d == -9 || d == 7 || d == -7;
            for (int desde = s, t = s + d; valido(desde, t, diagonal); desde = t, t += d) {
                if (T.Tablero[t] == VACIA) continue;
                if (T.Tablero[t] == pieza)
                    if (Jugada j = probar(t, SIN_PIEZA)) return j;
                break;
            }
        }
        return 0;
    };
    if (Jugada j = deslizar(ALFIL_B + base, {9, -9, -7, 7})) return j;
    if (Jugada j = deslizar(TORRE_B + base, {1, -1, -8, 8})) return j;
    if (Jugada j = deslizar(DAMA_B + base, {-9, 9, -7, 7, 1, -1, 8, -8})) return j;
    for (int d : {-9, 9, -7, 7, 1, -1, 8, -8}) {
        const bool diagonal = d == 9 || d == -9 || d == 7 || d == -7;
        if (valido(s, s + d, diagonal) && T.Tablero[s + d] == REY_B + base)
            if (Jugada j = probar(s + d, SIN_PIEZA)) return j;
    }
    return 0;
}

}  // namespace

// Whole exchanges on every occupied square of positions from random play: the capture found at
// each step, and the board after it, agree with the reference.
TEST(See, CaptureSearchAgreesWithTheRules) {
    std::mt19937 azar(77);
    const char* inicios[] = {"startpos",
                             "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                             "fen r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
                             "fen r3k2r/1P4P1/8/3pP3/8/8/1p4p1/R3K2R w KQkq d6 0 1"};
    int capturas = 0;
    for (int n = 0; n < 200; n++) {
        Posicion(inicios[n % 4]);
        const int plies = int(azar() % 50);
        for (int p = 0; p < plies; p++) {
            auto legales = JugadasLegales();
            if (legales.empty()) break;
            Jugar(legales[azar() % legales.size()]);
            TableroGlobal.Ply = 0;
        }
        const Instantanea antes = Tomar();
        for (int s = 0; s < 64; s++) {
            if (TableroGlobal.Tablero[s] == VACIA) continue;
            // Alternate sides as the exchange does, up to 20 captures each.
            SeeMove.NumeroJugadasSee = 0;
            int lado = TableroGlobal.Tablero[s] < VACIA ? 0 : 1;
            for (int k = 0; k < 40; k++, lado = 1 - lado) {
                const Instantanea paso = Tomar();
                const Jugada r = AtaqueMenorReferencia(s, lado);
                const Instantanea trasReferencia = Tomar();
                if (r) SeeDeshacerMovimiento();
                ASSERT_TRUE(Tomar() == paso);
                const Jugada j = Obtener_Ataques_Menores(s, lado);
                ASSERT_EQ(j, r) << s << " step " << k;
                ASSERT_TRUE(Tomar() == trasReferencia);
                if (!j) break;
                capturas++;
            }
            while (SeeMove.NumeroJugadasSee > 0) SeeDeshacerMovimiento();
            ASSERT_TRUE(Tomar() == antes);
        }
    }
    EXPECT_GT(capturas, 2000);
}
