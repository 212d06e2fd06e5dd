// "go": the opening book first, then the go words into the search limits (the time manager
// works out the budget), the search, and with Ponder on the engine's own pondering.
#include "uci/go.h"

#include <cstring>

#include "book/book.h"
#include "search/limits.h"
#include "search/search.h"
#include "uci/uci.h"

namespace {

bool ParametroConValor(const char* palabra, i32*& destino, ParametrosGo& p) {
    if (!std::strcmp(palabra, "wtime")) destino = &p.wtime;
    else if (!std::strcmp(palabra, "btime")) destino = &p.btime;
    else if (!std::strcmp(palabra, "winc")) destino = &p.winc;
    else if (!std::strcmp(palabra, "binc")) destino = &p.binc;
    else if (!std::strcmp(palabra, "depth")) destino = &p.profundidad;
    else if (!std::strcmp(palabra, "movestogo")) destino = &p.movestogo;
    else if (!std::strcmp(palabra, "movetime")) destino = &p.movetime;
    else return false;
    return true;
}

}  // namespace

ParametrosGo LeerParametrosGo(const char* resto) {
    ParametrosGo p{};
    char palabra[TAM_PALABRA];
    for (;;) {
        resto = Split_String(resto, palabra);
        if (!palabra[0]) break;
        if (!std::strcmp(palabra, "infinite")) {
            p.infinito = true;
            p.profundidad = PROFUNDIDAD_MAXIMA;
            continue;
        }
        if (!std::strcmp(palabra, "ponder")) {
            p.ponder = true;
            continue;
        }
        if (!std::strcmp(palabra, "nodes")) {
            char valor[TAM_PALABRA];
            resto = Split_String(resto, valor);
            if (!valor[0]) break;
            LeerNumero(valor, p.nodos);
            continue;
        }
        i32* destino;
        // Any other word, and a value that follows it, is skipped on its own.
        if (!ParametroConValor(palabra, destino, p)) continue;
        char valor[TAM_PALABRA];
        resto = Split_String(resto, valor);
        if (!valor[0]) break;
        if (LeerNumero(valor, *destino)) {
            if (destino == &p.wtime) p.hayWtime = true;
            if (destino == &p.btime) p.hayBtime = true;
        }
        if (destino == &p.profundidad && p.profundidad > PROFUNDIDAD_MAXIMA) p.profundidad = PROFUNDIDAD_MAXIMA;
    }
    return p;
}

void ComandoGo(const char* resto) {
    if (LibroSql.OwnBook == 1 && LibroSql.FueraDeLibro == 0) {
        if (BuscarJugadaLibro()) return;
    } else {
        LibroSql.TextoPartida[0] = 0;
    }

    ParametrosGo p = LeerParametrosGo(resto);
    if (p.infinito) TipoJuego.Infinito = 1;
    LimitesGo l = CalcularLimites(p, TableroGlobal.Turno, TipoJuego.MovimientosRestantes);
    TipoJuego.ProfundidadMaxima = l.profundidadMaxima;
    // Nothing to search by (no depth, time or clock): no answer at all.
    if (!l.buscar) return;
    TipoJuego.ControlTiempo = l.controlTiempo;
    TipoJuego.TiempoLimite = l.tiempoLimite;
    TipoJuego.MovimientosRestantes = l.movimientosRestantes;
    // On "go ponder" the node budget starts at ponderhit, which adds the count then reached.
    TipoJuego.LimiteNodos = l.nodos == 0 || p.ponder ? l.nodos : TipoJuego.Nodos + l.nodos;
    TipoJuego.PonderInterfaz = p.ponder ? 1 : 0;

    Buscar();
    TipoJuego.LimiteNodos = 0;
    // The GUI that sent "go ponder" ponders itself; the engine's own pondering would only be
    // stopped by its next line. The stop flag is cleared as that pondering would have cleared it.
    if (p.ponder) TipoJuego.Parar = 0;
    else if (TipoJuego.Ponder == 1) PonderarPropiaJugada();
}

void PonderarPropiaJugada() {
    // Without a move to play (a mated or stalemated root) there is nothing to ponder on; the
    // stop flag is cleared as the ponder search would have cleared it.
    if (pv_line_fin[0] == 0) {
        TipoJuego.Parar = 0;
        return;
    }
    if (!JugarTexto(TipoJuego.JugadaPonder)) {
        ImprimirMovimientoIlegal(TipoJuego.JugadaPonder);
        Salir = 1;
    }
    // The opponent's position, searched without a limit until the GUI speaks again.
    TipoJuego.ProfundidadMaxima = PROFUNDIDAD_MAXIMA;
    TipoJuego.ControlTiempo = 0;
    TipoJuego.Parar = 0;
    TipoJuego.PonderActivo = 1;
    Buscar();
}
