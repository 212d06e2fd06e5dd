// vemsul-libro: builds the engine's opening book from ECO classification files and PGN game
// files (the work is done by src/book/construir.h; this file reads the command line).
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "book/lectura.h"
#include "numero.h"

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
    "Con -o el libro anterior solo cambia cuando el nuevo esta completo; el libro no puede ser\n"
    "uno de los ficheros que se leen.\n"
    "\n"
    "Estado de salida:\n"
    "  0  libro escrito (o lineas impresas) sin partidas ni entradas erroneas\n"
    "  1  alguna partida o entrada erronea (sin -k no se escribe el libro; con -k se escribe\n"
    "     sin ellas), o ninguna linea para el libro (no se escribe)\n"
    "  2  opciones que no valen, un fichero que no se puede leer o escribir, la salida que es\n"
    "     una entrada, o una interrupcion (el libro anterior queda como estaba)\n";

bool LeerEntero(const char* texto, int minimo, int maximo, int& valor) {
    i32 v;
    if (!LeerNumeroSaturado(texto, v) || v < minimo || v > maximo) return false;
    valor = v;
    return true;
}

bool TerminaEn(const std::string& s, const std::string& fin) {
    return s.size() >= fin.size() && s.compare(s.size() - fin.size(), fin.size(), fin) == 0;
}

int Uso() {
    std::fputs(USO, stderr);
    return 2;
}

// A malformed game or ECO entry, as the readers report it.
void AvisarErronea(const std::string& mensaje) { std::fprintf(stderr, "%s\n", mensaje.c_str()); }

int Fallo(const std::string& mensaje) {
    std::fprintf(stderr, "vemsul-libro: %s\n", mensaje.c_str());
    return 2;
}

// What the signal handler needs, ready before it can run and never freed: a signal during the
// exit still finds it.
const char* nuevoQueQuitar = nullptr;
const char* avisoInterrupcion = "";

extern "C" void Interrumpir(int) {
    if (nuevoQueQuitar) unlink(nuevoQueQuitar);
    [[maybe_unused]] const auto escritos = write(2, avisoInterrupcion, std::strlen(avisoInterrupcion));
    std::_Exit(2);
}

// SIGINT, SIGTERM and SIGHUP: Interrumpir ends the run at once with the new book removed, so
// that the earlier one stays as it was; SIG_DFL once the new book has taken its place. A
// signal ignored by whoever started the run (nohup, a background job) stays ignored.
void AlInterrumpir(void (*accion)(int)) {
#ifdef SIGHUP
    for (int senal : {SIGINT, SIGTERM, SIGHUP})
#else
    for (int senal : {SIGINT, SIGTERM})  // Windows has no hang-up signal
#endif
        if (std::signal(senal, accion) == SIG_IGN) std::signal(senal, SIG_IGN);
}

// Whether `escrito` is one of the inputs, under another name or through a link too: writing it
// would lose the input. Said on standard error.
bool EsEntrada(const std::vector<std::string>& ficheros, const std::string& escrito) {
    for (const auto& f : ficheros) {
        std::error_code e;
        if (std::filesystem::equivalent(f, escrito, e)) {
            Fallo("no se puede escribir " + Citar(escrito, true) + ": es el fichero de entrada " + Citar(f, true));
            return true;
        }
    }
    return false;
}

bool Imprimir(const std::vector<std::string>& lineas) {
    for (const auto& l : lineas)
        if (std::fputs(l.c_str(), stdout) == EOF || std::fputc('\n', stdout) == EOF) return false;
    return std::fflush(stdout) == 0;
}

int Construir(int argc, char** argv) {
    OpcionesLibro opciones;
    const char* salida = nullptr;
    bool seguir = false;
    std::vector<std::string> ficheros;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        const char* valor = i + 1 < argc ? argv[i + 1] : "";
        if (a == "-h" || a == "--help") {
            if (std::fputs(USO, stdout) != EOF && std::fflush(stdout) == 0) return 0;
            return Fallo(std::string("no se puede escribir la salida estandar: ") + std::strerror(errno));
        }
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

    std::optional<LibroNuevo> libro;
    std::string sinCambio;
    if (salida) {
        libro.emplace(salida);
        sinCambio = "; " + Citar(salida, true) + " no ha cambiado";
        if (EsEntrada(ficheros, salida) || EsEntrada(ficheros, libro->Fichero())) return 2;
    }
    avisoInterrupcion = strdup(("vemsul-libro: interrumpido" + sinCambio + "\n").c_str());
    if (libro) nuevoQueQuitar = strdup(libro->Fichero().c_str());
    AlInterrumpir(Interrumpir);
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write as a full disk does
#endif
    std::string error;
    if (libro && !libro->Crear(error)) return Fallo(error + sinCambio);
    if (libro && EsEntrada(ficheros, libro->Fichero())) return 2;  // an input named as the new file

    LlenarColorCasilla();
    InicializarZobrist();
    Recuento pgn, eco;
    pgn.informar = eco.informar = AvisarErronea;
    ArbolPartidas arbol;
    std::vector<std::string> lineas;
    for (const auto& f : ficheros) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> entrada(std::fopen(f.c_str(), "rb"), std::fclose);
        int codigo = errno;
        try {
            if (entrada && TerminaEn(f, ".eco")) LeerEco(entrada.get(), f, opciones.plies, lineas, eco);
            else if (entrada) LeerPgn(entrada.get(), f, opciones.plies, arbol, pgn);
        } catch (const ErrorLectura& e) {
            codigo = e.codigo;
            entrada.reset();
        }
        if (!entrada) return Fallo("no se puede leer " + Citar(f, true) + ": " + std::strerror(codigo) + sinCambio);
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
    if (lineas.empty()) {
        std::fprintf(stderr, "vemsul-libro: libro no escrito: ninguna partida da una linea%s\n", sinCambio.c_str());
        return 1;
    }
    if (libro && !libro->Escribir(lineas, error)) return Fallo(error + sinCambio);
    AlInterrumpir(SIG_DFL);
    if (!libro && !Imprimir(lineas))
        return Fallo(std::string("no se puede escribir la salida estandar: ") + std::strerror(errno));
    return erroneas ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Construir(argc, argv);
    } catch (const std::bad_alloc&) {  // an input too large for the memory
        return Fallo("sin memoria");
    }
}
