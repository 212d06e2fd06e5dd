// The "book" console command: replays every line of the book from the start position with
// the game's own move matching and finds the first line that does not play.
#include <cstring>
#include <string>

#include "book/book.h"
#include "book/database.h"

namespace {

// Plays the blank-separated moves of `linea` from the current position, counting them in
// plies; false at the first move that is not found, whose text goes to `ilegal`. A move longer
// than four characters cannot be a book move (the probe answers with four): it is reported
// without being tried.
bool ReproducirLinea(const char* linea, InformeJugadaIlegal ilegal, int& plies) {
    const char* p = linea;
    for (;;) {
        const char* blanco = std::strchr(p, ' ');
        size_t n = blanco ? size_t(blanco - p) : std::strlen(p);
        std::memset(LibroSql.JugadaLibro, 0, sizeof LibroSql.JugadaLibro);
        if (n >= sizeof LibroSql.JugadaLibro) {
            ilegal(std::string(p, n).c_str());
            return false;
        }
        std::memcpy(LibroSql.JugadaLibro, p, n);
        if (!JugarTexto(LibroSql.JugadaLibro)) {
            ilegal(LibroSql.JugadaLibro);
            return false;
        }
        plies++;
        if (!blanco || !blanco[1]) return true;
        p = blanco + 1;
    }
}

}  // namespace

VerificacionLibro VerificarLibroApertura(InformeJugadaIlegal ilegal) {
    VerificacionLibro v{EstadoLibro::CORRECTO, 0, {}, -1};
    if (!AbrirLibro()) {
        CerrarBaseDeDatos();
        LibroSql.TextoPartida[0] = 0;
        LibroSql.FueraDeLibro = 1;
        v.estado = EstadoLibro::SIN_LIBRO;
        return v;
    }
    char consulta[255] = "SELECT Partida FROM Book;";
    int rc = sqlite3_prepare_v2(BaseDatosLibro, consulta, -1, &SentenciaLibro, nullptr);
    if (rc == SQLITE_ERROR) {
        CerrarBaseDeDatos();
        LibroSql.TextoPartida[0] = 0;
        v.estado = EstadoLibro::CORRUPTO;
        return v;
    }

    bool mala = false;
    // Any other failed prepare (a file that is not a database) leaves no statement to step:
    // that ends as stepping a missing statement does, with the misuse code and no line.
    if (rc != SQLITE_OK) rc = SQLITE_MISUSE;
    else {
        while ((rc = sqlite3_step(SentenciaLibro)) == SQLITE_ROW) {
            if (mala) break;  // reported with code 100: a following row was already fetched
            std::memset(v.linea, 0, sizeof v.linea);
            const unsigned char* texto = sqlite3_column_text(SentenciaLibro, 0);
            const char* linea = texto ? reinterpret_cast<const char*>(texto) : "";
            size_t bytes = size_t(sqlite3_column_bytes(SentenciaLibro, 0));
            if (bytes < sizeof v.linea) std::memcpy(v.linea, linea, bytes);
            EmpezarPartida(FEN_INICIAL);
            LibroSql.FueraDeLibro = 0;
            v.plies = 0;
            mala = !ReproducirLinea(linea, ilegal, v.plies);
        }
    }
    if (rc != SQLITE_DONE || mala) {
        v.estado = EstadoLibro::ERROR;
        v.codigo = rc;
    }
    CerrarBaseDeDatos();
    LibroSql.TextoPartida[0] = 0;
    return v;
}
