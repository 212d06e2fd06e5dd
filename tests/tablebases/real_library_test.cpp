// The real probing library (libgaviotatb1) with Debian's 3-piece files (gaviotatb): the
// "isready" report through the engine binary for each compression scheme, switching the
// tablebases off and on, a wrong path, and direct probes of won and drawn endings.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "support/board_helpers.h"
#include "support/engine_process.h"
#include "tablebases/gaviota.h"
#include "uci/uci.h"

namespace {

const std::string DIRECTORIO = "/usr/share/gaviotatb/gtb";  // gtb1 .. gtb4, one per scheme

std::vector<std::string> Activar(const std::string& ruta, int compresion) {
    return {"setoption name UseGaviotaTablebases value true", "setoption name GaviotaTbPath value " + ruta,
            "setoption name GaviotaCompression value " + std::to_string(compresion)};
}

// What the library returns from its initialisation (printed as is), then the engine's lines.
std::vector<std::string> Informe(const std::string& ruta, int esquema, bool encontradas) {
    std::vector<std::string> l = {"", "GTB PATHS", "  main: " + ruta, "", "GTB initialization",
                                  "  Compression  Scheme = " + std::to_string(esquema)};
    if (encontradas) {
        l.insert(l.end(), {"  Compression Indexes (3-pc) = PASSED", "  Compression Indexes (4-pc) = **FAILED**",
                           "  Compression Indexes (5-pc) = **FAILED**"});
    } else {
        l.push_back("  Compression Indexes = **FAILED**");
    }
    l.insert(l.end(), {"", "", "Initialized: Ok", "", "State cache: Ok", ""});
    if (encontradas) l.insert(l.end(), {"3-pc TBs available", "3-pc TBs complete"});
    else l.push_back("No 3-pc TBs available");
    l.insert(l.end(), {"No 4-pc TBs available", "No 5-pc TBs available", "readyok"});
    return l;
}

std::vector<std::string> Sesion(std::vector<std::string> entrada) {
    entrada.push_back("quit");
    int estado = -5;
    auto salida = Transcripcion(entrada, &estado);
    EXPECT_EQ(estado, 0);
    return salida;
}

}  // namespace

TEST(BibliotecaReal, IsreadyReportForEachCompressionSchemeOrAWrongOne) {
    for (int esquema = 1; esquema <= 4; esquema++) {
        const std::string ruta = DIRECTORIO + std::to_string(esquema);
        auto entrada = Activar(ruta, esquema);
        entrada.push_back("isready");
        EXPECT_EQ(Sesion(entrada), Informe(ruta, esquema, true)) << ruta;
    }
    // The files of one scheme are not read under another; a wrong path finds nothing.
    auto entrada = Activar(DIRECTORIO + "4", 1);
    entrada.push_back("isready");
    EXPECT_EQ(Sesion(entrada), Informe(DIRECTORIO + "4", 1, false));
    entrada = Activar("/no/existe/tablas", 4);
    entrada.push_back("isready");
    EXPECT_EQ(Sesion(entrada), Informe("/no/existe/tablas", 4, false));
}

// Option changes while loaded wait until the tablebases are switched off and on again.
TEST(BibliotecaReal, OptionChangesTakeEffectAfterSwitchingOffAndOn) {
    const std::string ruta4 = DIRECTORIO + "4", ruta1 = DIRECTORIO + "1";
    auto entrada = Activar(ruta4, 4);
    entrada.insert(entrada.end(), {"isready", "isready"});
    for (const auto& l : Activar(ruta1, 1)) entrada.push_back(l);
    entrada.insert(entrada.end(), {"isready", "setoption name UseGaviotaTablebases value false", "isready", "isready",
                                   "setoption name UseGaviotaTablebases value true", "isready"});
    auto esperado = Informe(ruta4, 4, true);
    esperado.insert(esperado.end(), {"readyok", "readyok", "readyok", "readyok"});
    for (const auto& l : Informe(ruta1, 1, true)) esperado.push_back(l);
    EXPECT_EQ(Sesion(entrada), esperado);
}

// Loaded in this process: switched off, the library is really let go (nothing keeps it mapped);
// direct probes give exact results (mate distances as confirmed by Stockfish: a win scores 30999
// minus the plies to mate), and nothing for positions the tables cannot answer.
TEST(BibliotecaReal, UnloadAndDirectProbes) {
    const RegistroGaviota guardado = tbprobe_Gaviota;
    tbprobe_Gaviota.UseGaviotaTablebases = 1;
    std::strcpy(tbprobe_Gaviota.GaviotaTbPath, (DIRECTORIO + "4").c_str());
    tbprobe_Gaviota.GaviotaCompression = 4;
    const std::string salida = Capturar(ResponderIsReady);
    EXPECT_NE(salida.find("3-pc TBs complete\n"), std::string::npos) << salida;
    ASSERT_EQ(tbprobe_Gaviota.TablasDisponibles, 3);
    void* h = dlopen(NombreBibliotecaGaviota, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(h, nullptr);
    dlclose(h);

    const std::tuple<const char*, int, int> casos[] = {
        {"k7/8/1K6/8/8/8/7Q/8 w - - 0 1", 1, 30999 - 1},    // Qh8 mate
        {"3qk3/8/8/8/8/8/8/4K3 b - - 0 1", 1, 30999 - 15},  // Black's queen: mate in 8
        {"3qk3/8/8/8/8/8/8/4K3 w - - 0 1", 1, 16 - 30999},
        {"8/8/8/8/8/2k5/8/r3K3 w - - 0 1", 1, 20 - 30999},  // Black's rook: mated in 10
        {"k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", 1, 0},           // stalemate
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", 1, 0},         // the en passant target changes nothing
        {"4k3/8/8/8/8/8/8/2RQK3 w - - 0 1", 0, 0},          // four men: no files
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", 0, 0},           // castling rights are outside the tables
        {"k7/8/1K6/8/8/8/8/7Q w - - 0 1", 0, 0},            // Black in check with White to move
    };
    for (auto [fen, r, puntuacion] : casos) {
        PonerFen(fen);
        int p = 12345, blanda = 12345;
        EXPECT_EQ(Probar_gtbgaviota(p, 1), r) << fen;
        EXPECT_EQ(p, puntuacion) << fen;
        EXPECT_EQ(Probar_gtbgaviota(blanda, 10), r) << fen;  // the soft probe answers from the cache
        EXPECT_EQ(blanda, puntuacion) << fen;
    }

    tbprobe_Gaviota.UseGaviotaTablebases = 0;
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 0);
    EXPECT_EQ(dlopen(NombreBibliotecaGaviota, RTLD_NOW | RTLD_NOLOAD), nullptr);
    tbprobe_Gaviota = guardado;
}
