// Start-up, the command loop with its dispatch table, and the single way out.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform.h"
#include "search/limits.h"
#include "search/search.h"
#include "search/tt.h"
#include "tablebases/gaviota.h"
#include "uci/uci.h"

const char* Split_String(const char* pos, char palabra[TAM_PALABRA]) {
    while (*pos == ' ') pos++;
    int n = 0;
    while (*pos && *pos != ' ' && n < MAX_LETRAS_PALABRA) palabra[n++] = *pos++;
    palabra[n] = 0;
    return pos;
}

void IniciarMotor() {
    Salir = 0;
    // Output buffering too: whole lines reach the GUI at once. Standard input is read by our
    // own unbuffered line reader (lector.cpp).
    PrepararProceso();
    EntradaEsperando = EntradaUci;
    InformadorBusqueda = &INFORMADOR_UCI;
    InicializarValoresCaptura();
    InicializarZobrist();
    IniciarOpciones();
    if (!CrearTransposicion(TT_Opciones.MegasTT + TT_Opciones.MegasCache)) ImprimirFaltaMemoria();

    tbprobe_Gaviota.TablasCargadas = 0;
    tbprobe_Gaviota.Verbosidad = 1;
    tbprobe_Gaviota.FraccionWDL = 96;
    TipoJuego.Infinito = 0;
    TipoJuego.PonderActivo = 0;
    TipoJuego.JugadaPonder[0] = 0;

    UciNewGame();
}

void EjecutarComando(const char* linea) {
    char palabra[TAM_PALABRA];
    const char* resto = Split_String(linea, palabra);
    // Exact, case-sensitive comparisons; anything else is ignored without a word.
    if (!std::strcmp(palabra, "ucinewgame")) UciNewGame();
    else if (!std::strcmp(palabra, "uci")) ResponderUci();
    else if (!std::strcmp(palabra, "isready")) ResponderIsReady();
    else if (!std::strcmp(palabra, "setoption")) ParseSetoption(resto);
    else if (!std::strcmp(palabra, "position")) Position_Fen_Startpos(resto);
    else if (!std::strcmp(palabra, "go")) {
        ComandoGo(resto);
        // What an isready answered during the search asked for, now that the search has ended.
        if (TomarIsreadyPendiente()) AplicarOpciones();
    }
    else if (!std::strcmp(palabra, "book")) ComandoBook();
    else if (!std::strcmp(palabra, "perft")) ComandoPerft(resto);
    else if (!std::strcmp(palabra, "quit")) Salir = 1;
    else if (!std::strcmp(palabra, "d")) ComandoD();
    else if (!std::strcmp(palabra, "eval")) ComandoEval();
    else if (!std::strcmp(palabra, "syzygy")) ComandoSyzygy();
    else if (!std::strcmp(palabra, "bench")) ComandoBench(resto);
}

void LeerComandos() {
    static char linea[TAM_LINEA];
    IniciarLector();
    while (!Salir) {
        const int largo = LeerLinea(linea, TAM_LINEA);
        // No part of a line too long to read whole is ever carried out.
        if (largo == LINEA_LARGA) {
            std::printf("info string L\xEDnea demasiado larga descartada.\n");
            continue;
        }
        // End of input counts as "quit"; the pass still goes on with the empty line.
        if (largo == FIN_ENTRADA) Salir = 1;
        // A NUL byte belongs to no command: the line is ignored whole rather than cut there.
        else if (std::strlen(linea) != size_t(largo)) continue;
        EjecutarComando(linea);
    }
}

void LiberarMemoria() {
    Salir = 1;
    LiberarTransposicion();
    DescargarGaviota();
    std::exit(0);
}
