// Windows implementation of the platform layer (POSIX: platform.cpp).
#ifdef _WIN32
#include "platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

void PrepararProceso() {
    // Bytes as they are: no "\r" added before each "\n" written, none removed from input
    // (the input reader drops the "\r" of a "\r\n" itself).
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    // The Windows C library has no line buffering (_IOLBF buffers fully there, and a size of 0
    // is refused): unbuffered, each printf reaches the GUI as it is made, a line at most.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}

std::int64_t RelojMs() {
    static const std::int64_t frecuencia = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return std::int64_t(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return std::int64_t(t.QuadPart) / frecuencia * 1000 + std::int64_t(t.QuadPart) % frecuencia * 1000 / frecuencia;
}

// A blocking ReadFile on the standard input handle serves a pipe (how GUIs start engines), a
// console and a file alike: it returns what has arrived, a console's typed line at its Enter.
// The end: a pipe closed by the GUI reports ERROR_BROKEN_PIPE (Wine: 0 bytes), a file or a
// console's Ctrl-Z reads 0 bytes. At most 16 KiB at a time, which older Windows consoles
// require; the reader loops anyway.
int LeerEntrada(char* buffer, int tamano) {
    constexpr int MAX_LECTURA = 16384;
    const HANDLE entrada = GetStdHandle(STD_INPUT_HANDLE);
    DWORD leidos = 0;
    if (entrada == nullptr || entrada == INVALID_HANDLE_VALUE) return 0;
    if (!ReadFile(entrada, buffer, DWORD(tamano < MAX_LECTURA ? tamano : MAX_LECTURA), &leidos, nullptr)) return 0;
    return int(leidos);
}

// Committed, zeroed pages; large pages would need a privilege GUIs do not grant.
void* ReservarTabla(std::size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void LiberarTabla(void* tabla) {
    if (tabla) VirtualFree(tabla, 0, MEM_RELEASE);
}

void* CargarBiblioteca(const char* nombre) { return reinterpret_cast<void*>(LoadLibraryA(nombre)); }

void* BuscarOperacion(void* biblioteca, const char* nombre) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(biblioteca), nombre));
}

bool LiberarBiblioteca(void* biblioteca) { return FreeLibrary(static_cast<HMODULE>(biblioteca)) != 0; }

// In UTF-8, as SQLite and the C++ library take file names: the folder may hold any letter.
std::string CarpetaDelPrograma() {
    wchar_t ruta[32768];
    const DWORD n = GetModuleFileNameW(nullptr, ruta, DWORD(sizeof ruta / sizeof ruta[0]));
    if (n == 0 || n >= sizeof ruta / sizeof ruta[0]) return "";
    DWORD fin = n;
    while (fin > 0 && ruta[fin - 1] != L'\\' && ruta[fin - 1] != L'/') fin--;
    if (fin == 0) return "";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, ruta, int(fin), nullptr, 0, nullptr, nullptr);
    std::string carpeta(std::size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, ruta, int(fin), carpeta.data(), bytes, nullptr, nullptr);
    return carpeta;
}
#endif
