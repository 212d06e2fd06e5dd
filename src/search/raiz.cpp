// The root moves a search may play.
#include "search/raiz.h"

#include "tablebases/syzygy.h"

RestriccionRaiz RaizBusqueda;

void PrepararJugadasRaiz() {
    RestriccionRaiz& r = RaizBusqueda;
    r.activa = false;
    r.n = 0;
    static ClasificacionRaiz c;  // large; one search at a time prepares it
    if (!ClasificarRaizSyzygy(c)) return;
    for (int i = 0; i < c.n; i++)
        if (ConservaResultado(c, i)) r.jugadas[r.n++] = c.jugadas[i];
    r.resultado = c.resultado;
    r.activa = r.n > 0;
}

int RestringirRaiz(EntradaLista* lista, int total) {
    const RestriccionRaiz& r = RaizBusqueda;
    int n = 0;
    for (int i = 0; i < total; i++) {
        bool dentro = false;
        for (int k = 0; k < r.n && !dentro; k++) dentro = r.jugadas[k] == lista[i].Jugada;
        if (dentro) lista[n++] = lista[i];
    }
    return n;
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
