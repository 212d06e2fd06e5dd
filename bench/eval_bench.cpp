// Micro-benchmark of the static evaluation, with the evaluation cache out of the way (every
// call is a full evaluation). Two measures:
//  - a fixed set of varied positions, each evaluated many times in a row (the branch
//    predictors learn them, so this shows the work done);
//  - search-like sequences: positions from seeded playouts, each followed by all its children
//    (one move apart, as in a search tree), every position evaluated once per round; the best
//    of several rounds is reported.
// Usage: bench_eval [repetitions per position]   (default 200000)
//        bench_eval --referencia > tests/eval/oraculo_referencia.txt
//            writes the evaluation's reference values (see tests/eval/oraculo.h)
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "eval/eval.h"
#include "uci/uci.h"
#include "../tests/eval/oraculo.h"

namespace {

const char* const POSICIONES[] = {
    // Openings
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2",
    "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3",
    "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
    "rnbqk2r/ppp1ppbp/3p1np1/8/2PPP3/2N5/PP3PPP/R1BQKBNR w KQkq - 0 5",
    "rnbqkb1r/ppp1pppp/5n2/3p4/2PP4/8/PP2PPPP/RNBQKBNR w KQkq - 1 3",
    // Middlegames
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP2BPPP/R2QKB1R w KQ - 0 8",
    "2rq1rk1/pp1bppbp/3p1np1/4n3/3NP3/1BN1BP2/PPPQ2PP/2KR3R w - - 0 12",
    "r2q1rk1/1b1nbppp/pp1ppn2/8/2PNP3/1PN1B3/P3BPPP/R2Q1RK1 w - - 0 11",
    "r1b2rk1/2q1bppp/p2p1n2/np2p3/3PP3/5N1P/PPBN1PP1/R1BQR1K1 w - - 0 12",
    "3r1rk1/p1q2ppp/1pn1pn2/2p5/2P1P3/2NB1P2/PP1Q2PP/3R1RK1 b - - 0 16",
    "r4rk1/pp1n1ppp/2pbpq2/3p4/2PP4/1PN1PN2/P3QPPP/R4RK1 w - - 0 13",
    "2kr3r/ppp2ppp/2n1bn2/2bqp3/8/2NP1NP1/PPPBPPBP/R2Q1RK1 w - - 0 10",
    "r1b1k2r/ppppnppp/2n2q2/2b5/3NP3/2P1B3/PP3PPP/RN1QKB1R w KQkq - 0 7",
    // Endgames
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "8/8/4kpp1/3p1b2/p6P/2B5/6P1/6K1 b - - 0 1",
    "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 w - - 0 1",
    "8/5pk1/6p1/3R4/8/1r4P1/5PK1/8 w - - 0 1",
    "8/8/3k4/3p4/3P4/3K4/8/8 w - - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "8/pp3k2/2p5/3p4/3P4/2P5/PP3K2/8 w - - 0 1",
    "4k3/8/8/3n4/8/2B5/8/4K2R w - - 0 1",
    "8/8/4P3/8/8/8/8/k6K w - - 0 1",
    "4k3/8/4K3/8/8/8/8/R7 w - - 0 1",
    "8/8/8/3B4/8/5K2/8/1N5k w - - 0 1",
    "r5k1/5ppp/8/8/8/8/5PPP/R5K1 b - - 0 1",
};

// What the evaluation reads of a position.
struct Foto {
    i32 tablero[64];
    i32 reyBlanco, reyNegro, enroqueBlancas, enroqueNegras, turno, regla50;
    u64 hash;
    i32 cuentas[2][5];
};

Foto Tomar() {
    const TipoTablero& T = TableroGlobal;
    Foto f;
    std::memcpy(f.tablero, T.Tablero, sizeof f.tablero);
    f.reyBlanco = T.PosicionReyBlanco;
    f.reyNegro = T.PosicionReyNegro;
    f.enroqueBlancas = T.EnroqueBlancas;
    f.enroqueNegras = T.EnroqueNegras;
    f.turno = T.Turno;
    f.regla50 = T.Regla50;
    f.hash = T.Hash;
    const DatosBando* lados[2] = {&Blancas, &Negras};
    for (int l = 0; l < 2; l++) {
        const DatosBando& b = *lados[l];
        const i32 c[5] = {b.NumPeones, b.NumCaballos, b.NumAlfiles, b.NumTorres, b.NumDamas};
        std::memcpy(f.cuentas[l], c, sizeof c);
    }
    return f;
}

void Poner(const Foto& f) {
    TipoTablero& T = TableroGlobal;
    std::memcpy(T.Tablero, f.tablero, sizeof f.tablero);
    T.PosicionReyBlanco = f.reyBlanco;
    T.PosicionReyNegro = f.reyNegro;
    T.EnroqueBlancas = f.enroqueBlancas;
    T.EnroqueNegras = f.enroqueNegras;
    T.Turno = f.turno;
    T.Regla50 = f.regla50;
    T.Hash = f.hash;
    DatosBando* lados[2] = {&Blancas, &Negras};
    for (int l = 0; l < 2; l++) {
        DatosBando& b = *lados[l];
        b.NumPeones = f.cuentas[l][0];
        b.NumCaballos = f.cuentas[l][1];
        b.NumAlfiles = f.cuentas[l][2];
        b.NumTorres = f.cuentas[l][3];
        b.NumDamas = f.cuentas[l][4];
    }
}

// Playout positions and, after each, its children.
std::vector<Foto> PosicionesDeArbol(long padres) {
    std::vector<Foto> fotos;
    oraculo::Partidas partidas;
    partidas.Recorrer(padres, [&](long) {
        fotos.push_back(Tomar());
        ListaJugadas lista;
        int n = GenerarMovimientos(GENERAR_TODAS, lista);
        for (int i = 0; i < n; i++) {
            if (HacerMovimiento(lista[i].Jugada)) fotos.push_back(Tomar());
            DeshacerMovimiento();
        }
    });
    return fotos;
}

void MedirArbol() {
    const std::vector<Foto> fotos = PosicionesDeArbol(3000);
    double mejor = 1e30;
    long long sumidero = 0;
    ResultadoEval r;
    for (int ronda = 0; ronda < 30; ronda++) {
        auto inicio = std::chrono::steady_clock::now();
        for (const Foto& f : fotos) {
            Poner(f);
            sumidero += EvaluarSinCache(&r);
        }
        auto fin = std::chrono::steady_clock::now();
        double s = std::chrono::duration<double>(fin - inicio).count();
        if (s < mejor) mejor = s;
    }
    // The set-up alone, to be taken off.
    double preparar = 1e30;
    for (int ronda = 0; ronda < 30; ronda++) {
        auto inicio = std::chrono::steady_clock::now();
        for (const Foto& f : fotos) {
            Poner(f);
            sumidero += TableroGlobal.Tablero[f.reyBlanco];
        }
        auto fin = std::chrono::steady_clock::now();
        double s = std::chrono::duration<double>(fin - inicio).count();
        if (s < preparar) preparar = s;
    }
    std::printf("search-like positions: %zu, best round: %.3f ms (%.1f ns each; %.1f ns of it position set-up)\n",
                fotos.size(), mejor * 1e3, mejor * 1e9 / double(fotos.size()), preparar * 1e9 / double(fotos.size()));
    std::printf("checksum: %lld\n", sumidero);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && !std::strcmp(argv[1], "--referencia")) {
        IniciarMotor();
        oraculo::Referencia(oraculo::Partidas::TOTAL, [](const std::string& l) { std::printf("%s\n", l.c_str()); });
        LiberarMemoria();
    }
    long repeticiones = argc > 1 ? std::atol(argv[1]) : 200000;
    if (repeticiones < 1) repeticiones = 1;
    IniciarMotor();

    long long total = 0;
    double segundos = 0;
    long long sumidero = 0;  // keeps the calls from being optimised away
    for (const char* fen : POSICIONES) {
        char linea[128];
        std::snprintf(linea, sizeof linea, "fen %s", fen);
        Position_Fen_Startpos(linea);
        ResultadoEval r;
        auto inicio = std::chrono::steady_clock::now();
        for (long i = 0; i < repeticiones; i++) sumidero += EvaluarSinCache(&r);
        auto fin = std::chrono::steady_clock::now();
        segundos += std::chrono::duration<double>(fin - inicio).count();
        total += repeticiones;
    }
    int posiciones = int(sizeof POSICIONES / sizeof POSICIONES[0]);
    std::printf("positions: %d, evaluations: %lld, time: %.3f s\n", posiciones, total, segundos);
    std::printf("evaluations per second: %.0f (%.1f ns each)\n", total / segundos, segundos * 1e9 / total);
    std::printf("checksum: %lld\n", sumidero);
    MedirArbol();
    LiberarMemoria();
}
