// Zobrist keys and FEN reading/writing.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "support/board_helpers.h"
#include "support/engine_process.h"
#include "uci/uci.h"

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

// A second process (the engine binary) must compose the same keys as this one.
TEST(Zobrist, IdenticalInAnotherRun) {
    const std::vector<std::string> posiciones = {
        "startpos",
        "startpos moves e2e4 c7c5 g1f3 d7d6 e1e2",
        "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "fen 8/8/8/3pP3/8/8/8/K6k w - d6 0 1",
        "fen 4k3/8/8/8/8/8/8/4K3 b - - 0 1",
    };
    std::vector<std::string> entrada;
    std::vector<std::string> esperadas;
    for (const auto& p : posiciones) {
        entrada.push_back("position " + p);
        entrada.push_back("d");
        Posicion(p);
        char clave[32];
        std::snprintf(clave, sizeof clave, "Key: %016llx", (unsigned long long)TableroGlobal.Hash);
        esperadas.push_back(clave);
    }
    std::vector<std::string> vistas;
    for (const auto& l : Transcripcion(entrada))
        if (l.rfind("Key: ", 0) == 0) vistas.push_back(l);
    EXPECT_EQ(vistas, esperadas);
}

TEST(Zobrist, TranspositionsShareTheKey) {
    Posicion("startpos");
    u64 inicio = TableroGlobal.Hash;
    Posicion("startpos moves g1f3 g8f6 f3g1 f6g8");
    EXPECT_EQ(TableroGlobal.Hash, inicio);

    // Rights lost by king moves equal rights never held.
    Posicion("startpos moves e2e4 e7e5 e1e2 e8e7 e2e1 e7e8");
    u64 sinDerechos = TableroGlobal.Hash;
    PonerFen("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w - - 4 4");
    EXPECT_EQ(TableroGlobal.Hash, sinDerechos);

    // An en passant capture reaches the same key as another move order.
    Posicion("startpos moves e2e4 a7a6 e4e5 d7d5 e5d6");
    u64 alPaso = TableroGlobal.Hash;
    Posicion("startpos moves e2e4 d7d6 e4e5 a7a6 e5d6");
    EXPECT_EQ(TableroGlobal.Hash, alPaso);

    // After 1. e4 the en passant pawn is e4 itself, and it is part of the key.
    PonerFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
    u64 sinAlPaso = TableroGlobal.Hash;
    Posicion("startpos moves e2e4");
    EXPECT_EQ(TableroGlobal.FichaAlPaso, 36);
    EXPECT_EQ(TableroGlobal.Hash, sinAlPaso ^ zobrist_Tablero[0][36]);
}

TEST(Fen, StartPosition) {
    LimpiarBandos();
    ASSERT_EQ(CargarFen(FEN_INICIAL), 1);
    const TipoTablero& T = TableroGlobal;
    EXPECT_EQ(T.Tablero[0], TORRE_N);
    EXPECT_EQ(T.Tablero[4], REY_N);
    EXPECT_EQ(T.Tablero[60], REY_B);
    EXPECT_EQ(T.Tablero[63], TORRE_B);
    EXPECT_EQ(T.EnroqueBlancas, 3);
    EXPECT_EQ(T.EnroqueNegras, 3);
    EXPECT_EQ(T.FichaAlPaso, 0);
    EXPECT_EQ(T.Turno, 1);
    EXPECT_EQ(T.Regla50, 0);
    for (const DatosBando* b : {&Blancas, &Negras}) {
        EXPECT_EQ(b->NumPeones, 8);
        EXPECT_EQ(b->NumCaballos, 2);
        EXPECT_EQ(b->NumAlfiles, 2);
        EXPECT_EQ(b->NumTorres, 2);
        EXPECT_EQ(b->NumDamas, 1);
    }
}

namespace {
// Loads a FEN as the position command's caller does (records cleared, clock reset first).
int Cargar(const char* fen) {
    LimpiarBandos();
    TableroGlobal.Regla50 = 0;
    TableroGlobal.NumeroRepeticiones = 0;
    return CargarFen(fen);
}
}  // namespace

TEST(Fen, LenientFields) {
    const TipoTablero& T = TableroGlobal;
    ASSERT_EQ(Cargar("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"), 1);
    EXPECT_EQ(T.FichaAlPaso, 36);
    ASSERT_EQ(Cargar("rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 2"), 1);
    EXPECT_EQ(T.FichaAlPaso, 28);
    ASSERT_EQ(Cargar("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq d4 0 1"), 1);
    EXPECT_EQ(T.FichaAlPaso, 0);

    ASSERT_EQ(Cargar("r3k2r/8/8/8/8/8/8/R3K2R w Qk - 0 1"), 1);
    EXPECT_EQ(T.EnroqueBlancas, 2);
    EXPECT_EQ(T.EnroqueNegras, 1);
    ASSERT_EQ(Cargar("r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1"), 1);
    EXPECT_EQ(T.EnroqueBlancas, 0);
    EXPECT_EQ(T.EnroqueNegras, 0);
    // A letter out of order ends the field and is skipped; the en passant field still follows.
    ASSERT_EQ(Cargar("r3k2r/8/8/8/8/8/8/R3K2R w kK e3 7 1"), 1);
    EXPECT_EQ(T.EnroqueBlancas, 0);
    EXPECT_EQ(T.EnroqueNegras, 1);
    EXPECT_EQ(T.FichaAlPaso, 36);
    EXPECT_EQ(T.Regla50, 7);

    ASSERT_EQ(Cargar("4k3/8/8/8/8/8/8/4K3 w - - 150 1"), 1);
    EXPECT_EQ(T.Regla50, 100);
    EXPECT_EQ(T.NumeroRepeticiones, 100);
    ASSERT_EQ(Cargar("4k3/8/8/8/8/8/8/4K3 w - - 12 1"), 1);
    EXPECT_EQ(T.Regla50, 12);
    EXPECT_EQ(T.NumeroRepeticiones, 12);
    ASSERT_EQ(Cargar("4k3/8/8/8/8/8/8/4K3 w - - x1 1"), 1);
    EXPECT_EQ(T.Regla50, 0);
    EXPECT_EQ(T.NumeroRepeticiones, 0);
    // Too large for 32 bits: counts as above 100.
    ASSERT_EQ(Cargar("4k3/8/8/8/8/8/8/4K3 w - - 99999999999999999999 1"), 1);
    EXPECT_EQ(T.Regla50, 100);

    // Any side letter but "w" means Black; a placement alone keeps the side.
    ASSERT_EQ(Cargar("4k3/8/8/8/8/8/8/4K3 x - - 0 1"), 1);
    EXPECT_EQ(T.Turno, 0);
    ASSERT_EQ(Cargar("4k3/8/8/8/8/8/8/4K3"), 1);
    EXPECT_EQ(T.Turno, 0);
    ASSERT_EQ(Cargar("4k3/8/8/8/8/8/8/4K3 w"), 1);
    EXPECT_EQ(T.Turno, 1);
    ASSERT_EQ(Cargar("4k3/8/8/8/8/8/8/4K3"), 1);
    EXPECT_EQ(T.Turno, 1);
}

TEST(Fen, RejectedPlacements) {
    EXPECT_EQ(Cargar("rnbqkbnr/ppp ppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
    EXPECT_EQ(Cargar("rnbqkbnr/7/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
    EXPECT_EQ(Cargar("rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
    EXPECT_EQ(Cargar("rnbqkbnr/pppppppp/54/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
    EXPECT_EQ(Cargar("rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
    EXPECT_EQ(Cargar("rnbqkbnr/pppppppp/4p4/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
    EXPECT_EQ(Cargar("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP"), 0);
    EXPECT_EQ(Cargar("rnbqkbnr/pppppppx/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
    EXPECT_EQ(Cargar(""), 0);
    // The rank separator may be any character.
    EXPECT_EQ(Cargar("rnbqkbnr.pppppppp.8.8.8.8.PPPPPPPP.RNBQKBNR w KQkq - 0 1"), 1);
}

// Writing a FEN and reading it back gives the same position and key, over a tree of positions.
TEST(Fen, RoundTripOverTrees) {
    const char* fens[] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    };
    int comprobadas = 0;
    for (const char* fen : fens) {
        PonerFen(fen);
        ListaJugadas l1;
        int n1 = GenerarMovimientos(GENERAR_TODAS, l1);
        for (int i = 0; i < n1; i++) {
            if (HacerMovimiento(l1[i].Jugada)) {
                ListaJugadas l2;
                int n2 = GenerarMovimientos(GENERAR_TODAS, l2);
                for (int k = 0; k < n2; k++) {
                    if (HacerMovimiento(l2[k].Jugada)) {
                        char texto[128];
                        EscribirFen(texto);
                        Instantanea antes = Tomar();
                        // FEN has no word for "has castled" (states 4 and 5): compare the key
                        // with those states read as "no right".
                        if (TableroGlobal.EnroqueBlancas > 3) TableroGlobal.EnroqueBlancas = 0;
                        if (TableroGlobal.EnroqueNegras > 3) TableroGlobal.EnroqueNegras = 0;
                        u64 clave = CalcularHash();
                        // Reload on a scratch copy, then restore the tree's board.
                        LimpiarBandos();
                        ASSERT_EQ(CargarFen(texto), 1) << texto;
                        EXPECT_EQ(CalcularHash(), clave) << texto;
                        EXPECT_EQ(std::memcmp(TableroGlobal.Tablero, antes.tablero.Tablero, sizeof antes.tablero.Tablero), 0);
                        EXPECT_EQ(Blancas.NumPeones, antes.blancas.NumPeones);
                        EXPECT_EQ(Negras.NumDamas, antes.negras.NumDamas);
                        std::memcpy(&TableroGlobal, &antes.tablero, sizeof TableroGlobal);
                        Blancas = antes.blancas;
                        Negras = antes.negras;
                        comprobadas++;
                    }
                    DeshacerMovimiento();
                }
            }
            DeshacerMovimiento();
        }
    }
    EXPECT_EQ(comprobadas, 2039 + 191 + 264 + 400);  // perft 2 of the four positions
}

// A FEN's half-move clock stands for that many earlier positions, unknown to us: their key
// slots hold no key, so an old game's keys left there cannot count as a repetition.
TEST(Fen, ClockSlotsHoldNoEarlierKeys) {
    Posicion("startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8");
    ASSERT_GE(TableroGlobal.NumeroRepeticiones, 16);
    PonerFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 30 20");
    EXPECT_EQ(TableroGlobal.NumeroRepeticiones, 30);
    for (int i = 0; i < 30; i++) EXPECT_EQ(TableroGlobal.Repeticiones[i], 0u) << i;
}
