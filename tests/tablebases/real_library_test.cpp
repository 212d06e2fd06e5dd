// The real probing library (libgaviotatb1) with Debian's 3-piece files (gaviotatb): the
// "isready" report through the engine binary for each compression scheme, switching the
// tablebases off and on, a wrong path, and direct probes of won and drawn endings.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
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

std::vector<std::string> Concatenar(std::initializer_list<std::vector<std::string>> partes) {
    std::vector<std::string> r;
    for (const auto& p : partes) r.insert(r.end(), p.begin(), p.end());
    return r;
}

TEST(BibliotecaReal, IsreadyReportForEachCompressionScheme) {
    for (int esquema = 1; esquema <= 4; esquema++) {
        const std::string ruta = DIRECTORIO + std::to_string(esquema);
        SCOPED_TRACE(ruta);
        auto entrada = Activar(ruta, esquema);
        entrada.push_back("isready");
        EXPECT_EQ(Sesion(entrada), Informe(ruta, esquema, true));
    }
}

TEST(BibliotecaReal, WrongSchemeOrPathReportsWhatTheLibraryFinds) {
    // The files of one scheme are not read under another.
    auto entrada = Activar(DIRECTORIO + "4", 1);
    entrada.push_back("isready");
    EXPECT_EQ(Sesion(entrada), Informe(DIRECTORIO + "4", 1, false));

    entrada = Activar("/no/existe/tablas", 4);
    entrada.push_back("isready");
    EXPECT_EQ(Sesion(entrada), Informe("/no/existe/tablas", 4, false));
}

TEST(BibliotecaReal, OptionChangesTakeEffectAfterSwitchingOffAndOn) {
    const std::string ruta4 = DIRECTORIO + "4", ruta1 = DIRECTORIO + "1";
    auto entrada = Concatenar({Activar(ruta4, 4),
                               {"isready", "isready"},
                               Activar(ruta1, 1),  // ignored while loaded
                               {"isready", "setoption name UseGaviotaTablebases value false", "isready",
                                "isready", "setoption name UseGaviotaTablebases value true", "isready"}});
    auto esperado = Concatenar({Informe(ruta4, 4, true),
                                {"readyok", "readyok", "readyok", "readyok"},
                                Informe(ruta1, 1, true)});
    EXPECT_EQ(Sesion(entrada), esperado);
}

// Switched off, the library is really let go: nothing in this process keeps it mapped.
TEST(BibliotecaReal, SwitchingOffUnmapsTheLibrary) {
    RegistroGaviota guardado = tbprobe_Gaviota;
    tbprobe_Gaviota.UseGaviotaTablebases = 1;
    std::strcpy(tbprobe_Gaviota.GaviotaTbPath, (DIRECTORIO + "4").c_str());
    tbprobe_Gaviota.GaviotaCompression = 4;
    std::string salida = Capturar(ResponderIsReady);
    EXPECT_NE(salida.find("3-pc TBs complete\n"), std::string::npos) << salida;
    void* h = dlopen(NombreBibliotecaGaviota, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(h, nullptr);
    dlclose(h);

    tbprobe_Gaviota.UseGaviotaTablebases = 0;
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 0);
    EXPECT_EQ(dlopen(NombreBibliotecaGaviota, RTLD_NOW | RTLD_NOLOAD), nullptr);
    tbprobe_Gaviota = guardado;
}

class SondaReal : public testing::Test {
protected:
    static void SetUpTestSuite() {
        guardado_ = tbprobe_Gaviota;
        std::strcpy(tbprobe_Gaviota.GaviotaTbPath, (DIRECTORIO + "4").c_str());
        tbprobe_Gaviota.GaviotaCompression = 4;
        Capturar(Cargar_gtbgaviota_dll);
    }
    static void TearDownTestSuite() {
        Descargar_gtbgaviota_dll();
        tbprobe_Gaviota = guardado_;
    }
    void SetUp() override {
        ASSERT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
        ASSERT_EQ(tbprobe_Gaviota.TablasDisponibles, 3);
    }
    static RegistroGaviota guardado_;
};
RegistroGaviota SondaReal::guardado_;

struct CasoSonda {
    const char* fen;
    int r, puntuacion;
};

template <size_t N>
void Comprobar(const CasoSonda (&casos)[N]) {
    for (const CasoSonda& c : casos) {
        SCOPED_TRACE(c.fen);
        PonerFen(c.fen);
        int p = 12345;
        EXPECT_EQ(Probar_gtbgaviota(p, 1), c.r);
        EXPECT_EQ(p, c.puntuacion);
    }
}

// Mate distances as confirmed by Stockfish (mate in n moves = 2n - 1 plies for the winner to
// move, 2n plies for the loser); a win scores 30999 minus the plies.
TEST_F(SondaReal, KingAndQueen) {
    const CasoSonda casos[] = {
        {"k7/8/1K6/8/8/8/7Q/8 w - - 0 1", 1, 30999 - 1},       // Qh8 mate
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", 1, 30999 - 15},     // mate in 8
        {"4k3/8/8/8/8/8/8/3QK3 b - - 0 1", 1, 16 - 30999},     // mated in 8
        {"3qk3/8/8/8/8/8/8/4K3 b - - 0 1", 1, 30999 - 15},     // Black's queen: mate in 8
        {"3qk3/8/8/8/8/8/8/4K3 w - - 0 1", 1, 16 - 30999},
        {"k7/1Q6/8/8/8/8/8/7K b - - 0 1", 1, 0},               // Kxb7
        {"k7/2Q5/1K6/8/8/8/8/8 b - - 0 1", 1, 0},              // stalemate
    };
    Comprobar(casos);
}

TEST_F(SondaReal, KingAndRook) {
    const CasoSonda casos[] = {
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", 1, 30999 - 23},     // mate in 12
        {"2k5/8/2K5/8/8/8/8/7R b - - 0 1", 1, 4 - 30999},      // mated in 2
        {"8/8/8/8/8/2k5/8/r3K3 w - - 0 1", 1, 20 - 30999},     // Black's rook: mated in 10
    };
    Comprobar(casos);
}

TEST_F(SondaReal, KingAndPawn) {
    const CasoSonda casos[] = {
        {"4k3/8/4K3/4P3/8/8/8/8 w - - 0 1", 1, 30999 - 21},    // mate in 11
        {"4k3/8/4K3/4P3/8/8/8/8 b - - 0 1", 1, 24 - 30999},    // mated in 12
        {"8/8/8/8/8/4k3/4P3/4K3 w - - 0 1", 1, 0},             // Black holds the opposition
        {"4k3/4P3/4K3/8/8/8/8/8 b - - 0 1", 1, 0},             // stalemate
        // Just after e2-e4: the en passant target goes along and changes nothing.
        {"4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", 1, 0},
        {"4k3/8/8/8/4P3/8/8/4K3 b - - 0 1", 1, 0},
    };
    Comprobar(casos);
}

TEST_F(SondaReal, PositionsTheTablesCannotAnswer) {
    const CasoSonda casos[] = {
        {"4k3/8/8/8/8/8/8/2RQK3 w - - 0 1", 0, 0},   // four men: no files
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", 0, 0},    // castling rights are outside the tables
        {"k7/8/1K6/8/8/8/8/7Q w - - 0 1", 0, 0},     // Black in check with White to move
    };
    Comprobar(casos);
}

TEST_F(SondaReal, SoftProbeAnswersFromTheCache) {
    PonerFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
    int dura = 0, blanda = 0;
    ASSERT_EQ(Probar_gtbgaviota(dura, 1), 1);
    ASSERT_EQ(Probar_gtbgaviota(blanda, 10), 1);
    EXPECT_EQ(blanda, dura);
}

}  // namespace
