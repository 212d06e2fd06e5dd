// Applies the project's patches to third-party sources, for builds where the `patch` program
// cannot be assumed (a compiler and make only).
//
//   parche DIRECTORY PATCH...
//
// The patches are unified diffs with a/ and b/ prefixes (patch -p1) that change files already
// in DIRECTORY. This is deliberately stricter than `patch`: every hunk must match exactly where
// its header says, after the shift left by the hunks before it, with no fuzz, and a patch that
// does not match changes nothing. Any other input is an error (exit 1, with the reason): a
// patch that no longer fits after an update must be redone, never half applied.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lineas = std::vector<std::string>;

bool Fallo(const std::string& parche, int linea, const std::string& motivo) {
    std::fprintf(stderr, "parche: %s:%d: %s\n", parche.c_str(), linea, motivo.c_str());
    return false;
}

bool LeerLineas(const std::string& ruta, Lineas& lineas, bool& saltoFinal) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) return false;
    std::stringstream s;
    s << f.rdbuf();
    const std::string texto = s.str();
    lineas.clear();
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        const std::size_t fin = texto.find('\n', inicio);
        if (fin == std::string::npos) {
            lineas.push_back(texto.substr(inicio));
            break;
        }
        lineas.push_back(texto.substr(inicio, fin - inicio));
        inicio = fin + 1;
    }
    saltoFinal = texto.empty() || texto.back() == '\n';
    return true;
}

bool Escribir(const std::string& ruta, const Lineas& lineas, bool saltoFinal) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    for (std::size_t i = 0; i < lineas.size(); i++) {
        f << lineas[i];
        if (i + 1 < lineas.size() || saltoFinal) f << '\n';
    }
    return bool(f);
}

struct Archivo {
    Lineas lineas;
    bool saltoFinal = true;
};

// "@@ -a,b +c,d @@": the old and new starts and counts (a count left out is 1).
bool LeerCabecera(const std::string& l, int& inicio, int& viejas, int& nuevas) {
    int nuevoInicio;
    viejas = nuevas = 1;
    if (std::sscanf(l.c_str(), "@@ -%d,%d +%d,%d @@", &inicio, &viejas, &nuevoInicio, &nuevas) == 4) return true;
    viejas = nuevas = 1;
    if (std::sscanf(l.c_str(), "@@ -%d +%d,%d @@", &inicio, &nuevoInicio, &nuevas) == 3) return true;
    nuevas = 1;
    if (std::sscanf(l.c_str(), "@@ -%d,%d +%d @@", &inicio, &viejas, &nuevoInicio) == 3) return true;
    viejas = 1;
    return std::sscanf(l.c_str(), "@@ -%d +%d @@", &inicio, &nuevoInicio) == 2;
}

// Applies one patch to the files of `dir`, held in `archivos` until every hunk has matched.
bool Aplicar(const std::string& dir, const std::string& parche, std::map<std::string, Archivo>& archivos) {
    Lineas p;
    bool saltoFinal;
    if (!LeerLineas(parche, p, saltoFinal)) return Fallo(parche, 0, "cannot be read");
    std::string actual;
    long desplazamiento = 0;  // new lines minus old lines of the hunks already applied to `actual`
    bool alguno = false;
    for (std::size_t i = 0; i < p.size(); i++) {
        const std::string& l = p[i];
        const int numero = int(i) + 1;
        if (l.rfind("--- ", 0) == 0 && i + 1 < p.size() && p[i + 1].rfind("+++ b/", 0) == 0) {
            if (l.rfind("--- a/", 0) != 0) return Fallo(parche, numero, "only changes to existing files");
            std::string nombre = p[i + 1].substr(6);
            nombre = nombre.substr(0, nombre.find('\t'));
            if (nombre != l.substr(6, l.find('\t') == std::string::npos ? std::string::npos : l.find('\t') - 6))
                return Fallo(parche, numero, "the old and new names differ");
            if (nombre.find("..") != std::string::npos) return Fallo(parche, numero, "a name outside the folder");
            actual = nombre;
            if (!archivos.count(actual)) {
                Archivo a;
                if (!LeerLineas(dir + "/" + actual, a.lineas, a.saltoFinal))
                    return Fallo(parche, numero, actual + " is not in " + dir);
                archivos[actual] = a;
            }
            desplazamiento = 0;
            i++;
            continue;
        }
        if (l.rfind("@@ ", 0) != 0) continue;  // the patch's own description, between files
        if (actual.empty()) return Fallo(parche, numero, "a hunk before any file name");
        int inicio, cuenta, cuentaNueva;
        if (!LeerCabecera(l, inicio, cuenta, cuentaNueva)) return Fallo(parche, numero, "unreadable hunk header");
        Lineas viejas, nuevas;
        std::size_t j = i + 1;
        for (; j < p.size() && (int(viejas.size()) < cuenta || int(nuevas.size()) < cuentaNueva); j++) {
            const std::string& h = p[j];
            const char c = h.empty() ? ' ' : h[0];  // an empty line is an empty context line
            const std::string t = h.empty() ? "" : h.substr(1);
            if (c == ' ' || c == '-') viejas.push_back(t);
            if (c == ' ' || c == '+') nuevas.push_back(t);
            if (c != ' ' && c != '-' && c != '+') break;
        }
        if (j < p.size() && p[j].rfind("\\", 0) == 0)
            return Fallo(parche, int(j) + 1, "files without a final newline are not handled");
        if (int(viejas.size()) != cuenta || int(nuevas.size()) != cuentaNueva)
            return Fallo(parche, numero, "the hunk's length does not match its header");
        Lineas& texto = archivos[actual].lineas;
        const long desde = long(inicio) - 1 + desplazamiento + (cuenta == 0 ? 1 : 0);
        if (desde < 0 || desde + cuenta > long(texto.size()))
            return Fallo(parche, numero, "the hunk lies outside " + actual);
        for (int k = 0; k < cuenta; k++)
            if (texto[std::size_t(desde + k)] != viejas[std::size_t(k)])
                return Fallo(parche, numero, "the hunk does not match " + actual + " line " + std::to_string(desde + k + 1));
        texto.erase(texto.begin() + desde, texto.begin() + desde + cuenta);
        texto.insert(texto.begin() + desde, nuevas.begin(), nuevas.end());
        desplazamiento += long(nuevas.size()) - cuenta;
        alguno = true;
        i = j - 1;
    }
    if (!alguno) return Fallo(parche, 0, "no hunk found");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: parche DIRECTORY PATCH...\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::map<std::string, Archivo> archivos;
    for (int a = 2; a < argc; a++)
        if (!Aplicar(dir, argv[a], archivos)) return 1;
    // Nothing is written before every patch has matched.
    for (const auto& [nombre, archivo] : archivos)
        if (!Escribir(dir + "/" + nombre, archivo.lineas, archivo.saltoFinal)) {
            std::fprintf(stderr, "parche: %s cannot be written\n", (dir + "/" + nombre).c_str());
            return 1;
        }
    return 0;
}
