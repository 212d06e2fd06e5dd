// "position" and "ucinewgame": bring the board to the position the GUI wants searched.
#include <cstdio>
#include <cstring>

#include "book/book.h"
#include "search/limits.h"
#include "search/search.h"
#include "search/tt.h"
#include "uci/uci.h"

namespace {
constexpr size_t MAX_LETRAS_FEN = 78;  // the FEN text before its last blank
// The book follows a game while its moves text is shorter than OwnBookLimit times the ten
// characters of a move of each side ("e2e4 e7e5 ").
constexpr int LETRAS_POR_JUGADA_LIBRO = 10;
}  // namespace

void ImprimirMovimientoIlegal(const char* texto) {
    const TipoTablero& T = TableroGlobal;
    std::printf("info string Movimiento ilegal: %s\n", texto);
    std::printf("info string Enroque Blancas: %d\n", T.EnroqueBlancas);
    std::printf("info string Enroque Negras: %d\n", T.EnroqueNegras);
    std::printf("info string Ficha al Paso: %d\n", T.FichaAlPaso);
    std::printf("info string Posici\xF3n Rey Blanco: %d\n", T.PosicionReyBlanco);
    std::printf("info string Posici\xF3n Rey Negro: %d\n", T.PosicionReyNegro);
}

void Movimiento(const char* texto, int& encontrada) {
    encontrada = JugarTexto(texto);
    if (encontrada) {
        TipoJuego.MovimientosRestantes++;  // one more ply applied since the set-up
        return;
    }
    ImprimirMovimientoIlegal(texto);
    Salir = 1;
}

void Position_Fen_Startpos(const char* texto) {
    TipoJuego.MovimientosRestantes = 0;
    char palabra[TAM_PALABRA];
    const char* p = Split_String(texto, palabra);
    bool conFen;
    if (!std::strcmp(palabra, "fen")) {
        // The FEN words are joined with single blanks into at most 79 characters; a word that
        // does not fit is dropped.
        char fen[MAX_LETRAS_FEN + 2] = "";
        size_t largo = 0;
        for (;;) {
            p = Split_String(p, palabra);
            if (!palabra[0] || !std::strcmp(palabra, "moves")) break;
            size_t n = std::strlen(palabra);
            if (largo + n > MAX_LETRAS_FEN) continue;
            std::memcpy(fen + largo, palabra, n);
            largo += n;
            fen[largo++] = ' ';
            fen[largo] = 0;
        }
        if (!EmpezarPartida(fen)) {
            std::printf("info string Formato FEN incorrecto.\n");
            Position_Fen_Startpos(FEN_INICIAL);
            return;
        }
        LibroSql.FueraDeLibro = 1;  // a game set up from a FEN never uses the book
        conFen = true;
    } else {
        p = Split_String(p, palabra);  // normally "moves"
        if (!EmpezarPartida(FEN_INICIAL)) {
            Salir = 1;
            return;
        }
        LibroSql.FueraDeLibro = 0;
        conFen = false;
    }
    TipoJuego.PonderActivo = 0;
    if (std::strcmp(palabra, "moves") != 0) return;

    if (*p) {
        // The game text feeds the book, which only follows games from the start position.
        if (conFen) {
            LibroSql.FueraDeLibro = 1;
        } else if (LibroSql.OwnBook == 1) {
            LibroSql.TextoPartida[0] = 0;
            const char* jugadas = p + 1;
            if (std::strlen(jugadas) < size_t(LETRAS_POR_JUGADA_LIBRO * LibroSql.OwnBookLimit)) {
                std::strncpy(LibroSql.TextoPartida, jugadas, sizeof LibroSql.TextoPartida - 1);
                LibroSql.TextoPartida[sizeof LibroSql.TextoPartida - 1] = 0;
            } else {
                LibroSql.FueraDeLibro = 1;
            }
        } else {
            LibroSql.FueraDeLibro = 1;
        }
    }

    for (;;) {
        p = Split_String(p, palabra);
        if (!palabra[0]) break;
        int encontrada = 0;
        Movimiento(palabra, encontrada);
        // With pondering on, the last move of the line tells whether the prediction hit.
        if (TipoJuego.Ponder == 1 && *p == 0) {
            if (!std::strcmp(palabra, TipoJuego.JugadaPonder)) TipoJuego.Nodos = 0;
            else A_Inicio();
        }
    }
}

void UciNewGame() {
    TipoTablero& T = TableroGlobal;
    LlenarColorCasilla();
    LibroSql.FueraDeLibro = 0;
    std::memset(T.Repeticiones, 0, sizeof T.Repeticiones);
    T.Turno = 1;
    T.Regla50 = 0;
    T.NumeroRepeticiones = 0;
    TipoJuego.Parar = 0;
    TipoJuego.Nodos = 0;
    TipoJuego.NumeroJugadaRaiz = 0;
    std::memset(pv_line, 0, sizeof pv_line);
    std::memset(pv_line_fin, 0, sizeof pv_line_fin);
    HistoricoIniciar();
    LimpiarTransposicion();
    TipoJuego.TiempoLimite = 0;
    TipoJuego.TiempoInicio = 0;
    TipoJuego.TiempoTranscurrido = 0;
    TipoJuego.ControlTiempo = 0;
    TipoJuego.Infinito = 0;
    TipoJuego.ProfundidadMaxima = PROFUNDIDAD_MAXIMA;
    TipoJuego.MovimientosRestantes = 0;
    TipoJuego.PonderActivo = 0;
    TipoJuego.PonderInterfaz = 0;
    TipoJuego.LimiteNodos = 0;
    OpcionesNuevaPartida();
    Position_Fen_Startpos(FEN_INICIAL);
}
