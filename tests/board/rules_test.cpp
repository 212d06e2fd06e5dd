// Make/unmake over whole trees (key and FEN round trip at every node), the Zobrist keys and
// FEN loading.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "support/board_helpers.h"

namespace {

std::array<int, 5> Cuentas(const DatosBando& b) { return {b.NumPeones, b.NumCaballos, b.NumAlfiles, b.NumTorres, b.NumDamas}; }

// Writes the FEN, reads it back and compares board, key and piece counts; then puts the
// position back as it was. FEN has no word for "has castled" (states 4, 5): read as none.
void IdaYVueltaFen() {
    char texto[128];
    EscribirFen(texto);
    const Instantanea antes = Tomar();
    TipoTablero& T = TableroGlobal;
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

// Every move of the tree (illegal ones made and unmade too): the key against one composed from
// scratch, the board checker, the FEN round trip in the first two plies, and everything
// restored bit for bit by the unmake.
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

// Any make or unmake that loses part of the state, a wrong incremental key, a wrong FEN.
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

// Each field of a FEN, and the placements that must be refused.
TEST(Fen, FieldsAndRejections) {
    struct Caso {
        const char* fen;
        int valido, enroqueB = 0, enroqueN = 0, alPaso = 0, regla50 = 0;
    };
    const Caso casos[] = {
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", 1, 3, 3, 36},
        {"rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 2", 1, 3, 3, 28},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq d4 0 1", 1, 3, 3},  // not rank 3 or 6
        {"r3k2r/8/8/8/8/8/8/R3K2R w Qk - 0 1", 1, 2, 1},
        // A letter out of order ends the field; the en passant field still follows.
        {"r3k2r/8/8/8/4P3/8/8/R3K2R b kK e3 7 1", 1, 0, 1, 36, 7},
        // An en passant square no pawn can just have passed over is dropped: wrong side to move,
        // no enemy pawn in front of it, the square or the one behind it occupied.
        {"4k3/8/8/4q3/3Pp3/8/8/4K3 w - e3 0 1", 1},
        {"4k3/8/8/3pP3/8/8/8/4K3 b - d6 0 1", 1},
        {"4k3/8/3n4/3pP3/8/8/8/4K3 w - d6 0 1", 1},
        // The clock is capped at 100, also beyond 32 bits; a non-number is 0.
        {"4k3/8/8/8/8/8/8/4K3 w - - 99999999999999999999 1", 1, 0, 0, 0, 100},
        {"4k3/8/8/8/8/8/8/4K3 w - - x1 1", 1},
        {"rnbqkbnr.pppppppp.8.8.8.8.PPPPPPPP.RNBQKBNR w KQkq - 0 1", 1, 3, 3},  // any separator
        // Cut short, more or fewer than 8 squares in a rank, a bad letter, nothing.
        {"rnbqkbnr/ppp ppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/7/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"rnbqkbnr/pppppppx/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        {"", 0},
    };
    const TipoTablero& T = TableroGlobal;
    auto cargar = [](const std::string& fen) {  // as the position command's caller does
        LimpiarBandos();
        TableroGlobal.Regla50 = TableroGlobal.NumeroRepeticiones = 0;
        return CargarFen(fen.c_str());
    };
    for (const Caso& c : casos) {
        ASSERT_EQ(cargar(c.fen), c.valido) << c.fen;
        if (!c.valido) continue;
        EXPECT_EQ((std::array<int, 5>{T.EnroqueBlancas, T.EnroqueNegras, T.FichaAlPaso, T.Regla50, T.NumeroRepeticiones}),
                  (std::array<int, 5>{c.enroqueB, c.enroqueN, c.alPaso, c.regla50, c.regla50}))
            << c.fen;
    }
    // Any side letter but "w" means Black; a placement alone keeps the side.
    const std::string inicio = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR ";
    const std::pair<std::string, int> lados[] = {{inicio + "x - - 0 1", 0}, {inicio, 0}, {inicio + "w", 1}, {inicio, 1}};
    for (const auto& [fen, turno] : lados) {
        ASSERT_EQ(cargar(fen), 1);
        EXPECT_EQ(T.Turno, turno) << fen;
    }
    EXPECT_EQ(Cuentas(Negras), (std::array<int, 5>{8, 2, 2, 2, 1}));
}

// A FEN's clock stands for that many earlier positions, unknown to us: their key slots hold no
// key (an old game's keys left there would count as repetitions); the position set up follows.
TEST(Fen, ClockSlotsHoldNoEarlierKeys) {
    Posicion("startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8");
    ASSERT_EQ(TableroGlobal.NumeroRepeticiones, 9);
    PonerFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 30 20");
    ASSERT_EQ(TableroGlobal.NumeroRepeticiones, 31);
    for (int i = 0; i < 30; i++) EXPECT_EQ(TableroGlobal.Repeticiones[i], 0u) << i;
    EXPECT_EQ(TableroGlobal.Repeticiones[30], TableroGlobal.Hash);
}
