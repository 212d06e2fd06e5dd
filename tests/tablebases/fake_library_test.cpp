// Loading, reporting, unloading and probing against a stand-in library that records what the
// engine hands it: the order of the calls, the settings passed, the position in the library's
// own form (squares a1 = 0, kinds, side, castling, en passant target), and the conversion of
// its answers to scores.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform.h"
#include "support/board_helpers.h"
#include "tablebases/falso/falso_gtb.h"
#include "tablebases/gaviota.h"
#include "tablebases/operaciones.h"
#include "uci/uci.h"

namespace {

// How many of the 14 operation pointers are set.
int Presentes() {
    const void* ops[] = {(void*)tb_init,       (void*)tb_done,           (void*)tb_probe_hard,
                         (void*)tb_probe_soft, (void*)tb_is_initialized, (void*)tb_availability,
                         (void*)tbcache_init,  (void*)tbcache_done,      (void*)tbcache_is_on,
                         (void*)tbcache_flush, (void*)tbstats_reset,     (void*)tbpaths_init,
                         (void*)tbpaths_add,   (void*)tbpaths_done};
    int n = 0;
    for (const void* p : ops) n += p != nullptr;
    return n;
}

// Whether the dynamic loader still has the file mapped (without loading it).
bool Cargada(const char* ruta) {
    void* h = dlopen(ruta, RTLD_NOW | RTLD_NOLOAD);
    if (h) dlclose(h);
    return h != nullptr;
}

const std::vector<std::string> INFORME_3PC = {"Initialized: Ok",       "", "State cache: Ok", "",
                                              "3-pc TBs available",    "3-pc TBs complete",
                                              "No 4-pc TBs available", "No 5-pc TBs available"};
const char* const DESCARGA = "tbcache_flush tbcache_done tb_done tbpaths_done ";

// The engine's tablebase state is saved and restored around every test; the stand-in (complete
// or not) is held open by the test itself, so that what it recorded survives the engine's release.
class BibliotecaFalsa : public testing::Test {
protected:
    void Usar(const char* ruta) {
        manejo_ = CargarBiblioteca(ruta);
        ASSERT_NE(manejo_, nullptr) << dlerror();
        reinterpret_cast<void (*)()>(BuscarOperacion(manejo_, "falso_reiniciar"))();
        f_ = reinterpret_cast<EstadoFalso* (*)()>(BuscarOperacion(manejo_, "falso_estado"))();
        rutas_init_ = reinterpret_cast<const char** (*)()>(BuscarOperacion(manejo_, "falso_rutas_init"))();
        rutas_anadir_ = reinterpret_cast<const char** (*)()>(BuscarOperacion(manejo_, "falso_rutas_anadir"))();
        NombreBibliotecaGaviota = ruta;
    }
    void SetUp() override {
        guardado_ = tbprobe_Gaviota;
        nombre_ = NombreBibliotecaGaviota;
        tbprobe_Gaviota.Rutas = nullptr;
        Usar(GTB_FALSO);
    }
    void TearDown() override {
        LiberarBibliotecaGaviota = LiberarBiblioteca;
        Descargar_gtbgaviota_dll();
        NombreBibliotecaGaviota = nombre_;
        tbprobe_Gaviota = guardado_;
        if (manejo_) LiberarBiblioteca(manejo_);
    }
    std::vector<std::string> Cargar() { return Lineas(Capturar(Cargar_gtbgaviota_dll)); }
    std::string Descargar(int esperado) {
        return Capturar([&] { EXPECT_EQ(Descargar_gtbgaviota_dll(), esperado); });
    }
    std::pair<int, int> Probar(int profundidad) {  // {result, score}
        int puntuacion = 12345;
        const int r = Probar_gtbgaviota(puntuacion, profundidad);
        return {r, puntuacion};
    }

    RegistroGaviota guardado_;
    const char* nombre_ = nullptr;
    void* manejo_ = nullptr;
    EstadoFalso* f_ = nullptr;
    const char** rutas_init_ = nullptr;
    const char** rutas_anadir_ = nullptr;
};

}  // namespace

TEST_F(BibliotecaFalsa, LoadCallsInOrderWithTheSettings) {
    static const char* anterior[1];  // a path list left from an earlier load
    tbprobe_Gaviota.Rutas = anterior;
    std::strcpy(tbprobe_Gaviota.GaviotaTbPath, "/tmp/tablas con blanco");
    tbprobe_Gaviota.GaviotaCompression = 2;
    tbprobe_Gaviota.GaviotaTbCache = 64;
    EXPECT_EQ(Cargar(), INFORME_3PC);
    EXPECT_STREQ(f_->llamadas,
                 "tbpaths_done tbpaths_init tbpaths_add tb_init tbcache_init tbstats_reset tb_is_initialized "
                 "tbcache_is_on tb_availability ");
    EXPECT_EQ(f_->rutas_fin, anterior);           // the old list is given back first
    EXPECT_EQ(f_->rutas_anadir, rutas_init_);     // the directory goes into the new list
    EXPECT_STREQ(f_->ruta, "/tmp/tablas con blanco");
    EXPECT_EQ(f_->rutas_tb_init, rutas_anadir_);  // and the list as returned by the addition
    EXPECT_EQ(tbprobe_Gaviota.Rutas, rutas_anadir_);
    EXPECT_EQ(f_->verbosidad, 1);
    EXPECT_EQ(f_->compresion, 2);
    EXPECT_EQ(f_->cache_bytes, 67108864u);
    EXPECT_EQ(f_->fraccion_wdl, 96);
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
    EXPECT_EQ(tbprobe_Gaviota.TablasDisponibles, 3);
    EXPECT_EQ(Presentes(), 14);
}

TEST_F(BibliotecaFalsa, ReportFollowsWhatTheLibrarySays) {
    const std::vector<std::string> ok = {"Initialized: Ok", "", "State cache: Ok", ""};
    auto con = [&ok](std::vector<std::string> l) { return l.insert(l.begin(), ok.begin(), ok.end()), l; };
    struct Caso {
        const char* texto;
        int inicializada, cache;
        unsigned disponibles;
        std::vector<std::string> esperado;
    };
    const Caso casos[] = {
        {"", 1, 1, 15, con({"3-pc TBs available", "3-pc TBs complete", "4-pc TBs available", "4-pc TBs complete",
                            "No 5-pc TBs available"})},
        {"", 1, 1, 63, con({"3-pc TBs available", "3-pc TBs complete", "4-pc TBs available", "4-pc TBs complete",
                            "5-pc TBs available", "5-pc TBs complete"})},
        {"", 1, 1, 1 | 4 | 16, con({"3-pc TBs available", "4-pc TBs available", "5-pc TBs available"})},
        // The library's own text comes first, as it is; a failure is reported and still loads.
        {"\nGTB PATHS\n  main: x\n\n100% sure", 0, 0, 0,
         {"", "GTB PATHS", "  main: x", "", "100% sure", "Initialized: FAILED", "", "State cache: FAILED", "",
          "No 3-pc TBs available", "No 4-pc TBs available", "No 5-pc TBs available"}},
    };
    for (const Caso& c : casos) {
        std::strcpy(f_->texto_init, c.texto);
        f_->inicializada = c.inicializada;
        f_->cache_activa = c.cache;
        f_->disponibles = c.disponibles;
        EXPECT_EQ(Cargar(), c.esperado) << c.disponibles;
        EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
        EXPECT_EQ(tbprobe_Gaviota.TablasDisponibles, int(c.disponibles));
        Descargar(1);
    }
}

// Shut down, then released (unmapped), silently; a failed release is reported and changes
// nothing; with nothing loaded there is nothing to do.
TEST_F(BibliotecaFalsa, UnloadShutsDownThenReleases) {
    Cargar();
    f_->llamadas[0] = 0;
    EXPECT_EQ(Descargar(1), "");
    EXPECT_STREQ(f_->llamadas, DESCARGA);
    EXPECT_EQ(f_->rutas_fin, rutas_anadir_);
    EXPECT_EQ(tbprobe_Gaviota.Rutas, nullptr);  // what the library gave back
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 0);
    EXPECT_EQ(gtb_hmod, nullptr);
    EXPECT_EQ(Presentes(), 0);
    Cargar();
    void* manejo = gtb_hmod;
    LiberarBibliotecaGaviota = [](void*) { return false; };
    EXPECT_EQ(Descargar(0), "Error: Liberar bitbases.\n");
    EXPECT_EQ(gtb_hmod, manejo);
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
    EXPECT_EQ(Presentes(), 14);
    LiberarBibliotecaGaviota = LiberarBiblioteca;
    EXPECT_EQ(Descargar(1), "");
    LiberarBiblioteca(manejo_);  // our own reference gone, nothing keeps it mapped
    manejo_ = nullptr;
    EXPECT_FALSE(Cargada(GTB_FALSO));
    EXPECT_EQ(Descargar(1), "");
    EXPECT_EQ(Probar(1), std::make_pair(0, 0));
}

TEST_F(BibliotecaFalsa, IsreadyLoadsOnceAndUnloadsWhenSwitchedOff) {
    tbprobe_Gaviota.UseGaviotaTablebases = 1;
    std::vector<std::string> esperado = INFORME_3PC;
    esperado.push_back("readyok");
    EXPECT_EQ(Lineas(Capturar(ResponderIsReady)), esperado);
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    f_->llamadas[0] = 0;
    tbprobe_Gaviota.UseGaviotaTablebases = 0;
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_STREQ(f_->llamadas, DESCARGA);
    EXPECT_EQ(gtb_hmod, nullptr);
}

// A library that lacks an operation, or no library at all: "isready" answers only "readyok",
// every time; nothing is called, kept or mapped, nothing for "quit" or a probe to call.
TEST_F(BibliotecaFalsa, IncompleteOrMissingLibraryIsSilent) {
    LiberarBiblioteca(manejo_);
    Usar(GTB_FALSO_INCOMPLETO);
    for (const char* nombre : {GTB_FALSO_INCOMPLETO, "libgaviotatb-no-instalada.so.1"}) {
        NombreBibliotecaGaviota = nombre;
        tbprobe_Gaviota.UseGaviotaTablebases = 1;
        EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n") << nombre;
        EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n") << nombre;
        EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 0);
        EXPECT_EQ(gtb_hmod, nullptr);
        EXPECT_EQ(Presentes(), 0);
        EXPECT_EQ(Descargar(1), "");
        EXPECT_EQ(Probar(1), std::make_pair(0, 0));
    }
    EXPECT_STREQ(f_->llamadas, "");
    LiberarBiblioteca(manejo_);
    manejo_ = nullptr;
    EXPECT_FALSE(Cargada(GTB_FALSO_INCOMPLETO));
}

// ---- Probing ----

class SondaFalsa : public BibliotecaFalsa {
protected:
    void SetUp() override {
        BibliotecaFalsa::SetUp();
        Cargar();
    }
    // The position as the library received it: square and kind lists, terminated by 64 and 0.
    void Recibido(const std::vector<unsigned>& casillasB, const std::vector<int>& piezasB,
                  const std::vector<unsigned>& casillasN, const std::vector<int>& piezasN) {
        ASSERT_LT(f_->nb, 17);
        ASSERT_LT(f_->nn, 17);
        EXPECT_EQ(std::vector<unsigned>(f_->casillasB, f_->casillasB + f_->nb + 1), casillasB);
        EXPECT_EQ(std::vector<int>(f_->piezasB, f_->piezasB + f_->nb + 1), piezasB);
        EXPECT_EQ(std::vector<unsigned>(f_->casillasN, f_->casillasN + f_->nn + 1), casillasN);
        EXPECT_EQ(std::vector<int>(f_->piezasN, f_->piezasN + f_->nn + 1), piezasN);
    }
};

// All 32 men after 1.e4, in board-scan order (a8 first), in the library's numbering (a1 = 0).
TEST_F(SondaFalsa, FullBoardAfterE4WithEnPassantTarget) {
    Posicion("startpos moves e2e4");
    const Instantanea antes = Tomar();
    f_->llamadas[0] = 0;
    EXPECT_EQ(Probar(1), std::make_pair(1, 0));
    EXPECT_TRUE(Tomar() == antes);
    EXPECT_STREQ(f_->llamadas, "tb_probe_hard ");
    EXPECT_EQ(f_->turno, 1u);      // Black to move
    EXPECT_EQ(f_->alpaso, 20u);    // e3, where a capturing pawn would land
    EXPECT_EQ(f_->enroques, 15u);  // all four castlings still allowed
    EXPECT_EQ(f_->resultado_previo, 7u);
    EXPECT_EQ(f_->plies_previos, 0u);
    // e4, then a2..h2 without e2, then a1..h1; a8..h8, then a7..h7.
    Recibido({28, 8, 9, 10, 11, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7, 64}, {1, 1, 1, 1, 1, 1, 1, 1, 4, 2, 3, 5, 6, 3, 2, 4, 0},
             {56, 57, 58, 59, 60, 61, 62, 63, 48, 49, 50, 51, 52, 53, 54, 55, 64},
             {4, 2, 3, 5, 6, 3, 2, 4, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    PonerFen("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    Probar(2);
    Recibido({4, 7, 64}, {6, 4, 0}, {60, 64}, {6, 0});  // e1, h1; e8
}

TEST_F(SondaFalsa, SideCastlingAndEnPassantArguments) {
    struct Caso {
        const char* posicion;
        unsigned turno, enroques, alpaso;
    };
    const Caso casos[] = {
        {"startpos moves e2e4 d7d5 e4e5 f7f5", 0, 15, 45},  // f6
        {"startpos moves a2a4", 1, 15, 16},                 // a3
        {"startpos moves g1f3 h7h5", 0, 15, 47},            // h6
        {"startpos moves e2e4 d7d5 e4e5 f7f5 e5f6", 1, 15, 64},  // taken: no more en passant
        {"startpos moves e2e3", 1, 15, 64},                 // a single step
        {"fen 4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", 1, 0, 20},
        {"fen r3k2r/8/8/8/8/8/8/R3K2R w KQq - 0 1", 0, 8 + 4 + 1, 64},
        {"fen r3k2r/8/8/8/8/8/8/R3K2R b Qk - 0 1", 1, 4 + 2, 64},
        // White has castled (short), Black still may: only Black's flags; both castled: none.
        {"startpos moves e2e4 e7e5 g1f3 g8f6 f1c4 f8c5 e1g1", 1, 2 + 1, 64},
        {"startpos moves e2e4 e7e5 g1f3 g8f6 f1c4 f8c5 e1g1 e8g8", 0, 0, 64},
    };
    for (const Caso& c : casos) {
        Posicion(c.posicion);
        Probar(1);
        EXPECT_EQ(f_->turno, c.turno) << c.posicion;
        EXPECT_EQ(f_->enroques, c.enroques) << c.posicion;
        EXPECT_EQ(f_->alpaso, c.alpaso) << c.posicion;
    }
}

// Hard probes at iteration depth 3 or less, soft (cache only) above; the answers become scores
// for the side to move: a win is 30999 minus the plies to mate.
TEST_F(SondaFalsa, ProbeKindAndScores) {
    PonerFen("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
    for (auto [profundidad, llamada] : {std::pair{1, "tb_probe_hard "}, {3, "tb_probe_hard "}, {4, "tb_probe_soft "}}) {
        f_->llamadas[0] = 0;
        Probar(profundidad);
        EXPECT_STREQ(f_->llamadas, llamada) << profundidad;
    }
    struct Caso {
        char turno;
        int devuelve;
        unsigned resultado, plies;
        int r, puntuacion;
    };
    const Caso casos[] = {
        {'w', 1, 1, 10, 1, 30989},  {'b', 1, 1, 9, 1, -30990},  // White mates
        {'b', 1, 2, 4, 1, 30995},   {'w', 1, 2, 6, 1, -30993},  // Black mates
        {'w', 1, 0, 5, 1, 0},                                   // draw
        {'w', 1, 3, 0, 0, 0},       {'w', 1, 7, 0, 0, 0},       // forbidden, unknown
        {'w', 0, 1, 10, 0, 0},      {'w', 2, 1, 10, 0, 0},      // anything but 1 is a failure
    };
    for (const Caso& c : casos) {
        PonerFen(std::string("4k3/8/8/8/8/8/8/3QK3 ") + c.turno + " - - 0 1");
        f_->sonda_devuelve = c.devuelve;
        f_->sonda_resultado = c.resultado;
        f_->sonda_plies = c.plies;
        EXPECT_EQ(Probar(1), std::make_pair(c.r, c.puntuacion)) << c.turno << " kind " << c.resultado;
        EXPECT_EQ(Probar(5), std::make_pair(c.r, c.puntuacion)) << c.turno << " kind " << c.resultado;
    }
}
