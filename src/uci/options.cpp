// Engine options, all in one table: each row gives the name, the kind, the start value, the
// range and the field that holds the value. The "uci" reply, "setoption" and the start-up
// values all come from it; "isready" carries out what the values demand.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "book/book.h"
#include "eval/cache.h"
#include "search/limits.h"
#include "search/tt.h"
#include "tablebases/gaviota.h"
#include "tablebases/syzygy.h"
#include "uci/uci.h"

namespace {

constexpr int MAX_VALOR_CRUDO = 252;

enum class Tipo { Check, Spin, Combo, Texto };

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
    void (*alGuardar)() = nullptr;  // after setoption has stored a value
    void (*alMostrar)() = nullptr;  // before the uci reply shows the value
    bool porPartida = false;        // every "ucinewgame" sets it back to its start value
    bool valorLargo = false;        // string: a value as long as a line is kept whole
};

constexpr const char* MODOS_PV[] = {"None", "Middle", "Full", nullptr};

// The book must open for OwnBook to stay on; the uci reply finds out.
void ComprobarLibro() { ComprobarAccesoLibro(); }

constexpr RegistroGaviota& TB = tbprobe_Gaviota;
constexpr RegistroSyzygy& SZ = tbprobe_Syzygy;

constexpr Opcion OPCIONES[] = {
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
    // Syzygy tables are loaded as soon as their path is set.
    {.nombre = "SyzygyPath", .tipo = Tipo::Texto, .texto = SZ.SyzygyPath, .tamTexto = sizeof SZ.SyzygyPath,
     .textoInicial = "<empty>", .alGuardar = CargarSyzygy, .valorLargo = true},
    {.nombre = "SyzygyProbeLimit", .tipo = Tipo::Spin, .campo = &SZ.SyzygyProbeLimit, .inicial = SYZYGY_MAX_HOMBRES,
     .minimo = 0, .maximo = SYZYGY_MAX_HOMBRES, .aceptadoMin = 0, .aceptadoMax = INT32_MAX,
     .alGuardar = ActualizarLimiteSyzygy},
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
    }
}

// Names and words are compared exactly; a value that is not understood gives the start value.
void Guardar(const Opcion& o, const char* valor) {
    switch (o.tipo) {
        case Tipo::Check: *o.campo = !std::strcmp(valor, "true"); break;
        case Tipo::Spin: {
            i32 v;
            if (!LeerNumeroSaturado(valor, v) || v < o.aceptadoMin || v > o.aceptadoMax) v = o.inicial;
            else if (v < o.minimo) v = o.minimo;
            else if (v > o.maximo) v = o.maximo;
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
    }
    if (o.parte) *o.parte = 0;
    if (o.alGuardar) o.alGuardar();
}

void Restablecer(const Opcion& o) {
    if (o.texto) {
        std::memset(o.texto, 0, o.tamTexto);
        std::strncpy(o.texto, o.textoInicial, o.tamTexto - 1);
    } else {
        *o.campo = o.inicial;
    }
    if (o.parte) *o.parte = 0;
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
    if (!*resto) return;
    // An over-long value changes nothing (the Gaviota path field holds 255 characters).
    const bool largo = std::strlen(resto) > MAX_VALOR_CRUDO;
    const char* valor = resto;
    while (*valor == ' ') valor++;
    for (const Opcion& o : OPCIONES)
        if (!std::strcmp(nombre, o.nombre) && (!largo || o.valorLargo)) Guardar(o, valor);
}
