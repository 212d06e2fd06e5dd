// "go": the opening book first, then the search limits and the time budget, the search, and
// with Ponder on the engine's own pondering.
#include "uci/go.h"

#include <cstdint>
#include <cstring>

#include "book/book.h"
#include "search/search.h"
#include "uci/limits.h"
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

// The reserve every clock budget keeps: never spend the clock below a tenth of it, nor below
// 50 ms, and without increment never more than a tenth of a short clock on one move.
i64 LimitarPresupuesto(i64 presupuesto, i64 tiempo, i64 incremento) {
    if (incremento == 0 && tiempo <= 9999 && tiempo / 10 < presupuesto) presupuesto = tiempo / 10;
    i64 reserva = tiempo / 10 > 50 ? tiempo / 10 : 50;
    if (tiempo - reserva < presupuesto) presupuesto = tiempo - reserva;
    return presupuesto;
}

// Budgets are worked out in 64 bits, where no sum of 32-bit values can overflow, and kept in
// the 32 bits of the limits record.
i32 A32(i64 v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : i32(v); }

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

LimitesGo CalcularLimites(const ParametrosGo& p, int turno, int plies) {
    LimitesGo l{};
    l.profundidadMaxima = p.profundidad;
    l.movimientosRestantes = plies;
    const i64 tiempo = turno == 1 ? p.wtime : p.btime;
    const i64 incremento = turno == 1 ? p.winc : p.binc;

    // Later rules overwrite what earlier ones set.
    if (l.profundidadMaxima != 0) {
        l.controlTiempo = 0;
        l.buscar = true;
    }
    if (p.movetime != 0) {
        l.profundidadMaxima = PROFUNDIDAD_MAXIMA;
        l.controlTiempo = 1;
        l.tiempoLimite = A32(i64(p.movetime) - 500);
        l.buscar = true;
    }
    const bool reloj = p.hayWtime && p.hayBtime;
    if (reloj && p.movestogo != 0) {
        l.profundidadMaxima = PROFUNDIDAD_MAXIMA;
        l.controlTiempo = 1;
        l.movimientosRestantes = p.movestogo;
        i64 t1 = ATruncado(float(tiempo) / float(p.movestogo) + 0.5f);
        i64 t2 = i64(double(incremento) * 0.6);
        l.tiempoLimite = A32(LimitarPresupuesto(t1 + t2, tiempo, incremento));
        l.buscar = true;
    } else if (p.movestogo == 0 && reloj) {
        // Sudden death or increment: the clock is spread over the moves a game still lasts.
        i32 m = 130 - plies;
        if (m <= 1) m = 2;
        l.movimientosRestantes = m;
        l.profundidadMaxima = PROFUNDIDAD_MAXIMA;
        l.controlTiempo = 1;
        i64 b;
        if (tiempo >= 10001 && tiempo <= 19999) {
            b = ATruncado(float(tiempo) / float(m) + 0.5f) + incremento;
            if (b <= 999) b = incremento != 0 ? incremento : 1000;
        } else if (tiempo >= 20000 || tiempo == 10000) {
            b = ATruncado(float(tiempo) / float(m) + 250.5f) + incremento;
        } else {
            b = incremento != 0 ? incremento : 500;
        }
        l.tiempoLimite = A32(LimitarPresupuesto(b, tiempo, incremento));
        l.buscar = true;
    }
    // A node budget limits the search alone or together with the others, whichever ends it first.
    if (p.nodos != 0) {
        l.nodos = p.nodos;
        if (!l.buscar) {
            l.profundidadMaxima = PROFUNDIDAD_MAXIMA;
            l.controlTiempo = 0;
            l.buscar = true;
        }
    }
    // A clock already inside its reserve has no time to think: the first iteration gives the
    // move. Searching on until the first clock check (2048 nodes) costs up to a millisecond a
    // move, which over a long game at a few seconds a side eats the whole reserve.
    if (reloj && l.tiempoLimite <= 0) l.profundidadMaxima = 1;
    return l;
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
    TipoTablero& T = TableroGlobal;
    // Without a move to play (a mated or stalemated root) there is nothing to ponder on; the
    // stop flag is cleared as the ponder search would have cleared it.
    if (pv_line_fin[0] == 0) {
        TipoJuego.Parar = 0;
        return;
    }
    if (T.Ply <= 62) T.Ply++;
    ListaJugadas lista;
    int n = GenerarMovimientos(GENERAR_TODAS, lista);
    bool encontrada = false;
    for (int i = 0; i < n && !encontrada; i++) {
        char texto[6];
        MovimientoCoordenadas(lista[i].Jugada, texto);
        if (std::strcmp(texto, TipoJuego.JugadaPonder) != 0) continue;
        encontrada = true;
        HacerMovimiento(lista[i].Jugada);  // which stores the new key for repetitions
    }
    if (!encontrada) {
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
