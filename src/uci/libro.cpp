// The opening book's front end: the go handler's probe and the "book" command, with the
// book's messages.
#include <cstdio>

#include "book/book.h"
#include "search/limits.h"
#include "uci/uci.h"

namespace {

// The error report of a probe or a verification: the SQLite result code and, for a
// verification, the line it stopped at.
void ImprimirErrorLibro(int codigo, const char* linea = nullptr) {
    std::printf("Error en el libro de apertura.\n");
    std::printf("C\xF3" "digo de error: %d\n", codigo);
    if (linea) std::printf("Apertura incorrecta en: %s\n", linea);
}

constexpr const char* SIN_LIBRO = "Libro de apertura cargado: No.\n";

}  // namespace

int BuscarJugadaLibro(bool ponder) {
    const SondaLibro r = ElegirJugadaLibro();
    if (r.estado == EstadoLibro::SIN_LIBRO) std::printf("%s", SIN_LIBRO);
    if (r.estado == EstadoLibro::ERROR) ImprimirErrorLibro(r.codigo);
    if (r.estado != EstadoLibro::JUGADA) return 0;
    if (ponder) {
        TipoJuego.PonderInterfaz = 1;
        EsperarRespuesta(false);
    }
    std::printf("bestmove %s\n", LibroSql.JugadaLibro);
    std::printf("info string Libro de aperturas.\n");
    std::fflush(stdout);
    return 1;
}

// "book": the book's verification, an unplayable move reported with the position command's
// diagnostics. The board then holds the last line replayed, and the game's ply count follows.
void ComandoBook() {
    std::printf("Analizando libro de aperturas...\n");
    const VerificacionLibro v = VerificarLibroApertura(ImprimirMovimientoIlegal);
    switch (v.estado) {
        case EstadoLibro::CORRECTO: std::printf("Libro de apertura correcto.\n"); break;
        case EstadoLibro::SIN_LIBRO: std::printf("%s", SIN_LIBRO); break;
        case EstadoLibro::CORRUPTO: std::printf("Error: Libro de aperturas corrupto.\n"); break;
        default: ImprimirErrorLibro(v.codigo, v.linea); break;
    }
    if (v.plies >= 0) TipoJuego.MovimientosRestantes = v.plies;
}
