// Loading, reporting, unloading and probing against a stand-in library that records what the
// engine hands it: the settings, the position in the library's own form (squares a1 = 0,
// kinds, side, castling, en passant target), the conversion of its answers to scores, and
// which positions the search asks about.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform.h"
#include "search/limits.h"
#include "search/search.h"
#include "support/board_helpers.h"
#include "tablebases/falso/falso_gtb.h"
#include "tablebases/gaviota.h"
#include "tablebases/operaciones.h"
#include "uci/uci.h"

namespace {

// Whether the dynamic loader still has the file mapped (without loading it).
bool Cargada(const char* ruta) {
    void* h = dlopen(ruta, RTLD_NOW | RTLD_NOLOAD);
    if (h) dlclose(h);
    return h != nullptr;
}

// The engine's tablebase state is saved and restored around every test; the stand-in is held
// open by the test itself, so that what it recorded survives the engine's release.
class BibliotecaFalsa : public testing::Test {
protected:
    void Usar(const char* ruta) {
        manejo_ = CargarBiblioteca(ruta);
        ASSERT_NE(manejo_, nullptr) << dlerror();
        reinterpret_cast<void (*)()>(BuscarOperacion(manejo_, "falso_reiniciar"))();
        f_ = reinterpret_cast<EstadoFalso* (*)()>(BuscarOperacion(manejo_, "falso_estado"))();
        NombreBibliotecaGaviota = ruta;
    }
    void SetUp() override {
        guardado_ = tbprobe_Gaviota;
        nombre_ = NombreBibliotecaGaviota;
        Usar(GTB_FALSO);
    }
    void TearDown() override {
        LiberarBibliotecaGaviota = LiberarBiblioteca;
        Descargar_gtbgaviota_dll();
        NombreBibliotecaGaviota = nombre_;
        tbprobe_Gaviota = guardado_;
        if (manejo_) LiberarBiblioteca(manejo_);
        TableroGlobal.Ply = 0;
        UciNewGame();
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
    // The men as the library received them: squares, then kinds, each list with its terminator.
    std::vector<unsigned> Hombres(const unsigned* casillas, const unsigned char* piezas, int n) {
        std::vector<unsigned> r(casillas, casillas + n + 1);
        r.insert(r.end(), piezas, piezas + n + 1);
        return r;
    }

    RegistroGaviota guardado_;
    const char* nombre_ = nullptr;
    void* manejo_ = nullptr;
    EstadoFalso* f_ = nullptr;
};

}  // namespace

// The library's own text first, as it is; its status; what it has, by piece count (a failure is
// reported and still loads). The settings handed over. At isready: loaded once, with the
// report; switched off: shut down and released, silently.
TEST_F(BibliotecaFalsa, LoadReportsAndIsready) {
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
        {"", 1, 1, 1 | 4 | 16 | 32, con({"3-pc TBs available", "4-pc TBs available", "5-pc TBs available", "5-pc TBs complete"})},
        {"\nGTB PATHS\n  main: x\n\n100% sure", 0, 0, 0,
         {"", "GTB PATHS", "  main: x", "", "100% sure", "Initialized: FAILED", "", "State cache: FAILED", "",
          "No 3-pc TBs available", "No 4-pc TBs available", "No 5-pc TBs available"}},
    };
    std::strcpy(tbprobe_Gaviota.GaviotaTbPath, "/tmp/tablas con blanco");
    tbprobe_Gaviota.GaviotaCompression = 2;
    tbprobe_Gaviota.GaviotaTbCache = 64;
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
    EXPECT_STREQ(f_->ruta, "/tmp/tablas con blanco");
    EXPECT_TRUE(f_->compresion == 2 && f_->cache_bytes == 67108864u && f_->fraccion_wdl == 96);

    f_->texto_init[0] = 0;
    f_->inicializada = f_->cache_activa = 1;
    f_->disponibles = 3;
    tbprobe_Gaviota.UseGaviotaTablebases = 1;
    EXPECT_EQ(Lineas(Capturar(ResponderIsReady)),
              con({"3-pc TBs available", "3-pc TBs complete", "No 4-pc TBs available", "No 5-pc TBs available", "readyok"}));
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    f_->llamadas[0] = 0;
    tbprobe_Gaviota.UseGaviotaTablebases = 0;
    EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n");
    EXPECT_STREQ(f_->llamadas, "tb_done ");
    EXPECT_EQ(gtb_hmod, nullptr);
}

// A release that fails is reported and changes nothing; one that succeeds lets the library go
// (nothing keeps it mapped); with nothing loaded there is nothing to do, nor to probe.
TEST_F(BibliotecaFalsa, UnloadReleasesOrSaysItCannot) {
    Cargar();
    void* manejo = gtb_hmod;
    LiberarBibliotecaGaviota = [](void*) { return false; };
    EXPECT_EQ(Descargar(0), "Error: Liberar bitbases.\n");
    EXPECT_EQ(gtb_hmod, manejo);
    EXPECT_EQ(tbprobe_Gaviota.TablasCargadas, 1);
    LiberarBibliotecaGaviota = LiberarBiblioteca;
    EXPECT_EQ(Descargar(1), "");
    EXPECT_TRUE(gtb_hmod == nullptr && tb_init == nullptr && tbprobe_Gaviota.TablasCargadas == 0);
    LiberarBiblioteca(manejo_);  // our own reference gone, nothing keeps it mapped
    manejo_ = nullptr;
    EXPECT_FALSE(Cargada(GTB_FALSO));
    EXPECT_EQ(Descargar(1), "");
    EXPECT_EQ(Probar(1), std::make_pair(0, 0));
}

// A library that lacks an operation, or no library at all: "isready" answers only "readyok",
// every time; nothing is called, kept or mapped; nothing for "quit" or a probe to call.
TEST_F(BibliotecaFalsa, IncompleteOrMissingLibraryIsSilent) {
    LiberarBiblioteca(manejo_);
    Usar(GTB_FALSO_INCOMPLETO);
    for (const char* nombre : {GTB_FALSO_INCOMPLETO, "libgaviotatb-no-instalada.so.1"}) {
        NombreBibliotecaGaviota = nombre;
        tbprobe_Gaviota.UseGaviotaTablebases = 1;
        EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n") << nombre;
        EXPECT_EQ(Capturar(ResponderIsReady), "readyok\n") << nombre;
        EXPECT_TRUE(gtb_hmod == nullptr && tb_init == nullptr && tbprobe_Gaviota.TablasCargadas == 0);
        EXPECT_EQ(Descargar(1), "");
        EXPECT_EQ(Probar(1), std::make_pair(0, 0));
    }
    EXPECT_STREQ(f_->llamadas, "");
    LiberarBiblioteca(manejo_);
    manejo_ = nullptr;
    EXPECT_FALSE(Cargada(GTB_FALSO_INCOMPLETO));
}

// The men in the library's numbering (a1 = 0) and kinds; the side, the castling flags and the
// en passant target (where a capturing pawn lands); the board left as it was.
TEST_F(BibliotecaFalsa, PositionInTheLibrarysForm) {
    Cargar();
    PonerFen("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    const Instantanea antes = Tomar();
    EXPECT_EQ(Probar(1), std::make_pair(1, 0));
    EXPECT_TRUE(Tomar() == antes);
    EXPECT_EQ(Hombres(f_->casillasB, f_->piezasB, f_->nb), (std::vector<unsigned>{4, 7, 64, 6, 4, 0}));  // e1, h1
    EXPECT_EQ(Hombres(f_->casillasN, f_->piezasN, f_->nn), (std::vector<unsigned>{60, 64, 6, 0}));       // e8
    struct Caso {
        const char* posicion;
        unsigned turno, enroques, alpaso;
    };
    const Caso casos[] = {
        {"startpos moves e2e4", 1, 15, 20},                      // e3
        {"startpos moves e2e4 d7d5 e4e5 f7f5", 0, 15, 45},       // f6
        {"startpos moves a2a4", 1, 15, 16},                      // a3
        {"startpos moves g1f3 h7h5", 0, 15, 47},                 // h6
        {"startpos moves e2e4 d7d5 e4e5 f7f5 e5f6", 1, 15, 64},  // taken: no more en passant
        {"startpos moves e2e3", 1, 15, 64},                      // a single step
        {"fen r3k2r/8/8/8/8/8/8/R3K2R w KQq - 0 1", 0, 8 + 4 + 1, 64},
        {"fen r3k2r/8/8/8/8/8/8/R3K2R b Qk - 0 1", 1, 4 + 2, 64},
        // White has castled (short), Black still may: only Black's flags; both castled: none.
        {"startpos moves e2e4 e7e5 g1f3 g8f6 f1c4 f8c5 e1g1", 1, 2 + 1, 64},
        {"startpos moves e2e4 e7e5 g1f3 g8f6 f1c4 f8c5 e1g1 e8g8", 0, 0, 64},
    };
    for (const Caso& c : casos) {
        Posicion(c.posicion);
        Probar(1);
        EXPECT_EQ((std::vector<unsigned>{f_->turno, f_->enroques, f_->alpaso}),
                  (std::vector<unsigned>{c.turno, c.enroques, c.alpaso}))
            << c.posicion;
    }
}

// Hard probes at iteration depth 3 or less, soft (cache only) above; the answers become scores
// for the side to move: a win is 30999 minus the plies to mate; anything but 1 is a failure.
TEST_F(BibliotecaFalsa, ProbeKindAndScores) {
    Cargar();
    for (auto [profundidad, llamada] : {std::pair{3, "tb_probe_hard "}, {4, "tb_probe_soft "}}) {
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
        {'w', 1, 1, 10, 1, 30989}, {'b', 1, 1, 9, 1, -30990},  // White mates
        {'b', 1, 2, 4, 1, 30995},  {'w', 1, 2, 6, 1, -30993},  // Black mates
        {'w', 1, 0, 5, 1, 0},      {'w', 1, 3, 0, 0, 0},       // draw; forbidden
        {'w', 1, 7, 0, 0, 0},      {'w', 0, 1, 10, 0, 0},  {'w', 2, 1, 10, 0, 0},  // unknown; failures
    };
    for (const Caso& c : casos) {
        PonerFen(std::string("4k3/8/8/8/8/8/8/3QK3 ") + c.turno + " - - 0 1");
        f_->sonda_devuelve = c.devuelve;
        f_->sonda_resultado = c.resultado;
        f_->sonda_plies = c.plies;
        EXPECT_EQ(Probar(1), std::make_pair(c.r, c.puntuacion)) << c.turno << " kind " << c.resultado;
    }
}

// The search believes the tables where they cover the men on the board, and only there: with
// every probe answered "draw" and the 3-piece tables loaded, a queen up with three men scores 0;
// with four men the tables are not asked and the queen counts.
TEST_F(BibliotecaFalsa, TheSearchAsksOnlyAboutPositionsTheTablesCover) {
    Cargar();
    EntradaEsperando = nullptr;
    for (auto [fen, tablas] : {std::pair{"7k/8/8/8/8/8/8/K6Q w - - 0 1", true}, {"7k/7p/8/8/8/8/8/K2Q4 w - - 0 1", false}}) {
        UciNewGame();
        PonerFen(fen);
        TipoJuego.Profundidad = 2;
        const int s = AlphaBeta_Pv(2, -VALOR_INFINITO, VALOR_INFINITO, 0, 0, 0);
        EXPECT_EQ(s == 0, tablas) << fen << ": " << s;
        EXPECT_TRUE(tablas || s > 500) << fen << ": " << s;
    }
}
