// What the search reports, and when: ShowPv and the infinite mode decide whether an
// iteration is shown, and what is shown goes to the reporter the protocol layer installed,
// which formats and prints it.
#include "search/limits.h"
#include "search/raiz.h"
#include "search/search.h"

const Informador* InformadorBusqueda = nullptr;

namespace {

// ShowPv Middle keeps quiet for the first 750 ms of a search.
constexpr int SILENCIO_MIDDLE_MS = 749;

LineasPv Mostradas;  // the lines of LineasBusqueda with their scores as shown

// Whether ShowPv and the infinite mode let an iteration's lines out now.
bool Mostrar(bool siempre) {
    const RegistroJuego& J = TipoJuego;
    if (J.Infinito || siempre) return true;
    if (J.ShowPv == 0) return false;
    return J.ShowPv != 1 || ObtenerTiempo() - J.TiempoInicio > SILENCIO_MIDDLE_MS;
}

// A root the tables decide shows their result, as an exact score.
void PuntuacionMostrada(int& puntuacion, int& cota) {
    if (!RaizBusqueda.tablas) return;
    puntuacion = PuntuacionRaiz(puntuacion);
    cota = 0;
}

int Transcurrido() {
    RegistroJuego& J = TipoJuego;
    J.TiempoTranscurrido = ObtenerTiempo() - J.TiempoInicio + 1;
    return J.TiempoTranscurrido;
}

}  // namespace

bool ImprimirPv(int profundidad, int puntuacion, int cota, bool siempre) {
    if (!Mostrar(siempre)) return false;
    const int transcurrido = Transcurrido();
    PuntuacionMostrada(puntuacion, cota);
    if (InformadorBusqueda) InformadorBusqueda->Iteracion(profundidad, puntuacion, cota, transcurrido);
    return true;
}

bool ImprimirLineas(bool siempre) {
    if (!Mostrar(siempre)) return false;
    const int transcurrido = Transcurrido();
    Mostradas = LineasBusqueda;
    for (int i = 0; i < Mostradas.n; i++) PuntuacionMostrada(Mostradas.linea[i].puntuacion, Mostradas.linea[i].cota);
    if (InformadorBusqueda) InformadorBusqueda->Lineas(Mostradas, transcurrido);
    return true;
}

void ImprimirMejorJugada(Jugada mejor, Jugada ponder) {
    if (InformadorBusqueda) InformadorBusqueda->MejorJugada(mejor, ponder);
}
