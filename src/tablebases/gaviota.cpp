// Loading the tablebase probing library at "isready", with what it reports, and releasing it.

#include "platform.h"
#include "tablebases/gaviota.h"
#include "tablebases/gaviota_enlazada.h"
#include "tablebases/operaciones.h"

RegistroGaviota tbprobe_Gaviota;
void* gtb_hmod = nullptr;
#ifdef VEMSUL_GAVIOTA_ENLAZADA
const char* NombreBibliotecaGaviota = "gtbprobe (compiled in)";
void* (*AbrirBibliotecaGaviota)(const char*) = AbrirGaviotaEnlazada;
void* (*OperacionGaviota)(void*, const char*) = OperacionGaviotaEnlazada;
bool (*LiberarBibliotecaGaviota)(void*) = CerrarGaviotaEnlazada;
#else
const char* NombreBibliotecaGaviota = "libgaviotatb.so.1";
void* (*AbrirBibliotecaGaviota)(const char*) = CargarBiblioteca;
void* (*OperacionGaviota)(void*, const char*) = BuscarOperacion;
bool (*LiberarBibliotecaGaviota)(void*) = LiberarBiblioteca;
#endif

inline namespace operaciones_gtb {
TipoTbInit tb_init;
TipoTbVacia tb_done;
TipoTbSonda tb_probe_hard;
TipoTbSonda tb_probe_soft;
TipoTbConsulta tb_is_initialized;
TipoTbDisponibles tb_availability;
TipoTbCacheInit tbcache_init;
TipoTbVacia tbcache_done;
TipoTbConsulta tbcache_is_on;
TipoTbVacia tbcache_flush;
TipoTbVacia tbstats_reset;
TipoTbRutasInit tbpaths_init;
TipoTbRutasAnadir tbpaths_add;
TipoTbRutasFin tbpaths_done;
}  // namespace operaciones_gtb

namespace {

template <class T>
bool Localizar(const char* nombre, T& destino) {
    void* p = OperacionGaviota(gtb_hmod, nombre);
    destino = reinterpret_cast<T>(p);
    return p != nullptr;
}

// In this order; the first one missing ends the search.
bool LocalizarOperaciones() {
    return Localizar("tb_init", tb_init) && Localizar("tb_done", tb_done) &&
           Localizar("tb_probe_hard", tb_probe_hard) && Localizar("tb_probe_soft", tb_probe_soft) &&
           Localizar("tb_is_initialized", tb_is_initialized) && Localizar("tb_availability", tb_availability) &&
           Localizar("tbcache_init", tbcache_init) && Localizar("tbcache_done", tbcache_done) &&
           Localizar("tbcache_is_on", tbcache_is_on) && Localizar("tbcache_flush", tbcache_flush) &&
           Localizar("tbstats_reset", tbstats_reset) && Localizar("tbpaths_init", tbpaths_init) &&
           Localizar("tbpaths_add", tbpaths_add) && Localizar("tbpaths_done", tbpaths_done);
}

void AnularOperaciones() {
    tb_init = nullptr;
    tb_done = tbcache_done = tbcache_flush = tbstats_reset = nullptr;
    tb_probe_hard = tb_probe_soft = nullptr;
    tb_is_initialized = tbcache_is_on = nullptr;
    tb_availability = nullptr;
    tbcache_init = nullptr;
    tbpaths_init = nullptr;
    tbpaths_add = nullptr;
    tbpaths_done = nullptr;
}

}  // namespace

CargaGaviota Cargar_gtbgaviota_dll() {
    RegistroGaviota& tb = tbprobe_Gaviota;
    CargaGaviota r{};
    tb.TablasCargadas = 0;
    gtb_hmod = AbrirBibliotecaGaviota(NombreBibliotecaGaviota);
    if (!gtb_hmod) return r;
    if (!LocalizarOperaciones()) {
        // Of no use without every operation: let it go at once, so that neither the unload
        // nor a probe can ever call an operation that was not found.
        LiberarBibliotecaGaviota(gtb_hmod);
        gtb_hmod = nullptr;
        AnularOperaciones();
        return r;
    }
    tb.TablasCargadas = 1;
    r.cargada = true;

    tb.Rutas = tbpaths_done(tb.Rutas);
    tb.Rutas = tbpaths_init();
    tb.Rutas = tbpaths_add(tb.Rutas, tb.GaviotaTbPath);
    if (const char* texto = tb_init(tb.Verbosidad, tb.GaviotaCompression, tb.Rutas)) r.texto = texto;
    tbcache_init(std::size_t(u32(tb.GaviotaTbCache)) * 1048576, tb.FraccionWDL);
    tbstats_reset();

    r.iniciada = tb_is_initialized() != 0;
    r.cache = tbcache_is_on() != 0;
    tb.TablasDisponibles = i32(tb_availability());
    return r;
}

int Descargar_gtbgaviota_dll() {
    RegistroGaviota& tb = tbprobe_Gaviota;
    if (!gtb_hmod) return 1;
    tbcache_flush();
    tbcache_done();
    tb_done();
    tb.Rutas = tbpaths_done(tb.Rutas);
    if (!LiberarBibliotecaGaviota(gtb_hmod)) return 0;
    gtb_hmod = nullptr;
    AnularOperaciones();
    tb.TablasCargadas = 0;
    return 1;
}
