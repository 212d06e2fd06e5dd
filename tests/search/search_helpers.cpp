#include "search/search_helpers.h"

#include <sstream>

#include "search/limits.h"
#include "search/search.h"
#include "uci/uci.h"

ResultadoBusqueda Analizar(const std::string& salida) {
    ResultadoBusqueda r;
    r.lineas = Lineas(salida);
    for (const auto& l : r.lineas) {
        std::istringstream in(l);
        std::string w;
        in >> w;
        if (w == "bestmove") {
            in >> r.mejor;
            if (in >> w && w == "ponder") in >> r.ponder;
        } else if (w == "info" && (in >> w) && w == "depth") {
            int d = 0;
            in >> d;
            r.profundidades.push_back(d);
            auto p = l.find(" score ");
            if (p != std::string::npos) {
                auto fin = l.find(" pv ", p);
                r.ultimaPuntuacion = l.substr(p + 7, fin == std::string::npos ? std::string::npos : fin - p - 7);
            }
        }
    }
    return r;
}

ResultadoBusqueda BuscarEn(const std::string& posicion, int profundidad, int showPv, int infinito) {
    EntradaEsperando = nullptr;
    UciNewGame();
    Posicion(posicion);
    TipoJuego.ProfundidadMaxima = profundidad;
    TipoJuego.ControlTiempo = 0;
    TipoJuego.Infinito = infinito;
    TipoJuego.Ponder = 0;
    TipoJuego.PonderActivo = 0;
    TipoJuego.ShowPv = showPv;
    return Analizar(Capturar([] { Buscar(); }));
}
