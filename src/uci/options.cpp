// Engine options, all in one table: each row gives the name, the kind, the start value, the
// range and the field that holds the value. The "uci" reply, "setoption" and the start-up
// values all come from it; "isready" carries out what the values demand.
//
// The first nine options keep the engine's own setoption reader: the name is the second word,
// compared exactly, and a value that is not understood gives the start value. The options
// after them are read as UCI says: the name is every word up to "value", in any case; a button
// needs no value; numbers are brought into the range; a value not understood changes nothing.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "book/book.h"
#include "eval/cache.h"
#include "search/hilos.h"
#include "search/limits.h"
#include "search/tt.h"
#include "tablebases/gaviota.h"
#include "tablebases/syzygy.h"
#include "uci/uci.h"

namespace {

constexpr int MAX_VALOR_CRUDO = 252;

enum class Tipo { Check, Spin, Combo, Texto, Boton };

struct Opcion {
    const char* nombre;
    Tipo tipo;
    i32* campo = nullptr;  // check (1 = true), spin (the number), combo (the index of its word)
    i32 inicial = 0;       // the start value, and what a value that is not understood gives
    // Spin: the range the uci reply announces, into which a kept number is brought, and the
    // numbers kept. Hash keeps any number and GaviotaTbCache those up to 1014, raising the
    // small ones to the minimum, so that the reply never shows a value a GUI would reject.
    i32 minimo = 0, maximo = 0;
    i32 aceptadoMin = 0, aceptadoMax = 0;
    const char* const* palabras = nullptr;  // combo: the words by value, null-terminated
    char* texto = nullptr;                  // string: the text field and its size
    size_t tamTexto = 0;
    const char* textoInicial = nullptr;
    // A second field the value is split into (the Hash budget between the table and the
    // evaluation cache, divided at the next isready): shown added, cleared by setoption.
    i32* parte = nullptr;
    void (*alGuardar)() = nullptr;  // after setoption has stored a value (a button: pressed)
    void (*alMostrar)() = nullptr;  // before the uci reply shows the value
    bool porPartida = false;        // every "ucinewgame" sets it back to its start value
    bool lectorUci = false;         // read as UCI says (see above)
};

constexpr const char* MODOS_PV[] = {"None", "Middle", "Full", nullptr};

// The helper threads are made (or ended) as the option is set, not at each search.
void AplicarHilos() { FijarHilos(TipoJuego.Hilos); }

// The book must open for OwnBook to stay on; the uci reply finds out.
void ComprobarLibro() { ComprobarAccesoLibro(); }

constexpr RegistroGaviota& TB = tbprobe_Gaviota;
constexpr RegistroSyzygy& SZ = tbprobe_Syzygy;

// Not constexpr: the search record is per thread, and the table holds the main thread's fields.
const Opcion OPCIONES[] = {
    {.nombre = "Hash", .tipo = Tipo::Spin, .campo = &TT_Opciones.MegasTT, .inicial = 128, .minimo = 1, .maximo = 1024,
     .aceptadoMin = 0, .aceptadoMax = INT32_MAX, .parte = &TT_Opciones.MegasCache, .alGuardar = ApagarCacheEval},
    {.nombre = "Ponder", .tipo = Tipo::Check, .campo = &TipoJuego.Ponder},
    {.nombre = "OwnBook", .tipo = Tipo::Check, .campo = &LibroSql.OwnBook, .alMostrar = ComprobarLibro},
    {.nombre = "OwnBookLimit", .tipo = Tipo::Spin, .campo = &LibroSql.OwnBookLimit, .inicial = 8, .minimo = 2,
     .maximo = 10, .aceptadoMin = 2, .aceptadoMax = 10},
    {.nombre = "ShowPv", .tipo = Tipo::Combo, .campo = &TipoJuego.ShowPv, .inicial = 1, .palabras = MODOS_PV,
     .porPartida = true},
    {.nombre = "UseGaviotaTablebases", .tipo = Tipo::Check, .campo = &TB.UseGaviotaTablebases},
    {.nombre = "GaviotaTbPath", .tipo = Tipo::Texto, .texto = TB.GaviotaTbPath, .tamTexto = sizeof TB.GaviotaTbPath,
     .textoInicial = "empty"},
    {.nombre = "GaviotaTbCache", .tipo = Tipo::Spin, .campo = &TB.GaviotaTbCache, .inicial = 32, .minimo = 8,
     .maximo = 1024, .aceptadoMin = 0, .aceptadoMax = 1014},
    {.nombre = "GaviotaCompression", .tipo = Tipo::Spin, .campo = &TB.GaviotaCompression, .inicial = 4, .minimo = 0,
     .maximo = 9, .aceptadoMin = 0, .aceptadoMax = 9},
    // What match tools and bots set everywhere.
    {.nombre = "Threads", .tipo = Tipo::Spin, .campo = &TipoJuego.Hilos, .inicial = 1, .minimo = 1,
     .maximo = MAX_HILOS, .alGuardar = AplicarHilos, .lectorUci = true},
    {.nombre = "Move Overhead", .tipo = Tipo::Spin, .campo = &TipoJuego.MargenMovimiento, .inicial = 500,
     .minimo = 0, .maximo = 5000, .lectorUci = true},
    {.nombre = "Clear Hash", .tipo = Tipo::Boton, .alGuardar = LimpiarTransposicion, .lectorUci = true},
    // Syzygy tables are loaded as soon as their path is set (a path as long as a line).
    {.nombre = "SyzygyPath", .tipo = Tipo::Texto, .texto = SZ.SyzygyPath, .tamTexto = sizeof SZ.SyzygyPath,
     .textoInicial = "<empty>", .alGuardar = CargarTablasSyzygy, .lectorUci = true},
    {.nombre = "SyzygyProbeLimit", .tipo = Tipo::Spin, .campo = &SZ.SyzygyProbeLimit, .inicial = SYZYGY_MAX_HOMBRES,
     .minimo = 0, .maximo = SYZYGY_MAX_HOMBRES, .alGuardar = ActualizarLimiteSyzygy, .lectorUci = true},
    // Analysis: several best lines, and the win/draw/loss odds of each score.
    {.nombre = "MultiPV", .tipo = Tipo::Spin, .campo = &TipoJuego.LineasPv, .inicial = 1, .minimo = 1,
     .maximo = MAX_LINEAS_PV, .lectorUci = true},
    {.nombre = "UCI_ShowWDL", .tipo = Tipo::Check, .campo = &TipoJuego.MostrarWdl, .lectorUci = true},
};

int NumeroPalabras(const Opcion& o) {
    int n = 0;
    while (o.palabras[n]) n++;
    return n;
}

void Mostrar(const Opcion& o) {
    if (o.alMostrar) o.alMostrar();
    std::printf("option name %s type ", o.nombre);
    switch (o.tipo) {
        case Tipo::Check: std::printf("check default %s\n", *o.campo == 1 ? "true" : "false"); break;
        case Tipo::Spin:
            std::printf("spin default %d min %d max %d\n", *o.campo + (o.parte ? *o.parte : 0), o.minimo, o.maximo);
            break;
        case Tipo::Combo: {
            // A value beyond the words acts as the last one (ShowPv: every iteration shown).
            const int n = NumeroPalabras(o);
            std::printf("combo default %s", o.palabras[*o.campo >= 0 && *o.campo < n ? *o.campo : n - 1]);
            for (int i = 0; i < n; i++) std::printf(" var %s", o.palabras[i]);
            std::printf("\n");
            break;
        }
        case Tipo::Texto: std::printf("string default %s\n", o.texto); break;
        case Tipo::Boton: std::printf("button\n"); break;
    }
}

// Names and words are compared exactly; a value that is not understood gives the start value.
void Guardar(const Opcion& o, const char* valor) {
    switch (o.tipo) {
        case Tipo::Check: *o.campo = !std::strcmp(valor, "true"); break;
        case Tipo::Spin: {
            i32 v;
            if (!LeerNumeroSaturado(valor, v) || v < o.aceptadoMin || v > o.aceptadoMax) v = o.inicial;
            else v = std::clamp(v, o.minimo, o.maximo);
            *o.campo = v;
            break;
        }
        case Tipo::Combo: {
            i32 v = o.inicial;
            for (int i = 0; o.palabras[i]; i++)
                if (!std::strcmp(valor, o.palabras[i])) v = i;
            *o.campo = v;
            break;
        }
        case Tipo::Texto:
            std::memset(o.texto, 0, o.tamTexto);
            std::strncpy(o.texto, valor, o.tamTexto - 1);
            break;
        case Tipo::Boton: break;
    }
    if (o.parte) *o.parte = 0;
    if (o.alGuardar) o.alGuardar();
}

bool IgualSinMayusculas(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; i++)
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i])) return false;
    return true;
}

// An option read as UCI says. valor is null when the line has no "value".
void GuardarUci(const Opcion& o, const char* valor) {
    if (o.tipo == Tipo::Boton) {
        o.alGuardar();
        return;
    }
    if (!valor) return;
    switch (o.tipo) {
        case Tipo::Check:
            if (IgualSinMayusculas(valor, "true", 5)) *o.campo = 1;
            else if (IgualSinMayusculas(valor, "false", 6)) *o.campo = 0;
            else return;
            break;
        case Tipo::Spin: {
            // An optional sign, then digits only; any length, saturated.
            const bool negativo = *valor == '-';
            i32 v;
            if (!LeerNumeroSaturado(valor + negativo, v)) return;
            if (negativo) v = -v;
            *o.campo = std::clamp(v, o.minimo, o.maximo);
            break;
        }
        case Tipo::Texto:
            std::memset(o.texto, 0, o.tamTexto);
            std::strncpy(o.texto, valor, o.tamTexto - 1);
            break;
        default: return;
    }
    if (o.alGuardar) o.alGuardar();
}

void Restablecer(const Opcion& o) {
    if (o.tipo == Tipo::Boton) return;
    if (o.texto) {
        std::memset(o.texto, 0, o.tamTexto);
        std::strncpy(o.texto, o.textoInicial, o.tamTexto - 1);
    } else {
        *o.campo = o.inicial;
    }
    if (o.parte) *o.parte = 0;
}

// The UCI reader: texto is what follows "setoption name".
void SetoptionUci(const char* texto) {
    // The name: the words up to "value" (or the end of the line), joined by single blanks.
    std::string nombre;
    const char* valor = nullptr;
    for (;;) {
        char palabra[TAM_PALABRA];
        texto = Split_String(texto, palabra);
        if (!palabra[0]) break;
        if (!std::strcmp(palabra, "value")) {
            valor = texto;
            break;
        }
        if (!nombre.empty()) nombre += ' ';
        nombre += palabra;
    }
    // The value without the blanks around it.
    std::string limpio;
    if (valor) {
        while (*valor == ' ') valor++;
        limpio = valor;
        while (!limpio.empty() && limpio.back() == ' ') limpio.pop_back();
    }
    for (const Opcion& o : OPCIONES)
        if (o.lectorUci && nombre.size() == std::strlen(o.nombre) && IgualSinMayusculas(o.nombre, nombre.c_str(), nombre.size()))
            GuardarUci(o, valor ? limpio.c_str() : nullptr);
}

}  // namespace

void IniciarOpciones() {
    for (const Opcion& o : OPCIONES) Restablecer(o);
}

void OpcionesNuevaPartida() {
    for (const Opcion& o : OPCIONES)
        if (o.porPartida) Restablecer(o);
}

void ResponderUci() {
    std::printf("id name Vemsul 0.4");
    std::printf(" x86\n");
    std::printf("id author Edrin Valcor, Spain.\n");
    for (const Opcion& o : OPCIONES) Mostrar(o);
    std::printf("uciok\n");
}

void AplicarOpciones() {
    RegistroGaviota& tb = tbprobe_Gaviota;
    if (tb.UseGaviotaTablebases == 1 && tb.TablasCargadas == 0) CargarGaviota();
    else if (tb.UseGaviotaTablebases == 0 && tb.TablasCargadas == 1) DescargarGaviota();
    // GUIs send "isready" before every move: the table and what it learnt stay unless the
    // Hash setting changed.
    if (!PrepararTransposicion(TT_Opciones.MegasTT + TT_Opciones.MegasCache)) ImprimirFaltaMemoria();
}

void ResponderIsReady() {
    AplicarOpciones();
    std::printf("readyok\n");
}

void ParseSetoption(const char* resto) {
    char ignorada[TAM_PALABRA], nombre[TAM_PALABRA];
    resto = Split_String(resto, ignorada);  // normally "name"
    const char* inicioNombre = resto;
    resto = Split_String(resto, nombre);
    bool propia = false;
    for (const Opcion& o : OPCIONES) propia |= !o.lectorUci && !std::strcmp(nombre, o.nombre);
    if (!propia) {
        SetoptionUci(inicioNombre);
        return;
    }
    resto = Split_String(resto, ignorada);  // normally "value"
    // An over-long value changes nothing (the path field holds 255 characters).
    if (std::strlen(resto) > MAX_VALOR_CRUDO) return;
    if (!*resto) return;
    const char* valor = resto;
    while (*valor == ' ') valor++;
    for (const Opcion& o : OPCIONES)
        if (!o.lectorUci && !std::strcmp(nombre, o.nombre)) Guardar(o, valor);
}
