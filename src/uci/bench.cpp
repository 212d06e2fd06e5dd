// "bench": fixed-depth searches of a built-in list of positions, each from a fresh game; the
// node total is the engine's signature (any change of search or evaluation shows in it).
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "search/hilos.h"
#include "search/limits.h"
#include "search/search.h"
#include "uci/uci.h"

namespace {

constexpr int PROFUNDIDAD_BENCH = 13;  // a run of 5 to 20 seconds in Release

// Openings, middlegames, endgames and a few tactical positions.
constexpr const char* POSICIONES_BENCH[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "rnbqkb1r/1p2pppp/p2p1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq - 0 6",
    "rnbqk1nr/ppp2ppp/4p3/3p4/1b1PP3/2N5/PPP2PPP/R1BQKBNR w KQkq - 2 4",
    "r1bqkb1r/1ppp1ppp/p1n2n2/4p3/B3P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 2 5",
    "rnbqkb1r/ppp2ppp/4pn2/3p2B1/2PP4/2N5/PP2PPPP/R2QKBNR b KQkq - 3 4",
    "rnbq1rk1/ppp1ppbp/3p1np1/8/2PPP3/2N2N2/PP2BPPP/R1BQK2R b KQ - 3 6",
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "4rrk1/pp1n3p/3q2pQ/2p1pb2/2PP4/2P3N1/P2B2PP/4RRK1 b - - 7 19",
    "r3r1k1/2p2ppp/p1p1bn2/8/1q2P3/2NPQN2/PPP3PP/R4RK1 b - - 2 15",
    "r1bbk1nr/pp3p1p/2n5/1N4p1/2Np1B2/8/PPP2PPP/2KR1B1R w kq - 0 13",
    "r1bq1rk1/ppp1nppp/4n3/3p3Q/3P4/1BP1B3/PP1N2PP/R4RK1 w - - 1 16",
    "4r1k1/r1q2ppp/ppp2n2/4P3/5Rb1/1N1BQ3/PPP3PP/R5K1 w - - 1 17",
    "2rqkb1r/ppp2p2/2npb1p1/1N1Nn2p/2P1PP2/8/PP2B1PP/R1BQK2R b KQ - 0 11",
    "r1bq1r1k/b1p1npp1/p2p3p/1p6/3PP3/1B2NN2/PP3PPP/R2Q1RK1 w - - 1 16",
    "3r1rk1/p5pp/bpp1pp2/8/q1PP1P2/b3P3/P2NQRPP/1R2B1K1 b - - 6 22",
    "8/8/8/3k4/8/8/3PK3/8 w - - 0 1",
    "1K1k4/1P6/8/8/8/8/r7/2R5 w - - 0 1",
    "8/8/4k3/8/4PK2/8/8/r6R w - - 0 1",
    "8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w - - 0 1",
    "6k1/6p1/6Pp/ppp5/3pn2P/1P3K2/1PP2P2/3N4 b - - 0 1",
    "3b4/5kp1/1p1p1p1p/pP1PpP1P/P1P1P3/3KN3/8/8 w - - 0 1",
    "2K5/p7/7P/5pR1/8/5k2/r7/8 w - - 0 1",
    "8/6pk/1p6/8/PP3p1p/5P2/4KP1q/3Q4 w - - 0 1",
    "8/8/8/4k3/8/8/8/4KQ2 w - - 0 1",
    "8/8/8/8/4k3/8/8/2BNK3 w - - 0 1",
    "2rr3k/pp3pp1/1nnqbN1p/3pN3/2pP4/2P3Q1/PPB4P/R4RK1 w - - 0 1",
    "8/7p/5k2/5p2/p1p2P2/Pr1pPK2/1P1R3P/8 b - - 0 1",
    "5rk1/1ppb3p/p1pb4/6q1/3P1p1r/2P1R2P/PP1BQ1P1/5RKN w - - 0 1",
    "r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "8/5P2/8/8/8/2k5/p7/4K3 w - - 0 1",
};

}  // namespace

void ComandoBench(const char* resto) {
    char palabra[TAM_PALABRA];
    resto = Split_String(resto, palabra);
    int profundidad;
    if (!LeerNumeroSaturado(palabra, profundidad, PROFUNDIDAD_MAXIMA) || profundidad < 1)
        profundidad = PROFUNDIDAD_BENCH;
    // One thread, whatever the option says, unless a second number asks for more (a parallel
    // run's node count varies from run to run).
    Split_String(resto, palabra);
    int hilos;
    if (!LeerNumeroSaturado(palabra, hilos, MAX_HILOS) || hilos < 1) hilos = 1;

    // What the runs change and a console user would not expect changed.
    RegistroJuego& J = TipoJuego;
    const SondaEntrada sonda = EntradaEsperando;
    const i32 ponder = J.Ponder, showPv = J.ShowPv, hilosOpcion = J.Hilos;
    J.Hilos = hilos;
    FijarHilos(hilos);
    char jugadaPonder[sizeof J.JugadaPonder];
    std::memcpy(jugadaPonder, J.JugadaPonder, sizeof jugadaPonder);
    // Waiting input (or a closed standard input) must not cut the searches short.
    EntradaEsperando = nullptr;

    u64 nodos = 0;
    i64 milisegundos = 0;
    for (const char* fen : POSICIONES_BENCH) {
        UciNewGame();
        char orden[128];
        std::snprintf(orden, sizeof orden, "fen %s", fen);
        Position_Fen_Startpos(orden);
        J.ProfundidadMaxima = profundidad;
        J.ControlTiempo = 0;
        J.Infinito = 0;
        J.Ponder = 0;
        J.PonderActivo = 0;
        J.ShowPv = SHOWPV_NINGUNA;
        const i32 inicio = ObtenerTiempo();
        Buscar();
        milisegundos += ObtenerTiempo() - inicio;
        nodos += NodosUltimaBusqueda;
    }
    if (milisegundos < 1) milisegundos = 1;
    const u64 nps = nodos * 1000 / u64(milisegundos);
    std::printf("%" PRIu64 " nodes %" PRIu64 " nps\n", nodos, nps);
    std::fflush(stdout);

    // Leave a fresh game behind, with the console user's settings.
    UciNewGame();
    EntradaEsperando = sonda;
    J.Ponder = ponder;
    J.ShowPv = showPv;
    J.Hilos = hilosOpcion;
    FijarHilos(hilosOpcion);
    std::memcpy(J.JugadaPonder, jugadaPonder, sizeof jugadaPonder);
}
