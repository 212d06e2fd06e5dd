// The root moves a search may play.
#include "search/raiz.h"

#include "board/legal.h"
#include "tablebases/syzygy.h"

POR_HILO RestriccionRaiz RaizBusqueda;

namespace {

struct {
    int n = 0;
    Jugada jugadas[MAX_JUGADAS];
} Cliente;

bool Contiene(const Jugada* jugadas, int n, Jugada j) {
    for (int k = 0; k < n; k++)
        if (jugadas[k] == j) return true;
    return false;
}

}  // namespace

void FijarJugadasCliente(const Jugada* jugadas, int n) {
    Cliente.n = 0;
    for (int i = 0; i < n && i < MAX_JUGADAS; i++) Cliente.jugadas[Cliente.n++] = jugadas[i];
}

void PrepararJugadasRaiz(bool todas) {
    RestriccionRaiz& r = RaizBusqueda;
    r.activa = r.tablas = false;
    r.n = r.primera = 0;
    static ClasificacionRaiz c;  // large; one search at a time prepares it
    if (ClasificarRaizSyzygy(c)) {
        for (int i = 0; i < c.n; i++)
            if (ConservaResultado(c, i) && (Cliente.n == 0 || Contiene(Cliente.jugadas, Cliente.n, c.jugadas[i])))
                r.jugadas[r.n++] = c.jugadas[i];
        r.resultado = c.resultado;
        r.tablas = r.n > 0;
    }
    if (!r.tablas && Cliente.n > 0) {
        for (int i = 0; i < Cliente.n; i++) r.jugadas[i] = Cliente.jugadas[i];
        r.n = Cliente.n;
    } else if (!r.tablas && todas) {
        ListaJugadas lista;
        r.n = GenerarLegales(lista);
        for (int i = 0; i < r.n; i++) r.jugadas[i] = lista[i].Jugada;
    }
    r.activa = r.n > 0;
}

int RestringirRaiz(EntradaLista* lista, int total) {
    const RestriccionRaiz& r = RaizBusqueda;
    int n = 0;
    for (int i = 0; i < total; i++)
        if (Contiene(r.jugadas + r.primera, r.n - r.primera, lista[i].Jugada)) lista[n++] = lista[i];
    return n;
}

void ApartarJugadaRaiz(Jugada j) {
    RestriccionRaiz& r = RaizBusqueda;
    for (int i = r.primera; i < r.n; i++) {
        if (r.jugadas[i] != j) continue;
        r.jugadas[i] = r.jugadas[r.primera];
        r.jugadas[r.primera++] = j;
        return;
    }
}

int PuntuacionRaiz(int puntuacion) {
    // A win's score at the root when the search has not reached it: below every probe's.
    constexpr int GANADA = VALOR_TB_GANADA - PLY_TB_RAIZ;
    switch (RaizBusqueda.resultado) {
        case 1: return puntuacion >= GANADA ? puntuacion : GANADA;
        case -1: return puntuacion <= -GANADA ? puntuacion : -GANADA;
        default: return 0;
    }
}
