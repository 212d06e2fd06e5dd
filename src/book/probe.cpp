// The go handler's book probe: among the lines that begin with the game's moves pick one at
// random and answer with its next move; at the start position pick from a random window of
// the whole table.
#include <cstdio>
#include <cstring>

#include "board/legal.h"
#include "book/book.h"
#include "book/database.h"

namespace {

char Filas[FILAS_LIBRO][TAM_LINEA_LIBRO];

// The prefix query takes the moves text as a parameter, so nothing the GUI sends can change
// the statement; the pattern escapes LIKE's wildcards so the text matches only literally.
constexpr const char* CONSULTA_PREFIJO =
    "SELECT Partida FROM Book WHERE Partida LIKE ?1 ESCAPE '\\' LIMIT 15;";
constexpr char ESCAPE_LIKE = '\\';

// Length of the moves text without the blanks a GUI may leave at the end of its line: a
// trailing blank would otherwise shift the move read behind the text by one character.
size_t LargoTexto() {
    size_t n = std::strlen(LibroSql.TextoPartida);
    while (n > 0 && LibroSql.TextoPartida[n - 1] == ' ') n--;
    return n;
}

// LIKE compares ASCII letters without regard to case; the move is read the same way.
char Minuscula(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

void PatronPrefijo(size_t largo, char* patron) {
    size_t n = 0;
    for (size_t i = 0; i < largo; i++) {
        char c = LibroSql.TextoPartida[i];
        if (c == '%' || c == '_' || c == ESCAPE_LIKE) patron[n++] = ESCAPE_LIKE;
        patron[n++] = c;
    }
    patron[n++] = '%';
    patron[n] = 0;
}

SondaLibro SalirDelLibro(EstadoLibro estado = EstadoLibro::SIN_JUGADA, int codigo = 0) {
    CerrarBaseDeDatos();
    LibroSql.TextoPartida[0] = 0;
    LibroSql.FueraDeLibro = 1;
    return {estado, codigo};
}

}  // namespace

int ObtenerNumeroAperturas() {
    std::strcpy(LibroSql.ConsultaSql, "SELECT COUNT(Partida) FROM Book;");
    sqlite3_stmt* sentencia = nullptr;
    int total = 0;
    if (sqlite3_prepare_v2(BaseDatosLibro, LibroSql.ConsultaSql, -1, &sentencia, nullptr) == SQLITE_OK) {
        while (sqlite3_step(sentencia) == SQLITE_ROW) total = sqlite3_column_int(sentencia, 0);
    }
    sqlite3_finalize(sentencia);
    return total;
}

int ObtenerJugadaLibro(const char* linea) {
    LibroSql.JugadaLibro[0] = 0;
    size_t largo = LargoTexto();
    size_t inicio = 0;
    if (largo > 0) {
        size_t k = 0;
        while (k < largo && linea[k] && Minuscula(linea[k]) == Minuscula(LibroSql.TextoPartida[k])) k++;
        // The line must go on behind the moves text with a blank; anything else (the line
        // ends there, or the text stopped inside a move) gives no move.
        if (k < largo || linea[k] != ' ') return 0;
        inicio = k + 1;
    }
    // Only a whole four-character move is played, never a piece of one.
    for (size_t i = inicio; i < inicio + 4; i++)
        if (linea[i] == 0 || linea[i] == ' ') return 0;
    if (linea[inicio + 4] != 0 && linea[inicio + 4] != ' ') return 0;
    std::memcpy(LibroSql.JugadaLibro, linea + inicio, 4);
    LibroSql.JugadaLibro[4] = 0;
    return 1;
}

SondaLibro ElegirJugadaLibro() {
    if (!AbrirLibro()) return SalirDelLibro(EstadoLibro::SIN_LIBRO);
    std::memset(LibroSql.ConsultaSql, 0, sizeof LibroSql.ConsultaSql);
    std::memset(LibroSql.JugadaLibro, 0, sizeof LibroSql.JugadaLibro);
    std::memset(Filas, 0, sizeof Filas);

    size_t largo = LargoTexto();
    if (largo == 0) {
        // Start position: a window of 15 lines from a random offset. A book of one line has
        // no choice to make and starts at that line.
        int total = ObtenerNumeroAperturas();
        int desplazamiento = total == 1 ? 0 : 1 + Aleatorio() % (total - 1);
        std::snprintf(LibroSql.ConsultaSql, sizeof LibroSql.ConsultaSql, "%s%d",
                      "SELECT Partida FROM Book LIMIT ", desplazamiento);
        std::strcat(LibroSql.ConsultaSql, ", 15;");
        if (sqlite3_prepare_v2(BaseDatosLibro, LibroSql.ConsultaSql, -1, &SentenciaLibro, nullptr) != SQLITE_OK)
            return SalirDelLibro();
    } else {
        std::strcpy(LibroSql.ConsultaSql, CONSULTA_PREFIJO);
        char patron[2 * sizeof LibroSql.TextoPartida + 2];
        PatronPrefijo(largo, patron);
        if (sqlite3_prepare_v2(BaseDatosLibro, LibroSql.ConsultaSql, -1, &SentenciaLibro, nullptr) != SQLITE_OK ||
            sqlite3_bind_text(SentenciaLibro, 1, patron, -1, SQLITE_TRANSIENT) != SQLITE_OK)
            return SalirDelLibro();
    }

    int filas = 0;
    int rc;
    while ((rc = sqlite3_step(SentenciaLibro)) == SQLITE_ROW) {
        const unsigned char* texto = sqlite3_column_text(SentenciaLibro, 0);
        int bytes = sqlite3_column_bytes(SentenciaLibro, 0);
        // A line too long for its slot is left out rather than cut into a wrong move.
        if (!texto || bytes >= TAM_LINEA_LIBRO || filas == FILAS_LIBRO) continue;
        std::memcpy(Filas[filas++], texto, size_t(bytes));
    }
    if (rc != SQLITE_DONE) return SalirDelLibro(EstadoLibro::ERROR, rc);
    if (filas == 0) return SalirDelLibro();
    if (!ObtenerJugadaLibro(Filas[Aleatorio() % filas])) return SalirDelLibro();
    // A line may hold anything: only a legal move of the game's position is answered.
    if (!EsJugadaLegal(LibroSql.JugadaLibro)) return SalirDelLibro();

    CerrarBaseDeDatos();
    LibroSql.FueraDeLibro = 0;
    LibroSql.TextoPartida[0] = 0;
    return {EstadoLibro::JUGADA, 0};
}
