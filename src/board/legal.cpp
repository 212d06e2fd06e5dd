#include "board/legal.h"

int GenerarLegales(EntradaLista* lista) {
    const int n = GenerarMovimientos(GENERAR_TODAS, lista);
    int legales = 0;
    for (int i = 0; i < n; i++) {
        if (HacerMovimiento(lista[i].Jugada)) lista[legales++] = lista[i];
        DeshacerMovimiento();
    }
    return legales;
}

std::vector<std::string> JugadasLegales() {
    std::vector<std::string> r;
    ListaJugadas lista;
    const int n = GenerarLegales(lista);
    for (int i = 0; i < n; i++) {
        char t[6];
        MovimientoCoordenadas(lista[i].Jugada, t);
        r.push_back(t);
    }
    return r;
}

bool EsJugadaLegal(const char* texto) {
    ListaJugadas lista;
    return BuscarTexto(lista, GenerarLegales(lista), texto) >= 0;
}
