// The "perft" console command: counts the move paths of a given length with a breakdown of
// the last ply and a per-root-move divide list. Every leaf move is made and checked.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "uci/limits.h"
#include "uci/uci.h"

namespace {

struct ContadoresPerft {
    u64 Nodos;
    i32 Capturas;
    i32 CapturasAlPaso;
    i32 Enroques;
    i32 Coronaciones;
};

i32 PosicionesPorJugada;

inline void Sumar(i32& c) {
    if (c < INT32_MAX) c++;
}

inline void Contar(ContadoresPerft& k, Jugada m) {
    if (Capturada(m) != SIN_PIEZA) Sumar(k.Capturas);
    if (AlPaso(m)) {
        Sumar(k.CapturasAlPaso);
        Sumar(k.Capturas);
    }
    if (Enroque(m)) Sumar(k.Enroques);
    if (Coronacion(m) != SIN_PIEZA) Sumar(k.Coronaciones);
    if (k.Nodos < u64(INT64_MAX)) k.Nodos++;
    Sumar(PosicionesPorJugada);
}

// Whether the side to move is in check, tested once per node: out of check, make move can
// test legality along one line only.
inline bool EnJaque() {
    const TipoTablero& T = TableroGlobal;
    return T.Turno == 1 ? JaqueBlancas(T.PosicionReyBlanco) : JaqueNegras(T.PosicionReyNegro);
}

inline int Hacer(Jugada j, bool enJaque) { return enJaque ? HacerMovimiento(j) : HacerMovimientoSinJaque(j); }

int MiniMax(int ply, ContadoresPerft& k, Jugada m) {
    if (TipoJuego.Parar) return 0;
    if (ply == TipoJuego.ProfundidadMaxima) {
        Contar(k, m);
        return 0;
    }
    ListaJugadas lista;
    int n = GenerarMovimientos(GENERAR_TODAS, lista);
    const bool enJaque = n > 0 && EnJaque();
    for (int i = 0; i < n; i++) {
        if (Hacer(lista[i].Jugada, enJaque) && !TipoJuego.Parar) MiniMax(ply + 1, k, lista[i].Jugada);
        DeshacerMovimiento();
    }
    return 0;
}

// The first plies are walked here; MiniMax takes over from ply 3.
void ContarBajoRaiz(int profundidad, ContadoresPerft& k, Jugada raiz) {
    if (profundidad == 1) {
        Contar(k, raiz);
        return;
    }
    ListaJugadas respuestas;
    int nr = GenerarMovimientos(GENERAR_TODAS, respuestas);
    const bool enJaque = nr > 0 && EnJaque();
    for (int i = 0; i < nr; i++) {
        Jugada r = respuestas[i].Jugada;
        if (Hacer(r, enJaque)) {
            if (profundidad == 2) {
                Contar(k, r);
            } else {
                ListaJugadas terceras;
                int nt = GenerarMovimientos(GENERAR_TODAS, terceras);
                const bool enJaqueTercera = nt > 0 && EnJaque();
                for (int t = 0; t < nt; t++) {
                    if (Hacer(terceras[t].Jugada, enJaqueTercera)) MiniMax(3, k, terceras[t].Jugada);
                    DeshacerMovimiento();
                }
            }
        }
        DeshacerMovimiento();
    }
}

}  // namespace

void ComandoPerft(const char* resto) {
    char palabra[80];
    Split_String(resto, palabra);
    if (!palabra[0]) return;
    int profundidad = 0;
    for (const char* p = palabra; *p; p++) {
        if (*p < '0' || *p > '9') return;
        profundidad = profundidad * 10 + (*p - '0');
        if (profundidad > 64) profundidad = 64;
    }
    TipoJuego.ProfundidadMaxima = profundidad;
    // Depth 0 counts nothing, and the undo stack holds at most 63 nested moves.
    if (profundidad < 1 || profundidad > 63) return;

    // The command is a root of its own: the whole undo stack is available below it.
    const int plyAntes = TableroGlobal.Ply;
    TableroGlobal.Ply = 0;
    ContadoresPerft k{};
    struct Raiz {
        char texto[6];
        i32 cuenta;
    } raices[MAX_JUGADAS] = {};
    TipoJuego.TiempoInicio = ObtenerTiempo();

    ListaJugadas lista;
    int n = GenerarMovimientos(GENERAR_TODAS, lista);
    for (int i = 0; i < n; i++) {
        Jugada m = lista[i].Jugada;
        if (!HacerMovimiento(m)) {
            DeshacerMovimiento();
            continue;
        }
        PosicionesPorJugada = 0;
        if (!TipoJuego.Parar) ContarBajoRaiz(profundidad, k, m);
        MovimientoCoordenadas(m, raices[i].texto);
        raices[i].cuenta = PosicionesPorJugada;
        DeshacerMovimiento();
    }
    TipoJuego.TiempoTranscurrido = ObtenerTiempo() - TipoJuego.TiempoInicio + 1;
    TableroGlobal.Ply = plyAntes;

    std::printf("Nodos: %" PRId64 "\n", i64(k.Nodos));
    std::printf("Capturas: %d\n", k.Capturas);
    std::printf("Captura Ep: %d\n", k.CapturasAlPaso);
    std::printf("Coronacion: %d\n", k.Coronaciones);
    std::printf("Enroques: %d\n", k.Enroques);
    std::printf("Tiempo(ms): %d\n", ObtenerTiempo() - TipoJuego.TiempoInicio);
    std::printf("Nps: %d\n", ATruncado(float(k.Nodos) * 1000.0f / float(TipoJuego.TiempoTranscurrido) + 0.5f));
    std::printf("Divide\n");
    std::printf("------------------------------\n");
    for (int i = 0; i < n; i++)
        if (raices[i].cuenta != 0) std::printf("%s: %d\n", raices[i].texto, raices[i].cuenta);
}
