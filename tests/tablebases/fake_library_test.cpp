// Probing against a stand-in library that records what the engine hands it: the position in
// the library's own form (squares a1 = 0, kinds, side, castling, en passant target); a library
// without one of its operations is left alone. The reports, the release and the conversion of
// real results are checked with the real library.
#include <dlfcn.h>
#include <gtest/gtest.h>

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
        Descargar_gtbgaviota_dll();
        NombreBibliotecaGaviota = nombre_;
        tbprobe_Gaviota = guardado_;
        if (manejo_) LiberarBiblioteca(manejo_);
        TableroGlobal.Ply = 0;
        UciNewGame();
    }
    void Cargar() { Capturar(Cargar_gtbgaviota_dll); }
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

// A library that lacks an operation, or no library at all: "isready" answers only "readyok",
// every time; nothing is called or kept; nothing for "quit" or a probe to call.
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
        {"startpos moves e2e4 d7d5 e4e5 f7f5 e5f6", 1, 15, 64},  // taken: no more en passant
        {"startpos moves e2e3", 1, 15, 64},                      // a single step
        {"fen r3k2r/8/8/8/8/8/8/R3K2R w KQq - 0 1", 0, 8 + 4 + 1, 64},
        {"fen r3k2r/8/8/8/8/8/8/R3K2R b Qk - 0 1", 1, 4 + 2, 64},
        // Both sides castled: no flags.
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

// Only positions the loaded tables cover are probed: with the 3-man tables, a search of four
// men with no capture in reach asks nothing; one of three men asks.
TEST_F(BibliotecaFalsa, OnlyCoveredPositionsAreProbed) {
    Cargar();
    EntradaEsperando = nullptr;
    for (auto [fen, pregunta] : {std::pair{"k7/8/8/8/8/8/PP6/K7 w - - 0 1", false}, {"k7/8/8/8/8/8/P7/K7 w - - 0 1", true}}) {
        UciNewGame();
        PonerFen(fen);
        f_->llamadas[0] = 0;
        TipoJuego.Profundidad = 2;
        AlphaBeta_Pv(2, -VALOR_INFINITO, VALOR_INFINITO, 0, 0, 0);
        EXPECT_EQ(f_->llamadas[0] != 0, pregunta) << fen;
    }
}
