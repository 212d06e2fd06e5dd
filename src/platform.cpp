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
// Our own buffer over descriptor 0, so that the input test sees what we have read ahead.
// entrada[inicio, fin) holds the bytes read and not yet taken. Rellenar moves them to the front
// before reading more, so the buffer always has room for a whole pending line of
// MAX_LINEA_ENTRADA characters and its "\r\n": a line still without its line feed when the
// buffer is full is too long.
constexpr int TAM_ENTRADA = MAX_LINEA_ENTRADA + 2;
char entrada[TAM_ENTRADA];
int inicio = 0, fin = 0;
bool agotada = false;  // end of input or a read error has been met

// Reads more bytes behind the waiting ones (moved to the front first); blocks only when asked.
// False when nothing more came or can come: end of input, a read error, a full buffer.
bool Rellenar(bool esperar = true) {
    if (agotada) return false;
    if (inicio > 0) {
        std::memmove(entrada, entrada + inicio, size_t(fin - inicio));
        fin -= inicio;
        inicio = 0;
    }
    if (fin == TAM_ENTRADA) return false;
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
        ssize_t n = read(0, entrada + fin, size_t(TAM_ENTRADA - fin));
        if (n > 0) {
            fin += int(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        agotada = true;
        return false;
    }
}

// Index in entrada of the first line feed at or after `desde`, or -1.
int BuscarSaltoLinea(int desde) {
    const void* salto = std::memchr(entrada + desde, '\n', size_t(fin - desde));
    return salto ? int(static_cast<const char*>(salto) - entrada) : -1;
}

// Drops the rest of an over-long line with its line feed (or up to the end of input).
void DescartarResto() {
    for (;;) {
        int salto = BuscarSaltoLinea(inicio);
        if (salto >= 0) {
            inicio = salto + 1;
            return;
        }
        inicio = fin = 0;
        if (!Rellenar()) return;
    }
}
}  // namespace

int LeerLinea(char* buffer, int tamano) {
    buffer[0] = 0;
    int salto;
    int mirados = 0;  // bytes of the pending line already searched for a line feed
    while ((salto = BuscarSaltoLinea(inicio + mirados)) < 0) {
        mirados = fin - inicio;
        if (!Rellenar()) break;
    }
    int largo = salto >= 0 ? salto - inicio : fin - inicio;
    if (salto < 0 && largo == TAM_ENTRADA) {
        DescartarResto();
        return LINEA_LARGA;
    }
    if (salto < 0 && largo == 0) return FIN_ENTRADA;
    const int siguiente = salto >= 0 ? salto + 1 : fin;
    if (largo > 0 && entrada[inicio + largo - 1] == '\r') largo--;
    if (largo > tamano - 1) {
        inicio = siguiente;
        return LINEA_LARGA;
    }
    std::memcpy(buffer, entrada + inicio, size_t(largo));
    buffer[largo] = 0;
    inicio = siguiente;
    return largo;
}

bool MirarLinea(char* linea, int tamano, bool esperar) {
    int salto;
    // A line is decided only once all of it is here: its first bytes alone could still turn
    // out to be any line.
    while ((salto = BuscarSaltoLinea(inicio)) < 0 && !agotada && fin - inicio < TAM_ENTRADA) {
        if (!Rellenar(esperar) && !agotada && fin - inicio < TAM_ENTRADA) return false;
    }
    int n = (salto >= 0 ? salto : fin) - inicio;
    if (n > 0 && entrada[inicio + n - 1] == '\r') n--;
    if (n > tamano - 1) n = tamano - 1;
    std::memcpy(linea, entrada + inicio, size_t(n));
    linea[n] = 0;
    return true;
}

void SaltarLinea() {
    const int salto = BuscarSaltoLinea(inicio);
    inicio = salto >= 0 ? salto + 1 : fin;
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
