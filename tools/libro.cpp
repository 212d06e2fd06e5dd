// vemsul-libro: builds the engine's opening book from ECO classification files and PGN game
// files (the work is done by src/book/construir.h; this file reads the command line).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "book/construir.h"

namespace {

constexpr const char* ECO_DEBIAN = "/usr/share/scid/data/scid.eco";

constexpr const char* USO =
    "uso: vemsul-libro [-o Book.db] [-p plies] [-n partidas] [-g | -t] [-k] [fichero ...]\n"
    "\n"
    "Construye el libro de aperturas de Vemsul con ficheros ECO (los que acaban en .eco) y\n"
    "ficheros de partidas PGN (los demas). Sin ficheros lee /usr/share/scid/data/scid.eco\n"
    "(paquete scid-data). Las jugadas SAN se comprueban con el generador del motor.\n"
    "\n"
    "  -o FICHERO  escribe la tabla Book en un fichero nuevo que luego ocupa el lugar de\n"
    "              FICHERO; sin -o, las lineas del libro van a la salida estandar\n"
    "  -p N        lineas de N medias jugadas como mucho (1..20; 20 por omision)\n"
    "  -n N        solo jugadas que al menos N partidas jugaron tras las mismas jugadas\n"
    "  -g          solo jugadas con las que su bando gano: mas de la mitad de los puntos de\n"
    "              las partidas con resultado que las jugaron\n"
    "  -t          solo jugadas con las que su bando gano o hizo tablas: al menos la mitad\n"
    "  -k          escribe el libro aunque haya partidas erroneas (quedan fuera)\n"
    "\n"
    "Las partidas forman un arbol de jugadas; cada linea del libro se corta antes de la primera\n"
    "jugada que no pasa -n, -g o -t (que solo valen para PGN), antes de una coronacion y en\n"
    "-p medias jugadas. Las partidas que empiezan en otra posicion ([FEN]) se saltan.\n"
    "Cada partida erronea se informa en la salida de error como fichero:linea: partida N.\n"
    "\n"
    "Estado de salida: 0 bien; 1 si alguna partida o entrada es erronea (sin -k no se escribe\n"
    "el libro); 2 si las opciones no valen o un fichero no se puede leer o escribir.\n";

bool LeerEntero(const char* texto, int minimo, int maximo, int& valor) {
    char* fin = nullptr;
    const long v = std::strtol(texto, &fin, 10);
    if (!*texto || *fin || v < minimo || v > maximo) return false;
    valor = int(v);
    return true;
}

bool TerminaEn(const std::string& s, const std::string& fin) {
    return s.size() >= fin.size() && s.compare(s.size() - fin.size(), fin.size(), fin) == 0;
}

int Uso() {
    std::fputs(USO, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    OpcionesLibro opciones;
    const char* salida = nullptr;
    bool seguir = false;
    std::vector<std::string> ficheros;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        const char* valor = i + 1 < argc ? argv[i + 1] : "";
        if (a == "-h" || a == "--help") return std::fputs(USO, stdout), 0;
        if (a == "-o" && *valor) salida = argv[++i];
        else if (a == "-p" && LeerEntero(valor, 1, PLIES_LINEA_MAXIMO, opciones.plies)) i++;
        else if (a == "-n" && LeerEntero(valor, 1, 1000000000, opciones.minimoPartidas)) i++;
        else if (a == "-g") opciones.filtro = FiltroResultado::GANADOR;
        else if (a == "-t") opciones.filtro = FiltroResultado::GANADOR_O_TABLAS;
        else if (a == "-k") seguir = true;
        else if (!a.empty() && a[0] != '-') ficheros.push_back(a);
        else return Uso();
    }
    if (ficheros.empty()) ficheros.push_back(ECO_DEBIAN);

    LlenarColorCasilla();
    InicializarZobrist();
    Recuento pgn, eco;
    ArbolPartidas arbol;
    std::vector<std::string> lineas;
    for (const auto& f : ficheros) {
        std::error_code e;
        std::ifstream entrada;
        if (!std::filesystem::is_directory(f, e)) entrada.open(f, std::ios::binary);
        if (entrada) {
            if (TerminaEn(f, ".eco")) LeerEco(entrada, f, opciones.plies, lineas, eco);
            else LeerPgn(entrada, f, opciones.plies, arbol, pgn);
        }
        if (!entrada.is_open() || entrada.bad()) {
            std::fprintf(stderr, "vemsul-libro: no se puede leer %s\n", f.c_str());
            return 2;
        }
    }
    for (auto& l : arbol.Lineas(opciones)) lineas.push_back(std::move(l));
    lineas = DepurarLineas(std::move(lineas));

    std::fprintf(stderr, "vemsul-libro: %d partidas (%d erroneas, %d desde otra posicion), %d entradas ECO (%d erroneas): %zu lineas\n",
                 pgn.partidas, pgn.erroneas, pgn.desdeFen, eco.partidas, eco.erroneas, lineas.size());
    const int erroneas = pgn.erroneas + eco.erroneas;
    if (erroneas && !seguir) {
        std::fprintf(stderr, "vemsul-libro: libro no escrito por %d partidas o entradas erroneas (-k lo escribe sin ellas)\n",
                     erroneas);
        return 1;
    }
    if (salida) {
        std::string error;
        if (!EscribirLibro(salida, lineas, error)) {
            std::fprintf(stderr, "vemsul-libro: %s\n", error.c_str());
            return 2;
        }
    } else {
        for (const auto& l : lineas) std::printf("%s\n", l.c_str());
    }
    return erroneas ? 1 : 0;
}
