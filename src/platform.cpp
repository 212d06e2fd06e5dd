// POSIX implementation of the platform layer (Windows: platform_windows.cpp).
#ifndef _WIN32
#include "platform.h"

#include <dlfcn.h>
#include <signal.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

void PrepararProceso() {
    signal(SIGPIPE, SIG_IGN);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
}

std::int64_t RelojMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int LeerEntrada(char* buffer, int tamano) {
    for (;;) {
        const ssize_t n = read(0, buffer, size_t(tamano));
        if (n >= 0) return int(n);
        if (errno != EINTR) return 0;
    }
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

// A GUI starts the engine in the folder it chooses, and the book is looked for there only.
std::string CarpetaDelPrograma() { return ""; }
#endif
