// The ECO converter (tools/libro_eco) on hand-made entries with known coordinate moves, and
// the realistic book it builds from Debian's scid-data: clean for "book", and every probe
// along its lines answers with a legal move that continues a book line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "book/book.h"
#include "book_files.h"
#include "support/board_helpers.h"
#include "support/engine_process.h"
#include "uci/uci.h"

namespace {

const char* const ECO_DEBIAN = "/usr/share/scid/data/scid.eco";

// Runs the converter; its standard output lines.
std::vector<std::string> Convertir(const std::vector<std::string>& argumentos, int* estado) {
    ProcesoMotor herramienta(argumentos, "", VEMSUL_LIBRO_ECO);
    herramienta.CerrarEntrada();
    // Generous: the sanitizer build converts the full ECO file slowly, slower still under load.
    auto salida = herramienta.LeerTodo(600000);
    *estado = herramienta.Esperar(600000);
    return salida;
}

TEST(LibroEco, ConvertsSanToCoordinateMoves) {
    DirectorioTemporal dir;
    const std::string eco = dir.Fichero("prueba.eco");
    std::ofstream(eco) << R"(# a comment line, "quoted" and with 1.e4 moves
A00a "Start position"  *
X01 "Castles short"  1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O Nf6 *
X01 "Castles short, a beginning of it"  1.e4 e5 2.Nf3 *
X01 "Castles short, again"  1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O Nf6 *
X02 "Castles long"
  1.d4 d5 2.Nc3 Nc6 3.Bf4 Bf5 4.Qd2 Qd7 5.O-O-O O-O-O *
X03 "Knights by file and by rank"  1.d3 d6 2.Nd2 Nd7 3.Ngf3 Ngf6 4.Nd4 e6 5.N2f3 *
X04 "En passant and checks"  1.e4 Nf6 2.e5 d5 3.exd6 Qxd6 4.d4 Qb4+ 5.Bd2 Qxb2 *
X05 "A capture without x"
  1.e4 e6 2.d4 d5 3.Nd2 c5 4.exd5 exd5 5.Ngf3 Nf6 6.Bb5+ Bd7 7.Bxd7+ Nbd7 *
X06 "A promotion ends the line"  1.h4 g5 2.hxg5 h6 3.gxh6 Bg7 4.hxg7 Nf6 5.gxh8=Q Ng8 *
X07 "Longer than a line"  1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Ng1 Ng8 5.Nf3 Nf6 6.Ng1 Ng8
  7.Nf3 Nf6 8.Ng1 Ng8 9.Nf3 Nf6 10.Ng1 Ng8 11.Nf3 Nf6 12.Ng1 Ng8 *
X08 "Illegal"  1.e4 e5 2.Ke3 *
X09 "Ambiguous"  1.d4 d5 2.Nf3 Nf6 3.Nd2 *
)";
    int estado = -5;
    auto lineas = Convertir({eco}, &estado);
    EXPECT_EQ(estado, 1) << "two entries could not be converted";
    std::string vuelta = "g1f3 g8f6 f3g1 f6g8";
    std::string larga = vuelta;
    for (int i = 0; i < 4; i++) larga += " " + vuelta;  // 20 moves, 99 characters
    std::set<std::string> esperadas = {
        "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 g8f6",
        "d2d4 d7d5 b1c3 b8c6 c1f4 c8f5 d1d2 d8d7 e1c1 e8c8",
        "d2d3 d7d6 b1d2 b8d7 g1f3 g8f6 f3d4 e7e6 d2f3",
        "e2e4 g8f6 e4e5 d7d5 e5d6 d8d6 d2d4 d6b4 c1d2 b4b2",
        "e2e4 e7e6 d2d4 d7d5 b1d2 c7c5 e4d5 e6d5 g1f3 g8f6 f1b5 c8d7 b5d7 b8d7",
        "h2h4 g7g5 h4g5 h7h6 g5h6 f8g7 h6g7 g8f6",
        larga,
    };
    EXPECT_EQ(std::set<std::string>(lineas.begin(), lineas.end()), esperadas);
    EXPECT_EQ(lineas.size(), esperadas.size()) << "repeated lines are written once";
}

// The book built from Debian's full ECO file: thousands of distinct well-formed lines, none only
// the beginning of another; verified clean by "book"; and every probe along its lines answers
// at once with a legal move that continues a book line.
TEST(LibroEcoCompleto, BuiltVerifiedAndProbed) {
    if (!std::filesystem::exists(ECO_DEBIAN)) GTEST_SKIP() << ECO_DEBIAN << " is missing (Debian package scid-data)";
    DirectorioTemporal dir;
    int estado = -5;
    ASSERT_TRUE(Convertir({"-o", dir.Fichero("Book.db"), ECO_DEBIAN}, &estado).empty());
    ASSERT_EQ(estado, 0);
    const auto lineas = Convertir({ECO_DEBIAN}, &estado);
    ASSERT_EQ(estado, 0);
    ASSERT_GE(lineas.size(), 4000u);
    EXPECT_EQ(FilasLibro(dir.Fichero("Book.db")), int(lineas.size()));
    const std::set<std::string> completas(lineas.begin(), lineas.end());
    EXPECT_EQ(completas.size(), lineas.size());
    std::set<std::string> comienzos;  // every text a probe may extend, with its blank
    for (const auto& l : lineas) {
        ASSERT_LE(l.size(), 100u) << l;
        ASSERT_EQ(l.size() % 5, 4u) << l;
        for (size_t i = 4; i < l.size(); i += 5) {
            ASSERT_EQ(l[i], ' ') << l;
            comienzos.insert(l.substr(0, i + 1));
        }
    }
    for (const auto& l : lineas) ASSERT_EQ(comienzos.count(l + " "), 0u) << l << " only begins another line";

    EXPECT_EQ(Transcripcion({"book"}, &estado, dir.Ruta()),
              (std::vector<std::string>{"Analizando libro de aperturas...", "Libro de apertura correcto."}));
    EXPECT_EQ(estado, 0);

    auto anterior = std::filesystem::current_path();
    std::filesystem::current_path(dir.Ruta());
    LibroSql.OwnBook = 1;
    LibroSql.OwnBookLimit = 10;
    auto sondear = [&](const std::string& texto) {
        Posicion(texto.empty() ? "startpos" : "startpos moves " + texto);
        ASSERT_EQ(LibroSql.FueraDeLibro, 0) << texto;
        const auto legales = JugadasLegales();
        int r = -1;
        const std::string salida = Capturar([&] { r = BuscarJugadaLibro(); });
        ASSERT_EQ(r, 1) << texto;
        const std::string jugada = LibroSql.JugadaLibro;
        EXPECT_EQ(salida, "bestmove " + jugada + "\ninfo string Libro de aperturas.\n");
        EXPECT_NE(std::find(legales.begin(), legales.end(), jugada), legales.end()) << texto << " " << jugada;
        const std::string seguida = texto.empty() ? jugada : texto + " " + jugada;
        EXPECT_TRUE(comienzos.count(seguida + " ") || completas.count(seguida)) << seguida;
    };
    for (size_t n = 0; n < lineas.size(); n += 37)
        for (size_t corte = 4; corte < lineas[n].size(); corte += 5) sondear(lineas[n].substr(0, corte));
    for (int i = 0; i < 50; i++) sondear("");
    std::filesystem::current_path(anterior);
    LibroSql.OwnBook = 0;
    LibroSql.OwnBookLimit = 8;
    UciNewGame();
}

}  // namespace
