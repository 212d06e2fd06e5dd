// The games' tree and the book lines read from it.
#include <cstring>

#include "book/construir.h"

ArbolPartidas::ArbolPartidas() : nodos_(1) {}

void ArbolPartidas::Anadir(const std::vector<std::string>& jugadas, Resultado resultado) {
    u32 nodo = 0;
    nodos_[0].partidas++;
    for (size_t ply = 0; ply < jugadas.size(); ply++) {
        u32* enlace = &nodos_[nodo].hijo;
        while (*enlace && std::memcmp(nodos_[*enlace].jugada, jugadas[ply].data(), 4) != 0)
            enlace = &nodos_[*enlace].hermano;
        nodo = *enlace;
        if (!nodo) {
            nodo = *enlace = u32(nodos_.size());  // before the push, which may move the nodes
            nodos_.emplace_back();
            std::memcpy(nodos_[nodo].jugada, jugadas[ply].data(), 4);
        }
        Nodo& n = nodos_[nodo];
        n.partidas++;
        // White makes the moves of even plies (counted from 0).
        const Resultado gana = ply % 2 == 0 ? Resultado::BLANCAS : Resultado::NEGRAS;
        const Resultado pierde = ply % 2 == 0 ? Resultado::NEGRAS : Resultado::BLANCAS;
        n.ganadas += resultado == gana;
        n.perdidas += resultado == pierde;
        n.tablas += resultado == Resultado::TABLAS;
    }
}

std::vector<std::string> ArbolPartidas::Lineas(const OpcionesLibro& opciones) const {
    std::vector<std::string> lineas;
    std::string linea;
    Recorrer(0, 0, opciones, linea, lineas);
    return lineas;
}

// A move stays when enough games played it and, with a result filter, its mover scored more
// than half the points (GANADOR) or at least half (GANADOR_O_TABLAS) in the games of known
// result that played it: in a single game, the winner's moves (and both sides' in a draw).
// The line ends where no move of the next ply stays.
void ArbolPartidas::Recorrer(u32 nodo, int ply, const OpcionesLibro& opciones, std::string& linea,
                             std::vector<std::string>& lineas) const {
    bool sigue = false;
    for (u32 h = ply < opciones.plies ? nodos_[nodo].hijo : 0; h; h = nodos_[h].hermano) {
        const Nodo& n = nodos_[h];
        if (n.partidas < u32(opciones.minimoPartidas)) continue;
        if (opciones.filtro == FiltroResultado::GANADOR && n.ganadas <= n.perdidas) continue;
        if (opciones.filtro == FiltroResultado::GANADOR_O_TABLAS &&
            (n.ganadas < n.perdidas || n.ganadas + n.tablas + n.perdidas == 0))
            continue;
        sigue = true;
        const size_t largo = linea.size();
        if (largo) linea += ' ';
        linea.append(n.jugada, 4);
        Recorrer(h, ply + 1, opciones, linea, lineas);
        linea.resize(largo);
    }
    if (!sigue && !linea.empty()) lineas.push_back(linea);
}
