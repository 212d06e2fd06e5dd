// The input reader thread and its queue of whole lines.
#include "uci/lector.h"

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform.h"

namespace {

struct Linea {
    int clase;  // its length when it is a command line; LINEA_LARGA or FIN_ENTRADA for a mark
    std::string texto;
};

// The queue lives on the heap and is never destroyed: the reader thread may still be blocked
// in a read when the process ends, and must never meet a destroyed mutex.
struct Cola {
    std::mutex cerrojo;
    std::condition_variable llegada;
    std::deque<Linea> lineas;
    std::atomic<int> esperando{0};  // lines in the queue, read without the lock
};
Cola& cola = *new Cola;
std::once_flag arranque;

void Encolar(int clase, const char* texto, int largo) {
    {
        std::lock_guard<std::mutex> g(cola.cerrojo);
        cola.lineas.push_back({clase, std::string(texto, size_t(largo))});
        cola.esperando.store(int(cola.lineas.size()), std::memory_order_release);
    }
    cola.llegada.notify_all();
}

void Guardar(const char* texto, int largo) {
    if (largo > MAX_LINEA_ENTRADA) Encolar(LINEA_LARGA, "", 0);
    else if (!std::memchr(texto, 0, size_t(largo))) Encolar(largo, texto, largo);
}

// The reader's buffer: entrada[inicio, fin) holds the bytes read and not yet cut into lines.
// Bytes are moved to the front before more are read, so the buffer always has room for a whole
// line of MAX_LINEA_ENTRADA characters and its "\r\n": a line still without its line feed when
// the buffer is full is too long.
constexpr int TAM_ENTRADA = MAX_LINEA_ENTRADA + 2;

void Leer() {
    static char entrada[TAM_ENTRADA];
    int inicio = 0, fin = 0;
    bool descartando = false;  // inside an over-long line, up to its line feed
    for (;;) {
        // Every whole line already read.
        for (;;) {
            const void* salto = std::memchr(entrada + inicio, '\n', size_t(fin - inicio));
            if (!salto) break;
            const int s = int(static_cast<const char*>(salto) - entrada);
            int largo = s - inicio;
            if (largo > 0 && entrada[inicio + largo - 1] == '\r') largo--;
            if (descartando) descartando = false;
            else Guardar(entrada + inicio, largo);
            inicio = s + 1;
        }
        if (descartando) inicio = fin;  // the rest of an over-long line, still without its end
        if (inicio > 0) {
            std::memmove(entrada, entrada + inicio, size_t(fin - inicio));
            fin -= inicio;
            inicio = 0;
        }
        if (fin == TAM_ENTRADA) {
            Encolar(LINEA_LARGA, "", 0);
            descartando = true;
            fin = 0;
        }
        const int n = LeerEntrada(entrada + fin, TAM_ENTRADA - fin);
        if (n > 0) {
            fin += n;
            continue;
        }
        // A last line without its line feed is still a line.
        if (fin > 0 && !descartando) Guardar(entrada, fin - (entrada[fin - 1] == '\r'));
        Encolar(FIN_ENTRADA, "", 0);
        return;
    }
}

int Copiar(const Linea& l, char* buffer, int tamano) {
    buffer[0] = 0;
    if (l.clase < 0) return l.clase;
    const int n = int(l.texto.size()) < tamano ? int(l.texto.size()) : tamano - 1;
    std::memcpy(buffer, l.texto.data(), size_t(n));
    buffer[n] = 0;
    return l.clase;
}

}  // namespace

void IniciarLector() {
    std::call_once(arranque, [] { std::thread(Leer).detach(); });
}

int MirarLinea(char* linea, int tamano, bool esperar) {
    if (!esperar && cola.esperando.load(std::memory_order_acquire) == 0) return SIN_LINEA;
    IniciarLector();
    std::unique_lock<std::mutex> g(cola.cerrojo);
    if (esperar) cola.llegada.wait(g, [] { return !cola.lineas.empty(); });
    if (cola.lineas.empty()) return SIN_LINEA;
    return Copiar(cola.lineas.front(), linea, tamano);
}

void SaltarLinea() {
    std::lock_guard<std::mutex> g(cola.cerrojo);
    if (cola.lineas.empty() || cola.lineas.front().clase == FIN_ENTRADA) return;
    cola.lineas.pop_front();
    cola.esperando.store(int(cola.lineas.size()), std::memory_order_release);
}

int LeerLinea(char* buffer, int tamano) {
    const int clase = MirarLinea(buffer, tamano, true);
    if (clase >= 0 && clase > tamano - 1) {
        SaltarLinea();
        buffer[0] = 0;
        return LINEA_LARGA;
    }
    SaltarLinea();
    return clase;
}
