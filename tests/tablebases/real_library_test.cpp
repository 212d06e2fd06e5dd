// The real probing library (libgaviotatb1) with Debian's 3-piece files (gaviotatb): the
// "isready" report through the engine binary for two compression schemes, a wrong scheme and a
// wrong path, option changes waiting for the tables to be switched off and on; then, loaded in
// this process, direct probes and the release of the library.
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

// What the library prints at its initialisation (as is), then the engine's report.
std::vector<std::string> Informe(const std::string& ruta, int esquema, bool encontradas) {
    std::vector<std::string> l = {"", "GTB PATHS", "  main: " + ruta, "", "GTB initialization",
                                  "  Compression  Scheme = " + std::to_string(esquema)};
    if (encontradas)
        l.insert(l.end(), {"  Compression Indexes (3-pc) = PASSED", "  Compression Indexes (4-pc) = **FAILED**",
                           "  Compression Indexes (5-pc) = **FAILED**"});
    else
        l.push_back("  Compression Indexes = **FAILED**");
    l.insert(l.end(), {"", "", "Initialized: Ok", "", "State cache: Ok", ""});
    if (encontradas) l.insert(l.end(), {"3-pc TBs available", "3-pc TBs complete"});
    else l.push_back("No 3-pc TBs available");
    l.insert(l.end(), {"No 4-pc TBs available", "No 5-pc TBs available", "readyok"});
    return l;
}

}  // namespace

// The files of one scheme are not read under another; a wrong path finds nothing; changing the
// options while loaded changes nothing until the tables are switched off and on again.
TEST(BibliotecaReal, IsreadyReports) {
    const std::tuple<std::string, int, bool> casos[] = {
        {DIRECTORIO + "1", 1, true}, {DIRECTORIO + "4", 4, true}, {DIRECTORIO + "4", 1, false}, {"/no/existe", 4, false}};
    std::vector<std::string> entrada, esperado;
    for (const auto& [ruta, esquema, encontradas] : casos) {
        entrada.insert(entrada.end(), {"setoption name GaviotaTbPath value " + ruta,
                                       "setoption name GaviotaCompression value " + std::to_string(esquema),
                                       "setoption name UseGaviotaTablebases value true", "isready", "isready",
                                       "setoption name GaviotaTbPath value /no/existe", "isready",
                                       "setoption name UseGaviotaTablebases value false", "isready"});
        for (const auto& l : Informe(ruta, esquema, encontradas)) esperado.push_back(l);
        esperado.insert(esperado.end(), {"readyok", "readyok", "readyok"});
    }
    EXPECT_EQ(Sesion(entrada), esperado);
}

// Direct probes give exact results (mate distances confirmed by another engine: a win scores
// 30999 minus the plies to mate), also from the cache, and nothing for positions the tables
// cannot answer; switched off, the library is really let go (nothing keeps it mapped).
TEST(BibliotecaReal, DirectProbesAndRelease) {
    const RegistroGaviota guardado = tbprobe_Gaviota;
    tbprobe_Gaviota.UseGaviotaTablebases = 1;
    std::strcpy(tbprobe_Gaviota.GaviotaTbPath, (DIRECTORIO + "4").c_str());
    tbprobe_Gaviota.GaviotaCompression = 4;
    Capturar(ResponderIsReady);
    ASSERT_EQ(tbprobe_Gaviota.TablasDisponibles, 3);
    const std::tuple<const char*, int, int> casos[] = {
        {"k7/8/1K6/8/8/8/7Q/8 w - - 0 1", 1, 30999 - 1},    // Qh8 mate
        {"3qk3/8/8/8/8/8/8/4K3 b - - 0 1", 1, 30999 - 15},  // Black's queen: mate in 8
        {"8/8/8/8/8/2k5/8/r3K3 w - - 0 1", 1, 20 - 30999},  // Black's rook: mated in 10
        {"k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", 1, 0},           // stalemate
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", 1, 0},         // the en passant target changes nothing
        {"4k3/8/8/8/8/8/8/2RQK3 w - - 0 1", 0, 0},          // four men: no files
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", 0, 0},           // castling rights are outside the tables
        {"k7/8/1K6/8/8/8/8/7Q w - - 0 1", 0, 0},            // Black in check with White to move
    };
    for (auto [fen, r, puntuacion] : casos) {
        PonerFen(fen);
        for (int profundidad : {1, 10}) {  // a hard probe, then a soft one answered from the cache
            int p = 12345;
            EXPECT_EQ(Probar_gtbgaviota(p, profundidad), r) << fen;
            EXPECT_EQ(p, puntuacion) << fen;
        }
    }
    tbprobe_Gaviota.UseGaviotaTablebases = 0;
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_EQ(dlopen(NombreBibliotecaGaviota, RTLD_NOW | RTLD_NOLOAD), nullptr);
    tbprobe_Gaviota = guardado;
}
