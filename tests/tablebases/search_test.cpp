// The search with the real tablebases, through the engine binary: the scores it reports are
// the exact tablebase results, and its moves keep the win against the longest defence until
// mate.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/board_helpers.h"
#include "support/engine_process.h"
#include "tablebases/gaviota.h"

namespace {

const char* const RUTA = "/usr/share/gaviotatb/gtb4";

// The score word pair ("mate 8", "cp 0") of the last iteration line, and the best move.
struct Respuesta {
    std::string puntuacion, jugada;
};

Respuesta Pensar(ProcesoMotor& motor, const std::string& posicion) {
    motor.Enviar("position " + posicion);
    motor.Enviar("go depth 6");
    Respuesta r;
    for (const std::string& l : motor.LeerHasta("bestmove ")) {
        if (l.rfind("info depth ", 0) == 0) {
            size_t i = l.find(" score ");
            size_t j = l.find(" pv ");
            if (i != std::string::npos && j != std::string::npos) r.puntuacion = l.substr(i + 7, j - i - 7);
        } else if (l.rfind("bestmove ", 0) == 0) {
            r.jugada = l.substr(9, l.find(' ', 9) - 9);
        }
    }
    return r;
}

// The tablebase score of the board position for the side to move.
int Tablas() {
    int p = 0;
    EXPECT_EQ(Probar_gtbgaviota(p, 1), 1);
    return p;
}

class BusquedaConTablas : public testing::Test {
protected:
    void SetUp() override {
        guardado_ = tbprobe_Gaviota;
        std::strcpy(tbprobe_Gaviota.GaviotaTbPath, RUTA);
        tbprobe_Gaviota.GaviotaCompression = 4;
        Capturar(Cargar_gtbgaviota_dll);
        ASSERT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
        motor_.Enviar("setoption name UseGaviotaTablebases value true");
        motor_.Enviar(std::string("setoption name GaviotaTbPath value ") + RUTA);
        motor_.Enviar("setoption name GaviotaCompression value 4");
        motor_.Enviar("setoption name ShowPv value Full");
        motor_.Enviar("isready");
        ASSERT_EQ(motor_.LeerHasta("readyok").back(), "readyok");
    }
    void TearDown() override {
        motor_.Enviar("quit");
        EXPECT_EQ(motor_.Esperar(), 0);
        Descargar_gtbgaviota_dll();
        tbprobe_Gaviota = guardado_;
    }
    RegistroGaviota guardado_;
    ProcesoMotor motor_;
};

TEST_F(BusquedaConTablas, ReportsExactScores) {
    const std::pair<const char*, const char*> casos[] = {
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "mate 8"},
        {"4k3/8/8/8/8/8/8/3QK3 b - - 0 1", "mate -8"},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "mate 12"},
        {"2k5/8/2K5/8/8/8/8/7R b - - 0 1", "mate -2"},
        {"4k3/8/4K3/4P3/8/8/8/8 w - - 0 1", "mate 11"},
        {"8/8/8/8/8/4k3/4P3/4K3 w - - 0 1", "cp 0"},
        {"k7/1Q6/8/8/8/8/8/7K b - - 0 1", "cp 0"},
    };
    for (auto [fen, puntuacion] : casos) {
        SCOPED_TRACE(fen);
        EXPECT_EQ(Pensar(motor_, std::string("fen ") + fen).puntuacion, puntuacion);
    }
}

// The engine plays the winning side; the defender answers with the move the tablebases say
// lasts longest. The win must never slip, and mate must come (within twice the shortest
// distance, so that shuffling without progress fails).
TEST_F(BusquedaConTablas, KeepsTheWinUntilMate) {
    const std::pair<const char*, int> casos[] = {
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", 8},
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", 12},
        {"4k3/8/4K3/4P3/8/8/8/8 w - - 0 1", 11},
    };
    for (auto [fen, movimientos] : casos) {
        SCOPED_TRACE(fen);
        std::string partida = std::string("fen ") + fen + " moves";
        bool mate = false;
        for (int n = 1; n <= 2 * movimientos && !mate; n++) {
            Posicion(partida);
            const int antes = Tablas();
            ASSERT_GT(antes, 30000);
            Respuesta r = Pensar(motor_, partida);
            ASSERT_TRUE(Jugar(r.jugada)) << "no legal best move: '" << r.jugada << "'";
            partida += " " + r.jugada;

            // The longest defence, or the end of the game.
            Posicion(partida);
            std::string defensa;
            int peor = 0;
            for (const std::string& j : JugadasLegales()) {
                Posicion(partida + " " + j);
                int p = Tablas();  // for the winning side, now to move again
                if (defensa.empty() || p < peor) defensa = j, peor = p;
            }
            if (defensa.empty()) {
                Posicion(partida);
                EXPECT_TRUE(Jaque2(TableroGlobal.Turno == 1 ? TableroGlobal.PosicionReyBlanco
                                                             : TableroGlobal.PosicionReyNegro))
                    << "stalemate after " << partida;
                mate = true;
            } else {
                // Still won, and (being a mate distance) never farther than before.
                EXPECT_GT(peor, 30000) << partida << " " << defensa;
                EXPECT_LE(peor, antes + 2) << partida << " " << defensa;
                partida += " " + defensa;
            }
        }
        EXPECT_TRUE(mate) << partida;
    }
}

}  // namespace
