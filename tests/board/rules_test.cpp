// Attack tests, move generation and make/unmake.
#include <gtest/gtest.h>

#include <functional>

#include "support/board_helpers.h"
#include "uci/uci.h"

TEST(Attacks, EdgesAndWraps) {
    PonerFen("7b/8/8/8/8/8/8/K6k w - - 0 1");
    EXPECT_EQ(JaqueBlancas(56), 1);  // long diagonal h8-a1
    PonerFen("7k/8/8/8/p6K/8/8/8 w - - 0 1");
    EXPECT_EQ(JaqueBlancas(39), 0);  // a4 pawn would wrap onto h4
    PonerFen("7k/8/8/6p1/7K/8/8/8 w - - 0 1");
    EXPECT_EQ(JaqueBlancas(39), 1);
    PonerFen("7k/8/8/r7/7K/8/8/8 w - - 0 1");
    EXPECT_EQ(JaqueBlancas(39), 0);  // different ranks
    PonerFen("7k/8/8/r6K/8/8/8/8 w - - 0 1");
    EXPECT_EQ(JaqueBlancas(31), 1);
    PonerFen("7k/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(JaqueNegras(61), 1);  // next to the white king
    EXPECT_EQ(JaqueNegras(62), 0);
    // Knights do not jump around the board edge: g2 reaches e1, e3, f4, h4 but not a2.
    PonerFen("7k/8/8/8/8/8/6N1/4K3 w - - 0 1");
    EXPECT_EQ(JaqueNegras(37), 1);
    EXPECT_EQ(JaqueNegras(45), 0);
    EXPECT_EQ(JaqueNegras(48), 0);
}

TEST(Movegen, StartPositionOrder) {
    Posicion("startpos");
    ListaJugadas lista;
    ASSERT_EQ(GenerarMovimientos(GENERAR_TODAS, lista), 20);
    const char* esperado[] = {"g1h3", "g1f3", "b1c3", "b1a3", "h2h3", "h2h4", "g2g3", "g2g4", "f2f3", "f2f4",
                              "e2e3", "e2e4", "d2d3", "d2d4", "c2c3", "c2c4", "b2b3", "b2b4", "a2a3", "a2a4"};
    for (int i = 0; i < 20; i++) {
        char t[6];
        MovimientoCoordenadas(lista[i].Jugada, t);
        EXPECT_STREQ(t, esperado[i]);
    }
    EXPECT_EQ(GenerarMovimientos(GENERAR_CAPTURAS, lista), 0);
    // Black scans from a8: the b8 knight comes first, +17 before +15.
    Posicion("startpos moves e2e4");
    GenerarMovimientos(GENERAR_TODAS, lista);
    char t[6];
    MovimientoCoordenadas(lista[0].Jugada, t);
    EXPECT_STREQ(t, "b8c6");
    MovimientoCoordenadas(lista[1].Jugada, t);
    EXPECT_STREQ(t, "b8a6");
}

TEST(Movegen, PromotionsAndEnPassant) {
    PonerFen("7k/P7/8/8/8/8/8/K7 w - - 0 1");
    ListaJugadas lista;
    ASSERT_EQ(GenerarMovimientos(GENERAR_CAPTURAS, lista), 4);
    const char* orden[] = {"a7a8q", "a7a8r", "a7a8b", "a7a8n"};
    for (int i = 0; i < 4; i++) {
        char t[6];
        MovimientoCoordenadas(lista[i].Jugada, t);
        EXPECT_STREQ(t, orden[i]);
    }

    Posicion("startpos moves e2e4 d7d5 e4e5 f7f5");
    EXPECT_EQ(TableroGlobal.FichaAlPaso, 29);
    int n = GenerarMovimientos(GENERAR_CAPTURAS, lista);
    ASSERT_EQ(n, 1);
    Jugada ep = lista[0].Jugada;
    EXPECT_TRUE(AlPaso(ep));
    EXPECT_EQ(Capturada(ep), SIN_PIEZA);
    EXPECT_EQ(Destino(ep), 21);  // f6

    // A black pawn on h5 may not take "en passant" towards a3 after a2-a4: that wraps.
    PonerFen("4k3/8/8/7p/P7/8/8/4K3 b - a3 0 1");
    n = GenerarMovimientos(GENERAR_CAPTURAS, lista);
    EXPECT_EQ(n, 0);
    // An en passant square with no enemy pawn behind it gives no capture.
    PonerFen("4k3/8/8/3P4/8/8/8/4K3 w - e6 0 1");
    EXPECT_EQ(GenerarMovimientos(GENERAR_CAPTURAS, lista), 0);
}

TEST(Movegen, CastlingConditions) {
    auto tiene = [](const char* jugada) {
        for (const auto& j : JugadasLegales())
            if (j == jugada) return true;
        return false;
    };
    PonerFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    EXPECT_TRUE(tiene("e1g1"));
    EXPECT_TRUE(tiene("e1c1"));
    PonerFen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
    EXPECT_TRUE(tiene("e8g8"));
    EXPECT_TRUE(tiene("e8c8"));
    // In check: no castling. Through an attacked square: none on that side.
    PonerFen("r3k2r/8/8/8/8/8/4r3/R3K2R w KQkq - 0 1");
    EXPECT_FALSE(tiene("e1g1"));
    EXPECT_FALSE(tiene("e1c1"));
    PonerFen("r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq - 0 1");
    EXPECT_FALSE(tiene("e1g1"));
    EXPECT_TRUE(tiene("e1c1"));
    // b1 attacked does not matter, b1 occupied does.
    PonerFen("r3k2r/8/8/8/8/8/1r6/R3K2R w KQkq - 0 1");
    EXPECT_TRUE(tiene("e1c1"));
    PonerFen("r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1");
    EXPECT_FALSE(tiene("e1c1"));
    // Castling into check is generated, then refused by make move.
    PonerFen("r3k2r/8/8/8/8/8/6r1/R3K2R w KQkq - 0 1");
    ListaJugadas lista;
    int n = GenerarMovimientos(GENERAR_TODAS, lista);
    bool generado = false;
    for (int i = 0; i < n; i++)
        if (Enroque(lista[i].Jugada) && Destino(lista[i].Jugada) == 62) generado = true;
    EXPECT_TRUE(generado);
    EXPECT_FALSE(tiene("e1g1"));
}

TEST(Movegen, ListNeverOverflows) {
    PonerFen("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1");
    ListaJugadas lista;
    EXPECT_EQ(GenerarMovimientos(GENERAR_TODAS, lista), 218);
    EXPECT_EQ(Salir, 0);
    // A board no game can reach: more pseudo-legal moves than the list holds.
    PonerFen("BQQQQ1QQ/Q2Q1Q1Q/Q6Q/Q6Q/Q1Q4Q/Q6Q/1Q5Q/KQQQQQQk w - - 0 1");
    struct {
        ListaJugadas lista;
        u32 centinela = 0xDEADBEEF;
    } guardado;
    EXPECT_EQ(GenerarMovimientos(GENERAR_TODAS, guardado.lista), 255);
    EXPECT_EQ(Salir, 1);
    EXPECT_EQ(guardado.centinela, 0xDEADBEEFu);
    Salir = 0;
}

namespace {
// Walks the whole tree to a depth checking, after every make, the key against the one composed
// from scratch and, after every unmake, that everything is restored bit for bit.
long Recorrer(int profundidad) {
    if (profundidad == 0) return 1;
    long hojas = 0;
    ListaJugadas lista;
    int n = GenerarMovimientos(GENERAR_TODAS, lista);
    for (int i = 0; i < n; i++) {
        Instantanea antes = Tomar();
        int legal = HacerMovimiento(lista[i].Jugada);
        EXPECT_EQ(TableroGlobal.Hash, CalcularHash());
        EXPECT_TRUE(TableroValido());
        if (legal) hojas += Recorrer(profundidad - 1);
        DeshacerMovimiento();
        if (!(Tomar() == antes)) {
            ADD_FAILURE() << "not restored after " << lista[i].Jugada;
            return hojas;
        }
    }
    return hojas;
}
}  // namespace

TEST(MakeUnmake, RestoresEverythingOverWholeTrees) {
    const char* fens[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "4k3/8/8/8/8/8/6b1/4K1RR b K - 0 1",
    };
    const long hojas[] = {97862, 2812, 9467, 62379, 2974};
    for (int i = 0; i < 5; i++) {
        PonerFen(fens[i]);
        EXPECT_EQ(Recorrer(3), hojas[i]) << fens[i];
    }
}

TEST(MakeUnmake, CastlingAndRights) {
    PonerFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 3 1");
    ASSERT_TRUE(Jugar("e1g1"));
    const TipoTablero& T = TableroGlobal;
    EXPECT_EQ(T.Tablero[62], REY_B);
    EXPECT_EQ(T.Tablero[61], TORRE_B);
    EXPECT_EQ(T.Tablero[60], VACIA);
    EXPECT_EQ(T.Tablero[63], VACIA);
    EXPECT_EQ(T.EnroqueBlancas, 5);
    EXPECT_EQ(T.PosicionReyBlanco, 62);
    EXPECT_EQ(T.Regla50, 4);
    ASSERT_TRUE(Jugar("e8c8"));
    EXPECT_EQ(T.EnroqueNegras, 4);
    EXPECT_EQ(T.Tablero[3], TORRE_N);
    ASSERT_TRUE(Jugar("g1g2"));  // a king move after castling keeps state 5
    EXPECT_EQ(T.EnroqueBlancas, 5);

    PonerFen("r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1");
    ASSERT_TRUE(Jugar("h1h2"));  // the h1 rook leaving with state 2 changes nothing
    EXPECT_EQ(T.EnroqueBlancas, 2);
    ASSERT_TRUE(Jugar("a8a7"));
    EXPECT_EQ(T.EnroqueNegras, 1);
}

// A rook captured on its own corner takes that corner's castling right with it; otherwise a
// rook arriving there later would castle illegally.
TEST(MakeUnmake, CapturedCornerRookLosesTheRight) {
    PonerFen("4k3/8/8/8/8/8/6b1/4K1RR b K - 0 1");
    ASSERT_TRUE(Jugar("g2h1"));
    EXPECT_EQ(TableroGlobal.EnroqueBlancas, 0);
    EXPECT_EQ(TableroGlobal.Hash, CalcularHash());
    ASSERT_TRUE(Jugar("g1h1"));
    ASSERT_TRUE(Jugar("e8d8"));
    for (const auto& j : JugadasLegales()) EXPECT_NE(j, "e1g1");

    PonerFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    ASSERT_TRUE(Jugar("a1a8"));
    EXPECT_EQ(TableroGlobal.EnroqueNegras, 1);
    EXPECT_EQ(TableroGlobal.EnroqueBlancas, 1);
    DeshacerMovimiento();
    EXPECT_EQ(TableroGlobal.EnroqueNegras, 3);
    EXPECT_EQ(TableroGlobal.EnroqueBlancas, 3);
}

TEST(MakeUnmake, EnPassantAndNullMove) {
    Posicion("startpos moves e2e4");
    const TipoTablero& T = TableroGlobal;
    EXPECT_EQ(T.FichaAlPaso, 36);
    EXPECT_EQ(T.Regla50, 0);
    ASSERT_TRUE(Jugar("g8f6"));
    EXPECT_EQ(T.FichaAlPaso, 0);
    EXPECT_EQ(T.Hash, CalcularHash());

    Posicion("startpos moves e2e4 a7a6 e4e5 d7d5");
    Instantanea antes = Tomar();
    ASSERT_TRUE(Jugar("e5d6"));
    EXPECT_EQ(T.Tablero[27], VACIA);  // the d5 pawn is gone, not a pawn on d6
    EXPECT_EQ(T.Tablero[19], PEON_B);
    EXPECT_EQ(Negras.NumPeones, 7);
    DeshacerMovimiento();
    EXPECT_TRUE(Tomar() == antes);

    Posicion("startpos moves e2e4");
    antes = Tomar();
    HacerMovimientoNull();
    EXPECT_EQ(T.Turno, 1);
    EXPECT_EQ(T.FichaAlPaso, 0);
    EXPECT_EQ(T.Regla50, 1);
    EXPECT_EQ(T.Ply, antes.tablero.Ply + 1);
    EXPECT_EQ(T.Hash, CalcularHash());
    DeshacerMovimientoNull();
    EXPECT_TRUE(Tomar() == antes);

    // A move that leaves the own king in check is refused and fully undone.
    PonerFen("4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1");
    antes = Tomar();
    ListaJugadas lista;
    int n = GenerarMovimientos(GENERAR_TODAS, lista);
    for (int i = 0; i < n; i++) {
        if (Origen(lista[i].Jugada) != 52) continue;
        EXPECT_EQ(HacerMovimiento(lista[i].Jugada), 0);
        DeshacerMovimiento();
        EXPECT_TRUE(Tomar() == antes);
    }
}
