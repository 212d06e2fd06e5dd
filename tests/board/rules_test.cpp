// Make/unmake over whole trees (with the key and a FEN round trip checked at every node), the
// castling states, the captured corner rook, the null move, the Zobrist keys and FEN loading.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

#include "support/board_helpers.h"

namespace {

std::array<int, 5> Cuentas(const DatosBando& b) {
    return {b.NumPeones, b.NumCaballos, b.NumAlfiles, b.NumTorres, b.NumDamas};
}

// Writes the FEN of the current position, reads it back into the board and compares board, key
// and piece counts; then puts the position back as it was.
void IdaYVueltaFen() {
    char texto[128];
    EscribirFen(texto);
    const Instantanea antes = Tomar();
    TipoTablero& T = TableroGlobal;
    // FEN has no word for "has castled" (states 4 and 5): those read back as "no right".
    if (T.EnroqueBlancas > 3) T.EnroqueBlancas = 0;
    if (T.EnroqueNegras > 3) T.EnroqueNegras = 0;
    const u64 clave = CalcularHash();
    LimpiarBandos();
    EXPECT_EQ(CargarFen(texto), 1) << texto;
    EXPECT_EQ(CalcularHash(), clave) << texto;
    EXPECT_EQ(std::memcmp(T.Tablero, antes.tablero.Tablero, sizeof T.Tablero), 0) << texto;
    EXPECT_EQ(Cuentas(Blancas), Cuentas(antes.blancas)) << texto;
    EXPECT_EQ(Cuentas(Negras), Cuentas(antes.negras)) << texto;
    std::memcpy(&T, &antes.tablero, sizeof T);
    Blancas = antes.blancas;
    Negras = antes.negras;
}

// Walks the whole tree to a depth checking, after every make, the key against the one composed
// from scratch (and, in the first two plies, the FEN round trip) and, after every unmake, that
// everything is restored bit for bit. Illegal moves are made and unmade as well.
long Recorrer(int profundidad) {
    if (profundidad == 0) return 1;
    long hojas = 0;
    ListaJugadas lista;
    const int n = GenerarMovimientos(GENERAR_TODAS, lista);
    for (int i = 0; i < n; i++) {
        const Instantanea antes = Tomar();
        const int legal = HacerMovimiento(lista[i].Jugada);
        EXPECT_EQ(TableroGlobal.Hash, CalcularHash());
        EXPECT_TRUE(TableroValido());
        if (legal && TableroGlobal.Ply <= 2) IdaYVueltaFen();
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
    const std::pair<const char*, long> casos[] = {
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 97862},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 2812},
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 9467},
        {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 62379},
        {"4k3/8/8/8/8/8/6b1/4K1RR b K - 0 1", 2974},
    };
    for (auto [fen, hojas] : casos) {
        PonerFen(fen);
        EXPECT_EQ(Recorrer(3), hojas) << fen;
    }
}

TEST(MakeUnmake, CastlingStates) {
    const TipoTablero& T = TableroGlobal;
    PonerFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 3 1");
    ASSERT_TRUE(Jugar("e1g1"));
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
    PonerFen("4k3/8/8/8/8/8/8/3K3R w K - 0 1");  // a right granted with the king away from e1
    ASSERT_TRUE(Jugar("d1e1"));                   // goes with any king move, not only from e1
    EXPECT_EQ(T.EnroqueBlancas, 0);
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

TEST(MakeUnmake, NullMove) {
    Posicion("startpos moves e2e4");
    const TipoTablero& T = TableroGlobal;
    const Instantanea antes = Tomar();
    HacerMovimientoNull();
    EXPECT_EQ(T.Turno, 1);
    EXPECT_EQ(T.FichaAlPaso, 0);
    EXPECT_EQ(T.Regla50, 1);
    EXPECT_EQ(T.Ply, antes.tablero.Ply + 1);
    EXPECT_EQ(T.Hash, CalcularHash());
    DeshacerMovimientoNull();
    EXPECT_TRUE(Tomar() == antes);
}

TEST(Zobrist, KeysAreDistinctAndInRange) {
    std::set<u64> claves;
    for (auto& fila : zobrist_Tablero)
        for (u64 k : fila) {
            EXPECT_GE(k, 0x7FFFFFFFull);
            EXPECT_LE(k, 0x7FFFFFFFFFFFFFFEull);
            claves.insert(k);
        }
    EXPECT_EQ(claves.size(), 896u);
    EXPECT_EQ(claves.count(zobrist_Turno), 0u);
    EXPECT_GE(zobrist_Turno, 0x7FFFFFFFull);
    EXPECT_LE(zobrist_Turno, 0x7FFFFFFFFFFFFFFEull);
}

TEST(Zobrist, EnPassantPawnAndTranspositions) {
    // After 1. e4 the en passant pawn is e4 itself, and it is part of the key.
    PonerFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
    const u64 sinAlPaso = TableroGlobal.Hash;
    Posicion("startpos moves e2e4");
    EXPECT_EQ(TableroGlobal.FichaAlPaso, 36);
    EXPECT_EQ(TableroGlobal.Hash, sinAlPaso ^ zobrist_Tablero[0][36]);
    // Rights lost by king moves equal rights never held; an en passant capture reaches the same
    // key as another move order.
    Posicion("startpos moves e2e4 e7e5 e1e2 e8e7 e2e1 e7e8");
    const u64 sinDerechos = TableroGlobal.Hash;
    PonerFen("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w - - 4 4");
    EXPECT_EQ(TableroGlobal.Hash, sinDerechos);
    Posicion("startpos moves e2e4 a7a6 e4e5 d7d5 e5d6");
    const u64 alPaso = TableroGlobal.Hash;
    Posicion("startpos moves e2e4 d7d6 e4e5 a7a6 e5d6");
    EXPECT_EQ(TableroGlobal.Hash, alPaso);
}

TEST(Fen, FieldsAndRejections) {
    struct Caso {
        const char* fen;
        int valido, enroqueB = 0, enroqueN = 0, alPaso = 0, regla50 = 0;
    };
    const char* const INICIO = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR ";
    const Caso casos[] = {
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", 1, 3, 3, 36, 0},
        {"rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 2", 1, 3, 3, 28, 0},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq d4 0 1", 1, 3, 3, 0, 0},  // not rank 3 or 6
        {"r3k2r/8/8/8/8/8/8/R3K2R w Qk - 0 1", 1, 2, 1, 0, 0},
        {"r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1", 1, 0, 0, 0, 0},
        // A letter out of order ends the field and is skipped; the en passant field still follows.
        {"r3k2r/8/8/8/4P3/8/8/R3K2R b kK e3 7 1", 1, 0, 1, 36, 7},
        // An en passant square no pawn can just have passed over is dropped: wrong side to move,
        // no enemy pawn in front of it, the square or the one behind it occupied.
        {"4k3/8/8/4q3/3Pp3/8/8/4K3 w - e3 0 1", 1},
        {"4k3/8/8/3pP3/8/8/8/4K3 b - d6 0 1", 1},
        {"4k3/8/8/3PP3/8/8/8/4K3 w - d6 0 1", 1},
        {"4k3/8/3n4/3pP3/8/8/8/4K3 w - d6 0 1", 1},
        {"4k3/8/8/8/3Pp3/8/3N4/4K3 b - d3 0 1", 1},
        {"4k3/8/8/8/8/8/8/4K3 w - - 150 1", 1, 0, 0, 0, 100},
        {"4k3/8/8/8/8/8/8/4K3 w - - 12 1", 1, 0, 0, 0, 12},
        {"4k3/8/8/8/8/8/8/4K3 w - - x1 1", 1, 0, 0, 0, 0},
        {"4k3/8/8/8/8/8/8/4K3 w - - 99999999999999999999 1", 1, 0, 0, 0, 100},  // beyond 32 bits
        {"rnbqkbnr.pppppppp.8.8.8.8.PPPPPPPP.RNBQKBNR w KQkq - 0 1", 1, 3, 3, 0, 0},  // any separator
        // Placements cut short, or with more or fewer than 8 squares in a rank, or a bad letter.
        {"rnbqkbnr/ppp ppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/7/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/pppppppp/54/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/pppppppp/4p4/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP", 0},
        {"rnbqkbnr/pppppppx/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"", 0},
    };
    const TipoTablero& T = TableroGlobal;
    auto cargar = [](const std::string& fen) {  // as the position command's caller does
        LimpiarBandos();
        TableroGlobal.Regla50 = 0;
        TableroGlobal.NumeroRepeticiones = 0;
        return CargarFen(fen.c_str());
    };
    for (const Caso& c : casos) {
        ASSERT_EQ(cargar(c.fen), c.valido) << c.fen;
        if (!c.valido) continue;
        EXPECT_EQ(T.EnroqueBlancas, c.enroqueB) << c.fen;
        EXPECT_EQ(T.EnroqueNegras, c.enroqueN) << c.fen;
        EXPECT_EQ(T.FichaAlPaso, c.alPaso) << c.fen;
        EXPECT_EQ(T.Regla50, c.regla50) << c.fen;
        EXPECT_EQ(T.NumeroRepeticiones, c.regla50) << c.fen;
    }
    // Any side letter but "w" means Black; a placement alone keeps the side.
    ASSERT_EQ(cargar(std::string(INICIO) + "x - - 0 1"), 1);
    EXPECT_EQ(T.Turno, 0);
    ASSERT_EQ(cargar(INICIO), 1);
    EXPECT_EQ(T.Turno, 0);
    ASSERT_EQ(cargar(std::string(INICIO) + "w"), 1);
    EXPECT_EQ(T.Turno, 1);
    ASSERT_EQ(cargar(INICIO), 1);
    EXPECT_EQ(T.Turno, 1);
    EXPECT_EQ(Cuentas(Blancas), (std::array<int, 5>{8, 2, 2, 2, 1}));
    EXPECT_EQ(Cuentas(Negras), (std::array<int, 5>{8, 2, 2, 2, 1}));
}

// A FEN's half-move clock stands for that many earlier positions, unknown to us: their key
// slots hold no key, so an old game's keys left there cannot count as a repetition.
TEST(Fen, ClockSlotsHoldNoEarlierKeys) {
    Posicion("startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8");
    ASSERT_EQ(TableroGlobal.NumeroRepeticiones, 8);  // one key per ply of the game
    PonerFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 30 20");
    EXPECT_EQ(TableroGlobal.NumeroRepeticiones, 30);
    for (int i = 0; i < 30; i++) EXPECT_EQ(TableroGlobal.Repeticiones[i], 0u) << i;
}
