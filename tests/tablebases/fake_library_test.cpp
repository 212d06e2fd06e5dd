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

// The 20 operation pointers, in lookup order.
std::vector<void*> Operaciones() {
    return {(void*)tb_init,           (void*)tb_restart,      (void*)tb_done,           (void*)tb_probe_hard,
            (void*)tb_probe_soft,     (void*)tb_probe_WDL_hard, (void*)tb_probe_WDL_soft, (void*)tb_is_initialized,
            (void*)tb_availability,   (void*)tb_indexmemory,  (void*)tbcache_init,      (void*)tbcache_restart,
            (void*)tbcache_done,      (void*)tbcache_is_on,   (void*)tbcache_flush,     (void*)tbstats_reset,
            (void*)tbpaths_init,      (void*)tbpaths_add,     (void*)tbpaths_done,      (void*)tbpaths_getmain};
}

bool TodasNulas() {
    for (void* p : Operaciones())
        if (p) return false;
    return true;
}

bool TodasPresentes() {
    for (void* p : Operaciones())
        if (!p) return false;
    return true;
}

// Whether the dynamic loader still has the file mapped (without loading it).
bool Cargada(const char* ruta) {
    void* h = dlopen(ruta, RTLD_NOW | RTLD_NOLOAD);
    if (h) dlclose(h);
    return h != nullptr;
}

const std::vector<std::string> INFORME_3PC = {
    "Initialized: Ok", "", "State cache: Ok", "", "3-pc TBs available", "3-pc TBs complete",
    "No 4-pc TBs available", "No 5-pc TBs available",
};

// The engine's tablebase state is saved and restored around every test; the stand-in is held
// open by the test itself, so that what it recorded survives the engine's release.
class BibliotecaFalsa : public testing::Test {
protected:
    void SetUp() override {
        guardado_ = tbprobe_Gaviota;
        nombre_ = NombreBibliotecaGaviota;
        manejo_ = CargarBiblioteca(GTB_FALSO);
        ASSERT_NE(manejo_, nullptr) << dlerror();
        reinterpret_cast<void (*)()>(BuscarOperacion(manejo_, "falso_reiniciar"))();
        f_ = reinterpret_cast<EstadoFalso* (*)()>(BuscarOperacion(manejo_, "falso_estado"))();
        rutas_init_ = reinterpret_cast<const char** (*)()>(BuscarOperacion(manejo_, "falso_rutas_init"))();
        rutas_anadir_ = reinterpret_cast<const char** (*)()>(BuscarOperacion(manejo_, "falso_rutas_anadir"))();
        NombreBibliotecaGaviota = GTB_FALSO;
        tbprobe_Gaviota.Rutas = nullptr;
    }
    void TearDown() override {
        LiberarBibliotecaGaviota = LiberarBiblioteca;
        Descargar_gtbgaviota_dll();
        NombreBibliotecaGaviota = nombre_;
        tbprobe_Gaviota = guardado_;
        if (manejo_) LiberarBiblioteca(manejo_);
    }
    std::vector<std::string> Cargar() { return Lineas(Capturar(Cargar_gtbgaviota_dll)); }
    // Probes the current board; returns {result, score}.
    std::pair<int, int> Probar(int profundidad) {
        int puntuacion = 12345;
        int r = Probar_gtbgaviota(puntuacion, profundidad);
        return {r, puntuacion};
    }

    RegistroGaviota guardado_;
    const char* nombre_ = nullptr;
    void* manejo_ = nullptr;
    EstadoFalso* f_ = nullptr;
    const char** rutas_init_ = nullptr;
    const char** rutas_anadir_ = nullptr;
};

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
    EXPECT_EQ(f_->rutas_fin, anterior);            // the old list is given back first
    EXPECT_EQ(f_->rutas_anadir, rutas_init_);      // the directory goes into the new list
    EXPECT_STREQ(f_->ruta, "/tmp/tablas con blanco");
    EXPECT_EQ(f_->rutas_tb_init, rutas_anadir_);   // and the list as returned by the addition
    EXPECT_EQ(tbprobe_Gaviota.Rutas, rutas_anadir_);
    EXPECT_EQ(f_->verbosidad, 1);
    EXPECT_EQ(f_->compresion, 2);
    EXPECT_EQ(f_->cache_bytes, 67108864u);
    EXPECT_EQ(f_->fraccion_wdl, 96);
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
    EXPECT_EQ(tbprobe_Gaviota.TablasDisponibles, 3);
    EXPECT_NE(gtb_hmod, nullptr);
    EXPECT_TRUE(TodasPresentes());
}

TEST_F(BibliotecaFalsa, ReportFollowsWhatTheLibrarySays) {
    struct Caso {
        const char* texto;
        int inicializada, cache;
        unsigned disponibles;
        std::vector<std::string> esperado;
    };
    const Caso casos[] = {
        {"", 1, 1, 15,
         {"Initialized: Ok", "", "State cache: Ok", "", "3-pc TBs available", "3-pc TBs complete",
          "4-pc TBs available", "4-pc TBs complete", "No 5-pc TBs available"}},
        {"", 1, 1, 63,
         {"Initialized: Ok", "", "State cache: Ok", "", "3-pc TBs available", "3-pc TBs complete",
          "4-pc TBs available", "4-pc TBs complete", "5-pc TBs available", "5-pc TBs complete"}},
        {"", 1, 1, 1 | 4 | 16,
         {"Initialized: Ok", "", "State cache: Ok", "", "3-pc TBs available", "4-pc TBs available",
          "5-pc TBs available"}},
        {"\nGTB PATHS\n  main: x\n\n100% sure", 0, 0, 0,
         {"", "GTB PATHS", "  main: x", "", "100% sure", "Initialized: FAILED", "", "State cache: FAILED", "",
          "No 3-pc TBs available", "No 4-pc TBs available", "No 5-pc TBs available"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.disponibles);
        std::strcpy(f_->texto_init, c.texto);
        f_->inicializada = c.inicializada;
        f_->cache_activa = c.cache;
        f_->disponibles = c.disponibles;
        EXPECT_EQ(Cargar(), c.esperado);
        // Loaded all the same, even when the library reports a failure.
        EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
        EXPECT_EQ(tbprobe_Gaviota.TablasDisponibles, int(c.disponibles));
        EXPECT_EQ(Descargar_gtbgaviota_dll(), 1);
    }
}

TEST_F(BibliotecaFalsa, UnloadShutsDownThenReleases) {
    Cargar();
    f_->llamadas[0] = 0;
    std::string salida = Capturar([] { EXPECT_EQ(Descargar_gtbgaviota_dll(), 1); });
    EXPECT_EQ(salida, "");
    EXPECT_STREQ(f_->llamadas, "tbcache_flush tbcache_done tb_done tbpaths_done ");
    EXPECT_EQ(f_->rutas_fin, rutas_anadir_);
    EXPECT_EQ(tbprobe_Gaviota.Rutas, nullptr);  // what the library gave back
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 0);
    EXPECT_EQ(gtb_hmod, nullptr);
    EXPECT_TRUE(TodasNulas());

    // Nothing loaded: nothing to do, success.
    f_->llamadas[0] = 0;
    EXPECT_EQ(Capturar([] { EXPECT_EQ(Descargar_gtbgaviota_dll(), 1); }), "");
    EXPECT_STREQ(f_->llamadas, "");
    int s;
    EXPECT_EQ(Probar_gtbgaviota(s, 1), 0);
    EXPECT_EQ(s, 0);
}

TEST_F(BibliotecaFalsa, FailedReleaseIsReportedAndChangesNothing) {
    Cargar();
    void* manejo = gtb_hmod;
    LiberarBibliotecaGaviota = [](void*) { return false; };
    EXPECT_EQ(Capturar([] { EXPECT_EQ(Descargar_gtbgaviota_dll(), 0); }), "Error: Liberar bitbases.\n");
    EXPECT_EQ(gtb_hmod, manejo);
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
    EXPECT_TRUE(TodasPresentes());
    LiberarBibliotecaGaviota = LiberarBiblioteca;
    EXPECT_EQ(Descargar_gtbgaviota_dll(), 1);
    EXPECT_EQ(gtb_hmod, nullptr);
}

TEST_F(BibliotecaFalsa, IsreadyLoadsOnceAndUnloadsWhenSwitchedOff) {
    tbprobe_Gaviota.UseGaviotaTablebases = 1;
    std::vector<std::string> esperado = INFORME_3PC;
    esperado.push_back("readyok");
    EXPECT_EQ(Lineas(Capturar(ResponderIsReady)), esperado);
    EXPECT_EQ(Lineas(Capturar(ResponderIsReady)), std::vector<std::string>{"readyok"});
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 1);

    f_->llamadas[0] = 0;
    tbprobe_Gaviota.UseGaviotaTablebases = 0;
    EXPECT_EQ(Lineas(Capturar(ResponderIsReady)), std::vector<std::string>{"readyok"});
    EXPECT_STREQ(f_->llamadas, "tbcache_flush tbcache_done tb_done tbpaths_done ");
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 0);
    EXPECT_EQ(gtb_hmod, nullptr);
}

// A library that lacks an operation is released at once and leaves nothing behind: no output,
// no operation pointer, no mapping, nothing for "quit" or a probe to call.
TEST(BibliotecaIncompleta, IsReleasedAtOnceAndSilently) {
    RegistroGaviota guardado = tbprobe_Gaviota;
    const char* nombre = NombreBibliotecaGaviota;
    void* propio = CargarBiblioteca(GTB_FALSO_INCOMPLETO);  // to read what it was asked
    ASSERT_NE(propio, nullptr);
    reinterpret_cast<void (*)()>(BuscarOperacion(propio, "falso_reiniciar"))();
    EstadoFalso* f = reinterpret_cast<EstadoFalso* (*)()>(BuscarOperacion(propio, "falso_estado"))();

    NombreBibliotecaGaviota = GTB_FALSO_INCOMPLETO;
    tbprobe_Gaviota.UseGaviotaTablebases = 1;
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_STREQ(f->llamadas, "");
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 0);
    EXPECT_EQ(tbprobe_Gaviota.UseGaviotaTablebases, 1);
    EXPECT_EQ(gtb_hmod, nullptr);
    EXPECT_TRUE(TodasNulas());
    // The next "isready" tries again, just as silently.
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_EQ(Capturar([] { EXPECT_EQ(Descargar_gtbgaviota_dll(), 1); }), "");
    int s = 7;
    EXPECT_EQ(Probar_gtbgaviota(s, 1), 0);
    EXPECT_EQ(s, 0);

    // With our own reference gone, nothing keeps it mapped: the engine let it go.
    LiberarBiblioteca(propio);
    EXPECT_FALSE(Cargada(GTB_FALSO_INCOMPLETO));
    NombreBibliotecaGaviota = nombre;
    tbprobe_Gaviota = guardado;
}

TEST(BibliotecaFalsaSola, UnloadReleasesTheMapping) {
    RegistroGaviota guardado = tbprobe_Gaviota;
    const char* nombre = NombreBibliotecaGaviota;
    NombreBibliotecaGaviota = GTB_FALSO;
    Capturar(Cargar_gtbgaviota_dll);
    EXPECT_TRUE(Cargada(GTB_FALSO));
    EXPECT_EQ(Descargar_gtbgaviota_dll(), 1);
    EXPECT_FALSE(Cargada(GTB_FALSO));
    NombreBibliotecaGaviota = nombre;
    tbprobe_Gaviota = guardado;
}

TEST(SinBiblioteca, IsreadyAnswersOnlyReadyok) {
    RegistroGaviota guardado = tbprobe_Gaviota;
    const char* nombre = NombreBibliotecaGaviota;
    NombreBibliotecaGaviota = "libgaviotatb-no-instalada.so.1";
    tbprobe_Gaviota.UseGaviotaTablebases = 1;
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 0);
    EXPECT_EQ(gtb_hmod, nullptr);
    EXPECT_EQ(Capturar([] { EXPECT_EQ(Descargar_gtbgaviota_dll(), 1); }), "");
    NombreBibliotecaGaviota = nombre;
    tbprobe_Gaviota = guardado;
}

// ---- Probing ----

class SondaFalsa : public BibliotecaFalsa {
protected:
    void SetUp() override {
        BibliotecaFalsa::SetUp();
        Cargar();
        f_->llamadas[0] = 0;
    }
    std::vector<unsigned> CasillasB() { return {f_->casillasB, f_->casillasB + f_->nb}; }
    std::vector<unsigned> CasillasN() { return {f_->casillasN, f_->casillasN + f_->nn}; }
    std::vector<int> PiezasB() { return {f_->piezasB, f_->piezasB + f_->nb}; }
    std::vector<int> PiezasN() { return {f_->piezasN, f_->piezasN + f_->nn}; }
    void ListasTerminadas() {
        ASSERT_LT(f_->nb, 17);
        ASSERT_LT(f_->nn, 17);
        EXPECT_EQ(f_->casillasB[f_->nb], 64u);
        EXPECT_EQ(f_->piezasB[f_->nb], 0);
        EXPECT_EQ(f_->casillasN[f_->nn], 64u);
        EXPECT_EQ(f_->piezasN[f_->nn], 0);
    }
};

// All 32 men after 1.e4, in board-scan order (a8 first), in the library's numbering (a1 = 0).
TEST_F(SondaFalsa, FullBoardAfterE4WithEnPassantTarget) {
    Posicion("startpos moves e2e4");
    Instantanea antes = Tomar();
    EXPECT_EQ(Probar(1), std::make_pair(1, 0));
    EXPECT_TRUE(Tomar() == antes);
    EXPECT_STREQ(f_->llamadas, "tb_probe_hard ");
    EXPECT_EQ(f_->turno, 1u);      // Black to move
    EXPECT_EQ(f_->alpaso, 20u);    // e3, where a capturing pawn would land
    EXPECT_EQ(f_->enroques, 15u);  // all four castlings still allowed
    EXPECT_EQ(f_->resultado_previo, 7u);
    EXPECT_EQ(f_->plies_previos, 0u);
    ListasTerminadas();
    // e4, then a2..h2 without e2, then a1..h1.
    EXPECT_EQ(CasillasB(), (std::vector<unsigned>{28, 8, 9, 10, 11, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(PiezasB(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 4, 2, 3, 5, 6, 3, 2, 4}));
    // a8..h8, then a7..h7.
    EXPECT_EQ(CasillasN(), (std::vector<unsigned>{56, 57, 58, 59, 60, 61, 62, 63, 48, 49, 50, 51, 52, 53, 54, 55}));
    EXPECT_EQ(PiezasN(), (std::vector<int>{4, 2, 3, 5, 6, 3, 2, 4, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(SondaFalsa, EnPassantTargetSquare) {
    struct Caso {
        const char* posicion;
        unsigned alpaso;
    };
    const Caso casos[] = {
        {"startpos moves e2e4 d7d5 e4e5 f7f5", 45},  // f6, White to move
        {"startpos moves a2a4", 16},                 // a3
        {"startpos moves g1f3 h7h5", 47},            // h6
        {"fen rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", 43},  // d6
        {"startpos moves e2e4 d7d5 e4e5 f7f5 e5f6", 64},  // taken: no more en passant
        {"startpos moves e2e3", 64},                 // a single step
        {"startpos", 64},
        {"fen 4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1", 20},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.posicion);
        Posicion(c.posicion);
        Probar(1);
        EXPECT_EQ(f_->alpaso, c.alpaso);
    }
}

TEST_F(SondaFalsa, CastlingFlagsSideAndKings) {
    struct Caso {
        const char* posicion;
        unsigned turno, enroques;
    };
    const Caso casos[] = {
        {"fen r3k2r/8/8/8/8/8/8/R3K2R w KQq - 0 1", 0, 8 + 4 + 1},
        {"fen r3k2r/8/8/8/8/8/8/R3K2R b Qk - 0 1", 1, 4 + 2},
        {"fen r3k2r/8/8/8/8/8/8/R3K2R w Kk - 0 1", 0, 8 + 2},
        {"fen r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1", 0, 0},
        // White has castled (short), Black still may: only Black's flags.
        {"startpos moves e2e4 e7e5 g1f3 g8f6 f1c4 f8c5 e1g1", 1, 2 + 1},
        // Both have castled: nothing.
        {"startpos moves e2e4 e7e5 g1f3 g8f6 f1c4 f8c5 e1g1 e8g8", 0, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.posicion);
        Posicion(c.posicion);
        Probar(1);
        EXPECT_EQ(f_->turno, c.turno);
        EXPECT_EQ(f_->enroques, c.enroques);
    }

    PonerFen("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    Probar(2);
    ListasTerminadas();
    EXPECT_EQ(CasillasB(), (std::vector<unsigned>{4, 7}));  // e1, h1
    EXPECT_EQ(PiezasB(), (std::vector<int>{6, 4}));
    EXPECT_EQ(CasillasN(), (std::vector<unsigned>{60}));  // e8
    EXPECT_EQ(PiezasN(), (std::vector<int>{6}));
    EXPECT_EQ(f_->enroques, 8u);
    EXPECT_EQ(f_->alpaso, 64u);
}

TEST_F(SondaFalsa, SoftAboveDepthThreeHardBelow) {
    PonerFen("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
    const std::pair<int, const char*> casos[] = {
        {1, "tb_probe_hard "}, {3, "tb_probe_hard "}, {4, "tb_probe_soft "}, {63, "tb_probe_soft "}};
    for (auto [profundidad, llamada] : casos) {
        f_->llamadas[0] = 0;
        Probar(profundidad);
        EXPECT_STREQ(f_->llamadas, llamada) << profundidad;
    }
}

TEST_F(SondaFalsa, AnswersBecomeScoresForTheSideToMove) {
    struct Caso {
        const char* fen;
        int devuelve;
        unsigned resultado, plies;
        int r, puntuacion;
    };
    const char* blancas = "4k3/8/8/8/8/8/8/3QK3 w - - 0 1";
    const char* negras = "4k3/8/8/8/8/8/8/3QK3 b - - 0 1";
    const Caso casos[] = {
        {blancas, 1, 1, 10, 1, 30989},   // White mates in 10 plies, White to move
        {negras, 1, 1, 9, 1, -30990},    // White mates, Black to move
        {negras, 1, 2, 4, 1, 30995},     // Black mates, Black to move
        {blancas, 1, 2, 6, 1, -30993},   // Black mates, White to move
        {blancas, 1, 1, 0, 1, 30999},
        {blancas, 1, 0, 5, 1, 0},        // draw
        {negras, 1, 0, 0, 1, 0},
        {blancas, 1, 3, 0, 0, 0},        // forbidden position
        {blancas, 1, 7, 0, 0, 0},        // unknown
        {blancas, 0, 1, 10, 0, 0},       // the probe failed
        {blancas, 2, 1, 10, 0, 0},       // anything but 1 is a failure
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.fen) + " kind " + std::to_string(c.resultado));
        PonerFen(c.fen);
        f_->sonda_devuelve = c.devuelve;
        f_->sonda_resultado = c.resultado;
        f_->sonda_plies = c.plies;
        EXPECT_EQ(Probar(1), std::make_pair(c.r, c.puntuacion));
        EXPECT_EQ(Probar(5), std::make_pair(c.r, c.puntuacion));
    }
}

}  // namespace
