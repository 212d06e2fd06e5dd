// POSIX implementation of the platform layer.
#include "platform.h"

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

void PrepararProceso() { signal(SIGPIPE, SIG_IGN); }

std::int64_t RelojMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

namespace {
// Our own buffer over descriptor 0: the input test must see what we have read ahead.
char entrada[8192];
int inicio = 0, fin = 0;
bool agotada = false;  // end of input or a read error has been met

bool Rellenar() {
    if (agotada) return false;
    for (;;) {
        ssize_t n = read(0, entrada, sizeof entrada);
        if (n > 0) {
            inicio = 0;
            fin = int(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        agotada = true;
        return false;
    }
}
}  // namespace

bool LeerLinea(char* buffer, int tamano) {
    int n = 0;
    while (n < tamano - 1) {
        if (inicio == fin && !Rellenar()) break;
        char c = entrada[inicio++];
        buffer[n++] = c;
        if (c == '\n') break;
    }
    buffer[n] = 0;
    return n > 0;
}

namespace {
// Keeps the unread bytes and appends what has arrived behind them; blocks only when asked.
// False when nothing more came (or can come: the input ended or the buffer is full).
bool LeerMas(bool esperar) {
    if (agotada) return false;
    std::memmove(entrada, entrada + inicio, size_t(fin - inicio));
    fin -= inicio;
    inicio = 0;
    if (fin == int(sizeof entrada)) return false;
    if (!esperar) {
        pollfd p{0, POLLIN, 0};
        const int r = poll(&p, 1, 0);
        if (r == 0 || (r < 0 && errno == EINTR)) return false;
        if (r < 0) {
            agotada = true;
            return false;
        }
    }
    for (;;) {
        ssize_t n = read(0, entrada + fin, sizeof entrada - size_t(fin));
        if (n > 0) {
            fin += int(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        agotada = true;
        return false;
    }
}

const char* FinDeLinea() { return static_cast<const char*>(std::memchr(entrada + inicio, '\n', size_t(fin - inicio))); }
}  // namespace

bool MirarLinea(char* linea, int tamano, bool esperar) {
    const char* nl;
    // A line is decided only once all of it is here: its first bytes alone could still turn
    // out to be any line.
    while (!(nl = FinDeLinea()) && !agotada && fin - inicio < int(sizeof entrada)) {
        if (!LeerMas(esperar) && !agotada && fin - inicio < int(sizeof entrada)) return false;
    }
    int n = int((nl ? nl : entrada + fin) - (entrada + inicio));
    if (n > 0 && entrada[inicio + n - 1] == '\r') n--;
    if (n > tamano - 1) n = tamano - 1;
    std::memcpy(linea, entrada + inicio, size_t(n));
    linea[n] = 0;
    return true;
}

void SaltarLinea() {
    const char* nl = FinDeLinea();
    inicio = nl ? int(nl - entrada) + 1 : fin;
}

bool HayEntradaEsperando() {
    if (inicio < fin || agotada) return true;
    pollfd p{0, POLLIN, 0};
    int r = poll(&p, 1, 0);
    if (r < 0) return errno != EINTR;
    // Readable, hung up or broken: in every case the command loop has something to meet.
    return r > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL));
}

void* ReservarTabla(std::size_t bytes) {
    constexpr std::size_t PAGINA_GRANDE = 2 * 1024 * 1024;
    void* p = nullptr;
    if (posix_memalign(&p, PAGINA_GRANDE, bytes) != 0) return nullptr;
#ifdef MADV_HUGEPAGE
    madvise(p, bytes, MADV_HUGEPAGE);  // a hint: without huge pages the table works the same
#endif
    return p;
}

void LiberarTabla(void* tabla) { std::free(tabla); }

void* CargarBiblioteca(const char* nombre) { return dlopen(nombre, RTLD_NOW | RTLD_LOCAL); }

void* BuscarOperacion(void* biblioteca, const char* nombre) { return dlsym(biblioteca, nombre); }

bool LiberarBiblioteca(void* biblioteca) { return dlclose(biblioteca) == 0; }
