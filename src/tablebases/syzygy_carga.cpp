// Loading the Syzygy tables the path names. The engine checks every table file before the
// prober may open it (readable, a size the format allows, the magic number of its kind): a
// file refused counts as absent, so a copy in a later directory of the path is used instead.
// The prober itself refuses, when it first maps one, a file whose contents do not fit in it.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tablebases/fathom.h"
#include "tablebases/syzygy.h"

RegistroSyzygy tbprobe_Syzygy;
std::mutex CerrojoSyzygy;

namespace {

#ifdef _WIN32
constexpr char SEPARADOR = ';';
#else
constexpr char SEPARADOR = ':';
#endif
constexpr const char* SIN_RUTA = "<empty>";

// The file formats: 64-byte blocks behind a 16-byte header that opens with the kind's magic
// number (little-endian).
constexpr std::uintmax_t BLOQUE = 64, CABECERA = 16;
struct Formato {
    const char* extension;
    u32 magia;
};
constexpr Formato FORMATOS[] = {{".rtbw", 0x5d23e871}, {".rtbz", 0xa50c66d7}, {".rtbm", 0x88ac504b}};

// While the tables are being loaded: refused files are reported, accepted ones counted.
bool cargando = false;
int encontradasWdl = 0, encontradasDtz = 0;
std::vector<std::string> informe;  // the report of the load under way

bool Termina(const std::string& s, const char* fin) {
    const std::string f = fin;
    return s.size() >= f.size() && s.compare(s.size() - f.size(), f.size(), f) == 0;
}

// Why the file cannot be a table, or null when it can.
const char* Defecto(const char* archivo, const Formato& formato) {
    std::error_code ec;
    const std::uintmax_t tam = std::filesystem::file_size(archivo, ec);
    if (ec) return "ilegible";
    if (tam < BLOQUE + CABECERA || tam % BLOQUE != CABECERA) return "truncada o de tama\xF1o imposible";
    std::FILE* f = std::fopen(archivo, "rb");
    if (!f) return "ilegible";
    unsigned char b[4];
    const bool leida = std::fread(b, 1, sizeof b, f) == sizeof b;
    std::fclose(f);
    if (!leida) return "ilegible";
    const u32 magia = u32(b[0]) | u32(b[1]) << 8 | u32(b[2]) << 16 | u32(b[3]) << 24;
    if (magia != formato.magia) return "no es una tabla de su clase";
    return nullptr;
}

// The prober's hook: may it open this file? Files that do not exist are simply absent.
bool ArchivoAceptable(const char* archivo) {
    std::error_code ec;
    if (!std::filesystem::exists(archivo, ec)) return false;
    const std::string nombre = archivo;
    for (const Formato& formato : FORMATOS) {
        if (!Termina(nombre, formato.extension)) continue;
        if (const char* defecto = Defecto(archivo, formato)) {
            if (cargando) informe.push_back("Syzygy: se descarta " + nombre + " (" + defecto + ")");
            return false;
        }
        if (cargando && formato.magia == FORMATOS[0].magia) encontradasWdl++;
        if (cargando && formato.magia == FORMATOS[1].magia) encontradasDtz++;
        return true;
    }
    return false;
}

// Each directory of the path that cannot be listed is reported (the prober would silently
// find nothing there).
void ComprobarDirectorios(const std::string& ruta) {
    size_t inicio = 0;
    for (;;) {
        const size_t fin = ruta.find(SEPARADOR, inicio);
        const std::string dir = ruta.substr(inicio, fin == std::string::npos ? std::string::npos : fin - inicio);
        if (!dir.empty()) {
            std::error_code ec;
            std::filesystem::directory_iterator it(dir, ec);
            if (ec) informe.push_back("Syzygy: no se puede leer el directorio " + dir);
        }
        if (fin == std::string::npos) break;
        inicio = fin + 1;
    }
}

}  // namespace

void ActualizarLimiteSyzygy() {
    RegistroSyzygy& z = tbprobe_Syzygy;
    z.HombresSonda = z.HombresCargados < z.SyzygyProbeLimit ? z.HombresCargados : z.SyzygyProbeLimit;
}

std::vector<std::string> CargarSyzygy() {
    std::lock_guard<std::mutex> cerrojo(CerrojoSyzygy);
    informe.clear();
    RegistroSyzygy& z = tbprobe_Syzygy;
    std::string ruta = z.SyzygyPath;
    // Blanks at the end of the option's line are not part of a directory's name.
    while (!ruta.empty() && (ruta.back() == ' ' || ruta.back() == '\t')) ruta.pop_back();
    z.HombresCargados = 0;
    ActualizarLimiteSyzygy();
    tb_file_check = ArchivoAceptable;
    if (ruta.empty() || ruta == SIN_RUTA) {
        tb_init("");  // lets go of the tables loaded
        return std::move(informe);
    }

    ComprobarDirectorios(ruta);
    cargando = true;
    encontradasWdl = encontradasDtz = 0;
    const bool cargadas = tb_init(ruta.c_str());
    cargando = false;
    if (!cargadas) {
        informe.push_back("Syzygy: memoria insuficiente para las tablas");
        tb_init("");
        return std::move(informe);
    }
    z.HombresCargados = TB_LARGEST < unsigned(SYZYGY_MAX_HOMBRES) ? i32(TB_LARGEST) : SYZYGY_MAX_HOMBRES;
    ActualizarLimiteSyzygy();
    informe.push_back("Syzygy: " + std::to_string(encontradasWdl) + " tablas WDL y " + std::to_string(encontradasDtz) +
                      " DTZ, hasta " + std::to_string(z.HombresCargados) + " piezas");
    return std::move(informe);
}
