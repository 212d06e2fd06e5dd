// Engine options: the "uci" reply that shows the values in force, "setoption" that stores
// them, and "isready" that carries out what they demand.
#include <cstdio>
#include <cstring>

#include "book/book.h"
#include "eval/cache.h"
#include "search/limits.h"
#include "search/tt.h"
#include "tablebases/gaviota.h"
#include "uci/uci.h"

namespace {

constexpr int MAX_VALOR_CRUDO = 252;
// The ranges the uci reply announces for Hash and GaviotaTbCache. Hash 0 and GaviotaTbCache 0
// to 7 are accepted, and raised to the minimum, so that the reply never shows a value a GUI
// would reject.
constexpr i32 MIN_HASH = 1, MAX_HASH = 1024;
constexpr i32 MIN_TB_CACHE = 8;

i32 Rango(const char* texto, i32 minimo, i32 maximo, i32 defecto) {
    i32 v;
    return (LeerNumeroSaturado(texto, v) && v >= minimo && v <= maximo) ? v : defecto;
}

i32 AlMenos(i32 v, i32 minimo) { return v < minimo ? minimo : v; }

const char* VerdaderoFalso(i32 v) { return v == 1 ? "true" : "false"; }

}  // namespace

void ResponderUci() {
    std::printf("id name Vemsul 0.4");
    std::printf(" x86\n");
    std::printf("id author Edrin Valcor, Spain.\n");
    std::printf("option name Hash type spin default %d min 1 max 1024\n", TT_Opciones.MegasTT + TT_Opciones.MegasCache);
    std::printf("option name Ponder type check default %s\n", VerdaderoFalso(TipoJuego.Ponder));
    std::printf("option name OwnBook type check default %s\n", ComprobarAccesoLibro() ? "true" : "false");
    std::printf("option name OwnBookLimit type spin default %d min 2 max 10\n", LibroSql.OwnBookLimit);
    static const char* const modos[3] = {"None", "Middle", "Full"};
    int modo = TipoJuego.ShowPv >= 0 && TipoJuego.ShowPv <= 2 ? TipoJuego.ShowPv : 2;
    std::printf("option name ShowPv type combo default %s var None var Middle var Full\n", modos[modo]);
    std::printf("option name UseGaviotaTablebases type check default %s\n",
                VerdaderoFalso(tbprobe_Gaviota.UseGaviotaTablebases));
    std::printf("option name GaviotaTbPath type string default %s\n", tbprobe_Gaviota.GaviotaTbPath);
    std::printf("option name GaviotaTbCache type spin default %d min 8 max 1024\n", tbprobe_Gaviota.GaviotaTbCache);
    std::printf("option name GaviotaCompression type spin default %d min 0 max 9\n",
                tbprobe_Gaviota.GaviotaCompression);
    std::printf("uciok\n");
}

void ResponderIsReady() {
    RegistroGaviota& tb = tbprobe_Gaviota;
    if (tb.UseGaviotaTablebases == 1 && tb.TablasCargadas == 0) Cargar_gtbgaviota_dll();
    else if (tb.UseGaviotaTablebases == 0 && tb.TablasCargadas == 1) Descargar_gtbgaviota_dll();
    // GUIs send "isready" before every move: the table and what it learnt stay unless the
    // Hash setting changed.
    PrepararTransposicion(TT_Opciones.MegasTT + TT_Opciones.MegasCache);
    std::printf("readyok\n");
}

void ParseSetoption(const char* resto) {
    char ignorada[TAM_PALABRA], nombre[TAM_PALABRA];
    resto = Split_String(resto, ignorada);  // normally "name"
    resto = Split_String(resto, nombre);
    resto = Split_String(resto, ignorada);  // normally "value"
    // An over-long value changes nothing (the path field holds 255 characters).
    if (std::strlen(resto) > MAX_VALOR_CRUDO) return;
    if (!*resto) return;
    const char* valor = resto;
    while (*valor == ' ') valor++;

    if (!std::strcmp(nombre, "Hash")) {
        // Any number is accepted, however many digits it has; above the maximum it is the maximum.
        i32 v;
        TT_Opciones.MegasTT = LeerNumeroSaturado(valor, v) ? AlMenos(v > MAX_HASH ? MAX_HASH : v, MIN_HASH) : 128;
        TT_Opciones.MegasCache = 0;
        ApagarCacheEval();  // until the next "isready" divides the new total
    } else if (!std::strcmp(nombre, "Ponder")) {
        TipoJuego.Ponder = !std::strcmp(valor, "true");
    } else if (!std::strcmp(nombre, "ShowPv")) {
        if (!std::strcmp(valor, "None")) TipoJuego.ShowPv = 0;
        else if (!std::strcmp(valor, "Full")) TipoJuego.ShowPv = 2;
        else TipoJuego.ShowPv = 1;
    } else if (!std::strcmp(nombre, "OwnBook")) {
        LibroSql.OwnBook = !std::strcmp(valor, "true");
    } else if (!std::strcmp(nombre, "OwnBookLimit")) {
        LibroSql.OwnBookLimit = Rango(valor, 2, 10, 8);
    } else if (!std::strcmp(nombre, "UseGaviotaTablebases")) {
        tbprobe_Gaviota.UseGaviotaTablebases = !std::strcmp(valor, "true");
    } else if (!std::strcmp(nombre, "GaviotaTbCache")) {
        tbprobe_Gaviota.GaviotaTbCache = AlMenos(Rango(valor, 0, 1014, 32), MIN_TB_CACHE);
    } else if (!std::strcmp(nombre, "GaviotaCompression")) {
        tbprobe_Gaviota.GaviotaCompression = Rango(valor, 0, 9, 4);
    } else if (!std::strcmp(nombre, "GaviotaTbPath")) {
        std::memset(tbprobe_Gaviota.GaviotaTbPath, 0, sizeof tbprobe_Gaviota.GaviotaTbPath);
        std::strncpy(tbprobe_Gaviota.GaviotaTbPath, valor, sizeof tbprobe_Gaviota.GaviotaTbPath - 1);
    }
}
