// The fast board code against plain references written straight from the rules: move lists
// (order included) in both generation modes, the attack test on every square, the legality and
// gives-check shortcuts, and the sorting out of check evasions. The positions come from random
// play, from positions with castling, en passant and promotions at hand, and from boards no game
// reaches.
#include <gtest/gtest.h>

#include <vector>

#include "support/board_helpers.h"

namespace {

const i32* Tab() { return TableroGlobal.Tablero; }
bool MismoColor(int a, int b) { return TableroGlobal.ColorCasilla[a] == TableroGlobal.ColorCasilla[b]; }
bool Dentro(int s) { return s >= 0 && s < 64; }

// ---- Move generation, square by square, with the colour tests for wrapped steps. ----

struct Referencia {
    std::vector<Jugada> jugadas;
    int modo;
    bool salir = false;

    void Anadir(int o, int d, int cap, int cor = SIN_PIEZA, u32 flags = 0) {
        jugadas.push_back(CrearJugada(o, d, Tab()[o], cap, cor, flags));
    }
    // Empty or enemy square for the side whose pieces are white (blanco) or black.
    void Objetivo(bool blanco, int o, int d) {
        const int c = Tab()[d];
        if (blanco ? c <= REY_B : c >= PEON_N) return;
        if (c == VACIA) {
            if (modo != GENERAR_CAPTURAS) Anadir(o, d, SIN_PIEZA);
        } else {
            Anadir(o, d, c);
        }
    }
    void Coronaciones(int o, int d) {
        const int c = Tab()[d];
        const int base = Tab()[o] == PEON_B ? 0 : 7;
        for (int p : {DAMA_B, TORRE_B, ALFIL_B, CABALLO_B}) Anadir(o, d, c == VACIA ? SIN_PIEZA : c, p + base);
    }
    void Rayos(bool blanco, int o, std::initializer_list<int> direcciones) {
        for (int d : direcciones) {
            const bool diagonal = d == 9 || d == 7 || d == -7 || d == -9;
            for (int desde = o, t = o + d;; desde = t, t += d) {
                if (!Dentro(t)) break;
                if (diagonal ? !MismoColor(desde, t) : (d == 1 || d == -1) ? MismoColor(desde, t) : false) break;
                const int c = Tab()[t];
                Objetivo(blanco, o, t);
                if (c != VACIA) break;
            }
        }
    }
    // Knight and king steps: a diagonal step keeps the square colour, a knight step and a
    // sideways step change it, a step along the file needs no test.
    void Saltos(bool blanco, int o, std::initializer_list<int> pasos) {
        for (int d : pasos) {
            const int t = o + d;
            if (!Dentro(t)) continue;
            const bool diagonal = d == 9 || d == 7 || d == -7 || d == -9;
            if (d == 8 || d == -8 || (diagonal ? MismoColor(o, t) : !MismoColor(o, t))) Objetivo(blanco, o, t);
        }
    }
    void Peon(bool blanco, int o) {
        const int s = blanco ? -1 : 1;
        const int ep = TableroGlobal.FichaAlPaso;
        const bool septima = blanco ? (o >= 8 && o <= 15) : (o >= 48 && o <= 55);
        const bool segunda = blanco ? (o >= 48 && o <= 55) : (o >= 8 && o <= 15);
        // En passant: only a real enemy pawn on the en passant square can be taken.
        if (ep != 0 && Tab()[ep] == (blanco ? PEON_N : PEON_B)) {
            for (int d : {7 * s, 9 * s}) {
                const int lado = d == 7 * s ? -s : s;  // the pawn taken stands beside us
                if (ep == o + lado && Dentro(o + d) && MismoColor(o, o + d))
                    Anadir(o, o + d, SIN_PIEZA, SIN_PIEZA, FLAG_ALPASO);
            }
        }
        for (int d : {7 * s, 9 * s}) {
            const int t = o + d;
            if (!Dentro(t) || !MismoColor(o, t)) continue;
            const int c = Tab()[t];
            if (blanco ? c <= VACIA : c >= VACIA) continue;
            if (septima) Coronaciones(o, t);
            else Anadir(o, t, c);
        }
        const int t = o + 8 * s;
        if (Dentro(t) && Tab()[t] == VACIA) {
            if (septima) Coronaciones(o, t);
            else if (modo != GENERAR_CAPTURAS) Anadir(o, t, SIN_PIEZA);
            if (segunda && modo != GENERAR_CAPTURAS && Tab()[t + 8 * s] == VACIA)
                Anadir(o, t + 8 * s, SIN_PIEZA, SIN_PIEZA, FLAG_AVANCE_DOBLE);
        }
    }
    void Rey(bool blanco, int o) {
        const TipoTablero& T = TableroGlobal;
        const int casa = blanco ? E1 : E8, torre = blanco ? TORRE_B : TORRE_N;
        const int estado = blanco ? T.EnroqueBlancas : T.EnroqueNegras;
        auto atacada = [&](int s) { return blanco ? JaqueBlancas(s) : JaqueNegras(s); };
        if (modo != GENERAR_CAPTURAS && o == casa && Tab()[casa] == Tab()[o]) {
            const bool corto = estado == 1 || estado == 3, largo = estado == 2 || estado == 3;
            if (corto && Tab()[o + 1] == VACIA && Tab()[o + 2] == VACIA && Tab()[o + 3] == torre && !atacada(o) &&
                !atacada(o + 1))
                Anadir(o, o + 2, SIN_PIEZA, SIN_PIEZA, FLAG_ENROQUE);
            if (largo && Tab()[o - 1] == VACIA && Tab()[o - 2] == VACIA && Tab()[o - 3] == VACIA &&
                Tab()[o - 4] == torre && !atacada(o) && !atacada(o - 1))
                Anadir(o, o - 2, SIN_PIEZA, SIN_PIEZA, FLAG_ENROQUE);
        }
        Saltos(blanco, o, {8, -8, 1, -1, 9, -9, 7, -7});
    }
    void Pieza(bool blanco, int o) {
        switch (blanco ? Tab()[o] : Tab()[o] - 7) {
            case PEON_B: Peon(blanco, o); break;
            case CABALLO_B: Saltos(blanco, o, {10, -6, 6, -10, 17, 15, -15, -17}); break;
            case ALFIL_B: Rayos(blanco, o, {9, 7, -7, -9}); break;
            case TORRE_B: Rayos(blanco, o, {8, -8, -1, 1}); break;
            case DAMA_B: Rayos(blanco, o, {8, -8, -1, 1, 9, 7, -7, -9}); break;
            case REY_B: Rey(blanco, o); break;
            default: salir = true; break;
        }
    }
};

std::vector<Jugada> GenerarReferencia(int modo) {
    Referencia r;
    r.modo = modo;
    if (TableroGlobal.Turno == 1) {
        for (int s = 63; s >= 0; s--)
            if (Tab()[s] < VACIA) r.Pieza(true, s);
    } else {
        for (int s = 0; s < 64; s++)
            if (Tab()[s] > VACIA) r.Pieza(false, s);
    }
    return r.jugadas;
}

// ---- The attack test, in the order of the rules, with the colour tests. ----

int AtacadaReferencia(int s, bool porBlancas) {
    const int peon = porBlancas ? PEON_B : PEON_N, caballo = peon + 1, alfil = peon + 2, torre = peon + 3,
              dama = peon + 4, rey = peon + 5;
    // A white pawn attacks s from s + 7 and s + 9, a black one from s - 7 and s - 9.
    const int lado = porBlancas ? 1 : -1;
    for (int d : {7 * lado, 9 * lado})
        if (Dentro(s + d) && MismoColor(s, s + d) && Tab()[s + d] == peon) return 1;
    for (int d : {10, -6, 6, -10, 17, 15, -15, -17})
        if (Dentro(s + d) && !MismoColor(s, s + d) && Tab()[s + d] == caballo) return 1;
    for (int d : {9, 7, -7, -9, 8, -8, -1, 1}) {
        const bool diagonal = d == 9 || d == 7 || d == -7 || d == -9;
        for (int desde = s, t = s + d; Dentro(t); desde = t, t += d) {
            if (diagonal && !MismoColor(desde, t)) break;
            if ((d == 1 || d == -1) && MismoColor(desde, t)) break;
            const int c = Tab()[t];
            if (c == VACIA) continue;
            if (c == dama || c == (diagonal ? alfil : torre)) return 1;
            break;
        }
    }
    for (int d : {8, -8, 1, -1, 9, -9, 7, -7}) {
        if (!Dentro(s + d)) continue;
        const bool diagonal = d == 9 || d == 7 || d == -7 || d == -9;
        if ((d == 1 || d == -1) && MismoColor(s, s + d)) continue;
        if (diagonal && !MismoColor(s, s + d)) continue;
        if (Tab()[s + d] == rey) return 1;
    }
    return 0;
}

bool EnJaqueReferencia() {
    const TipoTablero& T = TableroGlobal;
    return T.Turno == 1 ? AtacadaReferencia(T.PosicionReyBlanco, false) : AtacadaReferencia(T.PosicionReyNegro, true);
}

// ---- Positions. ----

// Positions from play; with `imposibles`, also a few boards no game reaches (make move is
// not meant for those: the checked build rejects them).
std::vector<std::string> Posiciones(bool imposibles) {
    const std::vector<std::string> inicios = {
        FEN_INICIAL,
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
        "r3k2r/1P4P1/8/3pP3/8/8/1p4p1/R3K2R w KQkq d6 0 1",
        "4k3/8/8/8/8/8/6b1/4K1RR b K - 0 1",
    };
    std::vector<std::string> r = inicios;
    // Pawns on the last ranks, an en passant square without a pawn, several kings.
    if (imposibles)
        r.insert(r.end(), {"P6p/8/8/3pP3/8/8/8/p3K2k w - d6 0 1", "k7/8/8/8/4P3/8/8/7K b - e3 0 1",
                           "QqQqQqQq/qQqQqQqQ/8/8/8/8/NnBbRrKk/kKnNbBrR w - - 0 1"});
    const auto jugadas = PosicionesAlAzar(inicios, 400, 60, 2024);
    r.insert(r.end(), jugadas.begin(), jugadas.end());
    return r;
}

std::vector<Jugada> Generar(int modo) {
    ListaJugadas lista;
    const int n = GenerarMovimientos(modo, lista);
    std::vector<Jugada> r;
    for (int i = 0; i < n; i++) r.push_back(lista[i].Jugada);
    return r;
}

}  // namespace

TEST(Referencia, MoveListsAndAttacks) {
    for (const auto& fen : Posiciones(true)) {
        PonerFen(fen);
        for (int modo : {GENERAR_TODAS, GENERAR_CAPTURAS}) {
            Salir = 0;
            EXPECT_EQ(Generar(modo), GenerarReferencia(modo)) << fen << " mode " << modo;
        }
        Salir = 0;
        for (int s = 0; s < 64; s++) {
            ASSERT_EQ(JaqueNegras(s), AtacadaReferencia(s, true)) << fen << " square " << s;
            ASSERT_EQ(JaqueBlancas(s), AtacadaReferencia(s, false)) << fen << " square " << s;
        }
    }
}

TEST(Referencia, OverflowKeepsTheFirstMovesInOrder) {
    // A board no game can reach, with more pseudo-legal moves than the list holds: the list
    // keeps exactly the first 255 of them and nothing is written past it.
    PonerFen("BQQQQ1QQ/Q2Q1Q1Q/Q6Q/Q6Q/Q1Q4Q/Q6Q/1Q5Q/KQQQQQQk w - - 0 1");
    const std::vector<Jugada> todas = GenerarReferencia(GENERAR_TODAS);
    ASSERT_GT(todas.size(), size_t(MAX_JUGADAS));
    struct {
        ListaJugadas lista;
        u32 centinela = 0xDEADBEEF;
    } guardado;
    Salir = 0;
    EXPECT_EQ(GenerarMovimientos(GENERAR_TODAS, guardado.lista), MAX_JUGADAS);
    EXPECT_EQ(Salir, 1);
    EXPECT_EQ(guardado.centinela, 0xDEADBEEFu);
    for (int i = 0; i < MAX_JUGADAS; i++) ASSERT_EQ(guardado.lista[i].Jugada, todas[i]) << i;
    Salir = 0;
}

// Every shortcut against the full test, for every generated move of every position: make
// move's legality test along one line, the legality test before making, the gives-check test
// after the move and the one before it, the sorting out of check evasions, and the key
// foreseen before a move.
TEST(Referencia, LegalityAndCheckShortcuts) {
    int atajos = 0, evasiones = 0, sinJaque = 0;
    for (const auto& fen : Posiciones(false)) {
        PonerFen(fen);
        TableroGlobal.Ply = 1;  // below the root: the undo entry at ply 0 is the previous move's
        const bool enJaque = EnJaqueReferencia();
        // Positions where the side not to move is in check are not reached by play.
        TableroGlobal.Turno ^= 1;
        const bool rivalEnJaque = EnJaqueReferencia();
        TableroGlobal.Turno ^= 1;
        const InfoJaque info = AnalizarJaque();
        EXPECT_EQ(info.atacantes > 0, enJaque) << fen;
        for (Jugada j : Generar(GENERAR_TODAS)) {
            const Instantanea antes = Tomar();
            const u64 prevista = ClavePrevista(j);
            const int legal = HacerMovimiento(j);
            // The key foreseen before the move is exact unless castling rights change.
            if (TableroGlobal.EnroqueBlancas == antes.tablero.EnroqueBlancas &&
                TableroGlobal.EnroqueNegras == antes.tablero.EnroqueNegras) {
                EXPECT_EQ(prevista, TableroGlobal.Hash) << fen << " " << j;
            }
            const bool daJaque = EnJaqueReferencia();
            const EntradaHistorial entrada = TableroGlobal.Historial[1];
            DeshacerMovimiento();
            if (!rivalEnJaque && !PuedeDarJaque(j)) {
                EXPECT_FALSE(legal && daJaque) << fen << " " << j;
                sinJaque++;
            }
            if (!enJaque) {
                const int pieza = Tab()[Origen(j)];
                if (pieza != REY_B && pieza != REY_N && !AlPaso(j) && !Enroque(j)) {
                    EXPECT_EQ(LegalSinHacer(j), legal) << fen << " " << j;
                }
                EXPECT_EQ(HacerMovimientoSinJaque(j), legal) << fen << " " << j;
                if (legal && !rivalEnJaque) {
                    EXPECT_EQ(DaJaque(j), daJaque) << fen << " " << j;
                    atajos++;
                }
                DeshacerMovimiento();
            } else if (!PuedeEvitarJaque(info, j)) {
                EXPECT_EQ(legal, 0) << fen << " " << j;
                DescartarMovimiento(j);
                const EntradaHistorial& h = TableroGlobal.Historial[1];
                EXPECT_TRUE(h.Hash == entrada.Hash && h.Jugada == entrada.Jugada &&
                            h.PosicionReyBlanco == entrada.PosicionReyBlanco &&
                            h.PosicionReyNegro == entrada.PosicionReyNegro &&
                            h.EnroqueBlancas == entrada.EnroqueBlancas && h.EnroqueNegras == entrada.EnroqueNegras &&
                            h.FichaAlPaso == entrada.FichaAlPaso && h.Regla50 == entrada.Regla50)
                    << fen << " " << j;
                evasiones++;
            }
            ASSERT_TRUE(Tomar() == antes) << fen << " " << j;
        }
    }
    // The positions do exercise both shortcuts.
    EXPECT_GT(atajos, 5000);
    EXPECT_GT(evasiones, 100);
    EXPECT_GT(sinJaque, 5000);
    TableroGlobal.Ply = 0;
}
