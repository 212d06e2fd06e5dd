// The evaluation oracle: a fixed, varied set of positions (the worked examples of the tests
// plus positions reached by seeded random playouts from openings, middlegames and endgames),
// and a digest of everything an evaluation leaves behind: the score, the result record, the
// phase and both side records. The reference values in oraculo_referencia.txt were taken from
// the evaluation before it was tuned for speed; the test checks that every later version
// still produces exactly the same values. bench/eval_bench.cpp --referencia writes the file.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "board/legal.h"
#include "eval/eval.h"
#include "search/tt.h"
#include "uci/uci.h"

namespace oraculo {

// The fixed positions (oraculo_fijas.txt beside this header, one FEN a line): the examples of
// the evaluation tests, the bench and the micro-benchmark, and a few extremes.
inline const std::vector<std::string>& Fijas() {
    static const std::vector<std::string> fijas = [] {
        std::string ruta = __FILE__;
        std::ifstream in(ruta.substr(0, ruta.rfind('/') + 1) + "oraculo_fijas.txt");
        std::vector<std::string> r;
        for (std::string l; std::getline(in, l);)
            if (!l.empty() && l[0] != '#') r.push_back(l);
        return r;
    }();
    return fijas;
}

// A 64-bit digest: every value fed in changes it, in order.
struct Resumen {
    u64 h = 0x243F6A8885A308D3ull;
    void Sumar(u64 v) {
        h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    void Sumar(const i32* v, int n) {
        for (int i = 0; i < n; i++) Sumar(u64(u32(v[i])));
    }
};

// Everything a side's records hold after an evaluation (the working record with the piece
// counts fed in among its fields); the attack lists up to their used length (what lies beyond
// is left over from earlier calls and never read).
inline void SumarBando(Resumen& r, const DatosEval& b, const DatosBando& piezas) {
    r.Sumar(b.PeonesColumna, 8);
    for (i8 p : b.PeonPasado) r.Sumar(u64((unsigned char)p));
    r.Sumar(&b.CasillaPeon[0][0], 32);
    r.Sumar(b.CasillaCaballo, 8);
    r.Sumar(b.CasillaAlfil, 8);
    r.Sumar(b.CasillaTorre, 8);
    r.Sumar(b.CasillaDama, 8);
    const DatosBando& p = piezas;
    const i32 numeros[] = {p.NumPeones,   p.NumCaballos, p.NumAlfiles,      p.NumTorres,     p.NumDamas,
                           b.PuntosMedio, b.PuntosFinal, b.AtaquesZonaRey, b.PesoAtacantes, b.ReyEnPeligro};
    r.Sumar(numeros, 10);
    r.Sumar(b.Defendida, 64);
    auto lista = [&r](const i32* l, i32 usados, int capacidad) {
        r.Sumar(u64(u32(usados)));
        r.Sumar(l, usados < 0 ? 0 : usados > capacidad ? capacidad : usados);
    };
    lista(b.AtaquesCaballo, b.NumAtaquesCaballo, 64);
    lista(b.AtaquesAlfil, b.NumAtaquesAlfil, 112);
    lista(b.AtaquesTorre, b.NumAtaquesTorre, 112);
    lista(b.AtaquesDama, b.NumAtaquesDama, 224);
}

// What one evaluation of the current position gives back. The result record starts filled
// with 0x5A bytes, so a record left untouched (material draws, special endings) shows.
struct Salida {
    int puntos;
    ResultadoEval r;
    int fase;
};

inline Salida Evaluacion(bool conCache) {
    Salida s;
    std::memset(&s.r, 0x5A, sizeof s.r);
    s.puntos = conCache ? Evaluar(&s.r) : EvaluarSinCache(&s.r);
    s.fase = FaseJuego;
    return s;
}

inline void SumarSalida(Resumen& r, const Salida& s) {
    r.Sumar(u64(u32(s.puntos)));
    r.Sumar(u64(u16(s.r.Puntuacion)));
    for (i8 p : s.r.PeonPasadoBlancas) r.Sumar(u64((unsigned char)p));
    for (i8 p : s.r.PeonPasadoNegras) r.Sumar(u64((unsigned char)p));
    r.Sumar(u64(u32(s.fase)));
    SumarBando(r, EvalBlancas, Blancas);
    SumarBando(r, EvalNegras, Negras);
}

// The digest of one position: the evaluation without the cache; for every eighth position
// also two calls through the cache (a store, then a hit), each with the records it leaves.
inline u64 ResumenPosicion(long indice, Salida* sinCache = nullptr) {
    Resumen r;
    Salida s = Evaluacion(false);
    SumarSalida(r, s);
    if (sinCache) *sinCache = s;
    if (indice % 8 == 0) {
        SumarSalida(r, Evaluacion(true));
        SumarSalida(r, Evaluacion(true));
    }
    return r.h;
}

inline void Cargar(const std::string& fen) { Position_Fen_Startpos(("fen " + fen).c_str()); }

// Seeded random playouts. The legal moves are sorted by their move word before one is drawn,
// so the positions do not depend on the order in which the generator produces the moves.
class Partidas {
public:
    static constexpr long TOTAL = 200000;    // positions in all
    static constexpr long BLOQUE = 1000;     // positions per reference digest
    static constexpr long EXPLICITAS = 300;  // first positions whose values are kept one by one

    // Calls f(indice) with each position in turn set up in TableroGlobal.
    template <class F>
    void Recorrer(long total, F&& f) {
        long indice = 0;
        for (int partida = 0; indice < total; partida++) {
            std::string fen = INICIOS[partida % (sizeof INICIOS / sizeof INICIOS[0])];
            if (Azar(4) == 0) fen = ConReloj(fen, 70 + int(Azar(31)));  // towards the fifty-move limit
            Cargar(fen);
            int largo = 10 + int(Azar(150));
            for (int ply = 0; ply < largo && indice < total; ply++) {
                f(indice++);
                if (!JugarAlAzar() || SoloFinal()) break;
                // The undo stack only serves unmake, which a playout never goes back through.
                if (TableroGlobal.Ply >= 60) TableroGlobal.Ply = 0;
            }
        }
    }

private:
    static constexpr const char* INICIOS[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
        "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
        "2rq1rk1/pp1bppbp/3p1np1/4n3/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12",
        "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R w KQkq - 0 5",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "8/pp3k2/2p5/3p4/3P4/2P5/PP3K2/8 w - - 0 1",
        "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
        "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 w - - 0 1",
        "7k/1PPPP3/8/8/8/8/3pppp1/K7 w - - 0 1",
        "4k3/pppppppp/8/8/8/8/PPPPPPPP/4K3 b - - 0 1",
        "8/8/4kpp1/3p1b2/p6P/2B5/6P1/6K1 b - - 0 1",
        "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1",
        "8/8/8/4k3/8/8/8/2BNK3 w - - 0 1",
        "4k3/8/8/3q4/8/8/3P4/3RK3 b - - 0 1",
        "r1b1k1nr/pP3ppp/8/8/8/8/1p3PPP/R1B1K1NR w KQkq - 0 1",
        "8/5pk1/6p1/3R4/8/1r4P1/5PK1/8 w - - 0 1",
    };

    u64 estado = 0x5EED5EED12345678ull;

    // splitmix64, reduced to 0..n-1.
    u64 Azar(u64 n) {
        u64 z = (estado += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return (z ^ (z >> 31)) % n;
    }

    // Bare kings, or a few men without pawns: what is left says little more.
    static bool SoloFinal() {
        const DatosBando &b = Blancas, &n = Negras;
        int piezas = b.NumCaballos + b.NumAlfiles + b.NumTorres + b.NumDamas + n.NumCaballos + n.NumAlfiles +
                     n.NumTorres + n.NumDamas;
        return b.NumPeones + n.NumPeones == 0 && piezas <= 2;
    }

    static std::string ConReloj(const std::string& fen, int reloj) {
        // The clock is the fifth field.
        size_t p = 0;
        for (int campo = 0; campo < 4; campo++) p = fen.find(' ', p) + 1;
        size_t fin = fen.find(' ', p);
        return fen.substr(0, p) + std::to_string(reloj) + fen.substr(fin);
    }

    // Plays a legal move, favouring captures and pawn moves now and then so that the games
    // reach endings and promotions. False when there is none.
    bool JugarAlAzar() {
        ListaJugadas lista;
        const int n = GenerarLegales(lista);
        std::vector<Jugada> legales, capturas, peones;
        for (int i = 0; i < n; i++) legales.push_back(lista[i].Jugada);
        if (legales.empty()) return false;
        std::sort(legales.begin(), legales.end());
        for (Jugada j : legales) {
            if (Capturada(j) != SIN_PIEZA) capturas.push_back(j);
            if (Pieza(j) == PEON_B || Pieza(j) == PEON_N) peones.push_back(j);
        }
        const std::vector<Jugada>* de = &legales;
        u64 tipo = Azar(20);
        if (tipo < 4 && !capturas.empty()) de = &capturas;
        else if (tipo < 9 && !peones.empty()) de = &peones;
        HacerMovimiento((*de)[Azar(de->size())]);
        return true;
    }
};

// The reference lines, in order:
//   F <i> <score> <record score> <8 White passed> <8 Black passed> <phase> <digest>   fixed position i
//   P <i> <same fields> <fen>                                                        playout position i
//   B <k> <digest of the playout positions k*BLOQUE .. (k+1)*BLOQUE-1>
//   T <digest of all playout positions>   (only when all TOTAL positions are run)
// Calls linea(texto) for each; `total` playout positions are run (at most TOTAL).
template <class F>
void Referencia(long total, F&& linea) {
    LimpiarTransposicion();  // the cache starts empty
    auto campos = [](const Salida& s, u64 resumen) {
        char t[256];
        int n = std::snprintf(t, sizeof t, "%d %d", s.puntos, s.r.Puntuacion);
        for (i8 p : s.r.PeonPasadoBlancas) n += std::snprintf(t + n, sizeof t - n, " %d", p);
        for (i8 p : s.r.PeonPasadoNegras) n += std::snprintf(t + n, sizeof t - n, " %d", p);
        std::snprintf(t + n, sizeof t - n, " %d %016llx", s.fase, (unsigned long long)resumen);
        return std::string(t);
    };
    long i = 0;
    for (const std::string& fen : Fijas()) {
        Cargar(fen);
        Salida s;
        u64 r = ResumenPosicion(i, &s);
        linea("F " + std::to_string(i++) + " " + campos(s, r));
    }
    Resumen bloque, todo;
    Partidas partidas;
    partidas.Recorrer(total, [&](long indice) {
        char fen[128] = "";
        if (indice < Partidas::EXPLICITAS) EscribirFen(fen);
        Salida s;
        u64 r = ResumenPosicion(indice, &s);
        if (indice < Partidas::EXPLICITAS) linea("P " + std::to_string(indice) + " " + campos(s, r) + " " + fen);
        bloque.Sumar(r);
        todo.Sumar(r);
        if ((indice + 1) % Partidas::BLOQUE == 0) {
            char t[64];
            std::snprintf(t, sizeof t, "B %ld %016llx", indice / Partidas::BLOQUE, (unsigned long long)bloque.h);
            linea(t);
            bloque = Resumen();
        }
    });
    if (total == Partidas::TOTAL) {
        char t[64];
        std::snprintf(t, sizeof t, "T %016llx", (unsigned long long)todo.h);
        linea(t);
    }
}

}  // namespace oraculo
