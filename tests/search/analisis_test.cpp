// Analysis through the real binary: several lines (MultiPV), a root restricted by searchmoves,
// and the win/draw/loss figures, checked on the deepest iteration each search reports.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "support/board_helpers.h"
#include "support/engine_process.h"

namespace {

struct Caso {
    std::string fen, opciones, go;
    int lineas;                          // lines of the deepest iteration
    std::set<std::string> permitidas;    // first moves allowed (empty: any legal move)
    int wdl;                             // 0 absent; 2 present; 1 W > 900; -1 L > 900; 3 W and L < 500
};

struct Linea {
    int multipv = 1, puntos = 0, w = -1, d = -1, l = -1;
    std::vector<std::string> pv;
};

Linea Leer(const std::string& texto) {
    Linea r;
    std::istringstream in(texto);
    std::string p;
    while (in >> p) {
        if (p == "multipv") in >> r.multipv;
        else if (p == "cp") in >> r.puntos;
        else if (p == "mate") in >> r.puntos, r.puntos = r.puntos > 0 ? 100000 - r.puntos : -100000 - r.puntos;
        else if (p == "wdl") in >> r.w >> r.d >> r.l;
        else if (p == "pv")
            while (in >> p) r.pv.push_back(p);
    }
    return r;
}

}  // namespace

TEST(Analisis, LinesSearchmovesAndWdl) {
    const std::string inicio = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const std::string medio = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 9";
    const Caso casos[] = {
        {inicio, "MultiPV 3", "go depth 5", 3, {}, 0},
        {medio, "MultiPV 4|UCI_ShowWDL true", "go depth 6", 4, {}, 2},
        {"7k/8/8/8/8/8/6q1/7K w - - 0 1", "MultiPV 3", "go depth 4", 1, {"h1g2"}, 0},
        {inicio, "MultiPV 3", "go searchmoves a2a3 h2h3 depth 5", 2, {"a2a3", "h2h3"}, 0},
        {inicio, "MultiPV 1", "go searchmoves e2e4 bogus d2d4 depth 4", 1, {"e2e4"}, 0},
        {inicio, "MultiPV 2", "go depth 4 searchmoves", 2, {}, 0},
        {"8/8/8/4k3/8/8/8/3QK3 w - - 0 1", "UCI_ShowWDL true", "go depth 5", 1, {}, 1},
        {"8/8/8/4k3/8/8/8/3QK3 b - - 0 1", "UCI_ShowWDL true", "go depth 5", 1, {}, -1},
        {inicio, "UCI_ShowWDL true", "go depth 5", 1, {}, 3},
    };
    ProcesoMotor motor;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.fen + " " + c.opciones + " " + c.go);
        motor.Enviar({"ucinewgame", "setoption name ShowPv value Full"});
        for (const char* o : {"MultiPV value 1", "UCI_ShowWDL value false"})
            motor.Enviar("setoption name " + std::string(o));
        std::istringstream opciones(c.opciones);
        for (std::string o; std::getline(opciones, o, '|');)
            motor.Enviar("setoption name " + o.replace(o.find(' '), 1, " value "));
        motor.Enviar({"position fen " + c.fen, c.go});
        const auto salida = motor.LeerHasta("bestmove");
        ASSERT_TRUE(Empieza(salida.back(), "bestmove "));
        // The lines of the deepest iteration, in the order printed.
        std::vector<Linea> lineas;
        int hondo = 0;
        for (const auto& t : salida) {
            if (!Empieza(t, "info depth ") || t.find(" pv ") == std::string::npos) continue;
            EXPECT_EQ(t.find(" wdl ") != std::string::npos, c.wdl != 0) << t;
            const int d = std::stoi(t.substr(11));
            if (d > hondo) lineas.clear(), hondo = d;
            if (d == hondo) lineas.push_back(Leer(t));
        }
        ASSERT_EQ(int(lineas.size()), c.lineas);
        std::set<std::string> primeras;
        for (size_t i = 0; i < lineas.size(); i++) {
            const Linea& l = lineas[i];
            ASSERT_FALSE(l.pv.empty());
            EXPECT_EQ(l.multipv, int(i) + 1);
            EXPECT_TRUE(primeras.insert(l.pv[0]).second) << l.pv[0];
            EXPECT_TRUE(c.permitidas.empty() || c.permitidas.count(l.pv[0])) << l.pv[0];
            if (i > 0) {
                EXPECT_LE(l.puntos, lineas[i - 1].puntos);
            }
            PonerFen(c.fen);
            for (const auto& m : l.pv) EXPECT_TRUE(JugarTexto(m.c_str())) << m;
            if (c.wdl) {
                EXPECT_EQ(l.w + l.d + l.l, 1000);
            }
        }
        EXPECT_EQ(salida.back().substr(9, lineas[0].pv[0].size()), lineas[0].pv[0]);
        const Linea& p = lineas[0];
        EXPECT_TRUE(c.wdl == 1 ? p.w > 900 : c.wdl == -1 ? p.l > 900 : c.wdl != 3 || (p.w < 500 && p.l < 500))
            << p.w << " " << p.d << " " << p.l;
    }
    EXPECT_EQ(motor.Terminar(), 0);
}
