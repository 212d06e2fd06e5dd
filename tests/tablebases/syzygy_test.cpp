// The Syzygy tables through the engine binary, with the 3-men files kept beside this test:
// what a path with missing directories and damaged files loads and reports, the probe of the
// search, and the root kept to the moves that keep the tables' result.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/board_helpers.h"
#include "support/engine_process.h"

namespace fs = std::filesystem;

namespace {

const std::string TABLAS = std::string(VEMSUL_SOURCE_DIR) + "/tests/tablebases/syzygy";

void Copiar(const std::string& tabla, const fs::path& dir) { fs::copy_file(TABLAS + "/" + tabla, dir / tabla); }

// The score text and the best move of a search, and whether its info lines carry tbhits.
struct Busqueda {
    std::string puntuacion, mejor;
    bool aciertos = false;
};

Busqueda Buscar(ProcesoMotor& motor, const std::string& fen, int profundidad) {
    motor.Enviar({"position fen " + fen, "go depth " + std::to_string(profundidad)});
    Busqueda b;
    for (const std::string& l : motor.LeerHasta("bestmove ")) {
        if (Empieza(l, "info depth ")) {
            b.puntuacion = l.substr(l.find(" score ") + 7, l.find(" pv ") - l.find(" score ") - 7);
            b.aciertos = l.find(" tbhits ") != std::string::npos;
        }
        if (Empieza(l, "bestmove ")) b.mejor = l.substr(9);
    }
    return b;
}

std::string Sonda(ProcesoMotor& motor, const std::string& fen) {
    motor.Enviar({"position fen " + fen, "syzygy"});
    const std::vector<std::string> l = motor.LeerHasta("Syzygy:");
    return l.empty() ? "" : l.back();
}

}  // namespace

// A directory that cannot be read and files refused by the engine (wrong size, wrong magic)
// are reported; a refused file's copy in a later directory is used instead; a file that passes
// those checks but is cut short is refused by the prober when first probed, and the root then
// ranks by win/draw/loss alone. The probes give the tables' results.
TEST(Syzygy, DamagedPathsReportAndFallBack) {
    DirectorioTemporal a, b;
    for (const char* t : {"KRvK.rtbw", "KPvK.rtbw", "KPvK.rtbz", "KRvK.rtbz"}) Copiar(t, a.Ruta());
    for (const char* t : {"KQvK.rtbw", "KQvK.rtbz"}) Copiar(t, b.Ruta());
    fs::resize_file(a.Fichero("KRvK.rtbz"), 64 + 16);  // the size of a table, not its contents
    std::ofstream(a.Fichero("KQvK.rtbw")) << std::string(100, 'x');  // no table's size
    std::ofstream(a.Fichero("KNvK.rtbw")) << std::string(80, 'x');   // the right size, no magic number
    const std::string faltante = a.Fichero("no-existe");

    ProcesoMotor motor;
    motor.Enviar("setoption name ShowPv value Full");
    motor.Enviar({"setoption name SyzygyPath value " + a.Ruta() + ":" + faltante + ":" + b.Ruta(), "isready"});
    const std::vector<std::string> esperado = {
        "info string Syzygy: no se puede leer el directorio " + faltante,
        "info string Syzygy: se descarta " + a.Fichero("KQvK.rtbw") + " (truncada o de tama\xF1o imposible)",
        "info string Syzygy: se descarta " + a.Fichero("KNvK.rtbw") + " (no es una tabla de su clase)",
        "info string Syzygy: 3 tablas WDL y 3 DTZ, hasta 3 piezas",
        "readyok"};
    EXPECT_EQ(motor.LeerHasta("readyok"), esperado);

    EXPECT_EQ(Sonda(motor, "8/8/8/3k4/8/8/1Q6/4K3 w - - 0 1"), "Syzygy: 30000");   // from the second directory
    EXPECT_EQ(Sonda(motor, "8/8/8/3k4/8/8/1Q6/4K3 b - - 0 1"), "Syzygy: -30000");
    EXPECT_EQ(Sonda(motor, "8/8/8/8/8/4k3/4P3/4K3 w - - 0 1"), "Syzygy: 0");       // KPvK drawn
    EXPECT_EQ(Sonda(motor, "4k3/8/4K3/4P3/8/8/8/8 b - - 0 1"), "Syzygy: -30000");
    EXPECT_EQ(Sonda(motor, "8/8/8/3k4/8/8/1N6/4K3 w - - 0 1"), "Syzygy: sin resultado");
    EXPECT_EQ(Sonda(motor, "4k3/8/8/8/8/8/8/R3K3 w Q - 0 1"), "Syzygy: sin resultado");  // may castle
    // KRvK: its distance file is cut short; the root still keeps to winning moves.
    const Busqueda torre = Buscar(motor, "8/8/8/3k4/8/8/8/R3K3 w - - 0 1", 4);
    EXPECT_EQ(torre.puntuacion, "cp 29936");
    EXPECT_TRUE(torre.aciertos);
    EXPECT_EQ(motor.Terminar(), 0);
}

// The root keeps to the moves that keep the tables' result, where a shallow search alone picks
// another (the only winning king move rather than the pawn's, the only drawing retreat) and
// reports the result; below the root a capture into the tables scores a win less its distance,
// within SyzygyProbeLimit; with the path emptied again the info lines are as without tables.
// The path, with 300 empty directory names ahead of the real one, is longer than other options
// may be.
TEST(Syzygy, RootKeepsResultAndSearchProbes) {
    ProcesoMotor motor;
    motor.Enviar("setoption name ShowPv value Full");
    motor.Enviar("setoption name SyzygyPath value " + std::string(300, ':') + TABLAS);
    motor.LeerHasta("info string Syzygy: 5 tablas WDL y 5 DTZ, hasta 3 piezas");

    const Busqueda gana = Buscar(motor, "4k3/8/8/2P5/2K5/8/8/8 w - - 0 1", 4);
    EXPECT_EQ(gana.mejor.substr(0, 4), "c4b5") << "the tables' only winning move";
    EXPECT_EQ(gana.puntuacion, "cp 29936");
    const Busqueda tablas = Buscar(motor, "1K4k1/8/4P3/8/8/8/8/8 b - - 0 1", 4);
    EXPECT_EQ(tablas.mejor.substr(0, 4), "g8f8") << "the tables' only drawing move";
    EXPECT_EQ(tablas.puntuacion, "cp 0");

    // Four men, no four-men files: Qxd4 reaches KQvK, won one ply from the root.
    const std::string caballo = "4k3/8/8/8/3n4/8/8/3QK3 w - - 0 1";
    motor.Enviar("setoption name SyzygyProbeLimit value 3");
    EXPECT_EQ(Buscar(motor, caballo, 3).puntuacion, "cp 29999");
    motor.Enviar("setoption name SyzygyProbeLimit value 2");
    const Busqueda sinSonda = Buscar(motor, caballo, 3);
    EXPECT_LT(std::atoi(sinSonda.puntuacion.substr(3).c_str()), 29000) << sinSonda.puntuacion;
    EXPECT_TRUE(sinSonda.aciertos);

    motor.Enviar("setoption name SyzygyPath value <empty>");
    EXPECT_FALSE(Buscar(motor, caballo, 3).aciertos);
    EXPECT_EQ(motor.Terminar(), 0);
}
