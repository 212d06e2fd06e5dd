// "go": the opening book first, then the go words into the search limits (the time manager
// works out the budget), the search, and with Ponder on the engine's own pondering.
#include "uci/go.h"

#include <cstring>

#include "board/legal.h"
#include "book/book.h"
#include "search/limits.h"
#include "search/raiz.h"
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
    else if (!std::strcmp(palabra, "mate")) destino = &p.mate;
    else return false;
    return true;
}

// "searchmoves": the legal moves that follow, in coordinate text, each once. The list ends at
// the first other word, left in palabra to be read as usual (empty at the end of the line).
const char* LeerJugadasBusqueda(const char* resto, char* palabra, ParametrosGo& p) {
    ListaJugadas legales;
    const int n = GenerarLegales(legales);
    for (;;) {
        resto = Split_String(resto, palabra);
        const int i = BuscarTexto(legales, n, palabra);
        if (i < 0) return resto;
        const Jugada j = legales[i].Jugada;
        bool nueva = true;
        for (int i = 0; i < p.numJugadas; i++) nueva &= p.jugadas[i] != j;
        if (nueva) p.jugadas[p.numJugadas++] = j;
    }
}

}  // namespace

ParametrosGo LeerParametrosGo(const char* resto) {
    ParametrosGo p{};
    char palabra[TAM_PALABRA];
    for (;;) {
        resto = Split_String(resto, palabra);
        if (!std::strcmp(palabra, "searchmoves")) resto = LeerJugadasBusqueda(resto, palabra, p);
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
            if (LeerNumero(valor, p.nodos)) p.hayNodos = true;
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
            if (destino == &p.movetime) p.hayMovetime = true;
        }
        if (destino == &p.profundidad && p.profundidad > PROFUNDIDAD_MAXIMA) p.profundidad = PROFUNDIDAD_MAXIMA;
    }
    return p;
}

void ComandoGo(const char* resto) {
    const ParametrosGo p = LeerParametrosGo(resto);
    // "go infinite" asks for analysis, never for a book move, and so does a list of moves.
    if (LibroSql.OwnBook == 1 && LibroSql.FueraDeLibro == 0 && !p.infinito) {
        if (p.numJugadas == 0 && BuscarJugadaLibro(p.ponder)) return;
    } else {
        LibroSql.TextoPartida[0] = 0;
    }

    RegistroJuego& J = TipoJuego;
    if (p.infinito) J.Infinito = 1;
    const LimitesGo l = CalcularLimites(p, TableroGlobal.Turno, J.MovimientosRestantes, J.MargenMovimiento);
    J.ProfundidadMaxima = l.profundidadMaxima;
    J.ControlTiempo = l.controlTiempo;
    J.TiempoLimite = l.tiempoLimite;
    J.MovimientosRestantes = l.movimientosRestantes;
    // On "go ponder" the node budget starts at ponderhit, which adds the count then reached.
    J.LimiteNodos = l.nodos == 0 || p.ponder ? l.nodos : J.Nodos + l.nodos;
    J.MateBuscado = l.mate;
    J.EsperaRespuesta = l.espera;
    J.PonderInterfaz = p.ponder ? 1 : 0;

    FijarJugadasCliente(p.jugadas, p.numJugadas);
    Buscar();
    FijarJugadasCliente(nullptr, 0);
    J.LimiteNodos = 0;
    J.MateBuscado = 0;
    J.EsperaRespuesta = Espera::Ninguna;
    // The GUI that sent "go ponder" ponders itself; the engine's own pondering would only be
    // stopped by its next line. The stop flag is cleared as that pondering would have cleared it.
    if (p.ponder) J.Parar = 0;
    else if (J.Ponder == 1) PonderarPropiaJugada();
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
