// The helper threads: created by the option, parked between searches, woken with a copy of
// the main thread's root, stopped by it.
#include "search/hilos.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "eval/cache.h"
#include "search/iteracion.h"
#include "search/limits.h"
#include "search/raiz.h"
#include "search/search.h"
#include "search/tt.h"
#include "tablebases/tablas.h"

namespace {

struct Ayudante {
    std::thread hilo;
    std::atomic<u64> nodos{0}, aciertos{0};
};

// What a search starts from: the main thread's copy, written before the helpers are woken
// and left alone until they are all idle again.
struct Instantanea {
    TipoTablero tablero;
    DatosBando blancas, negras;
    RegistroJuego juego;
    RestriccionRaiz raiz;
    Divisor tt, cache;
};

// Never destroyed: a process that ends with parked helpers must not destroy what they wait on.
struct Equipo {
    std::mutex cerrojo;
    std::condition_variable despertar, terminados;
    u64 busquedas = 0;  // searches started: a helper wakes for each new one
    int activos = 0;    // helpers of the current search not yet idle
    int deseados = 0;   // helpers that should exist; those above it end
    int hilos = 0;      // helpers woken for the current search
    std::atomic<bool> parada{false};
    Ayudante* ayudantes[MAX_HILOS - 1] = {};
    int creados = 0;
    Instantanea raiz;
    std::atomic<int> enProfundidad[PROFUNDIDAD_MAXIMA + 2] = {};
};
Equipo& E = *new Equipo;

thread_local Ayudante* propio = nullptr;  // null in the main thread

void Publicar() {
    propio->nodos.store(TipoJuego.Nodos, std::memory_order_relaxed);
    propio->aciertos.store(AciertosTablas, std::memory_order_relaxed);
}

// Another thread's depth: with two threads any, with more half of them.
bool Ocupada(int d, int hilos) {
    const int umbral = (hilos + 1) / 2;
    return E.enProfundidad[d].load(std::memory_order_relaxed) >= umbral;
}

// A helper's search: the main thread's root and limits, its own tables cleared, then iterative
// deepening from a staggered first depth, passing over the depths others are on, until the
// depth limit or the main thread's stop.
void Buscar(int indice) {
    const Instantanea& r = E.raiz;
    TableroGlobal = r.tablero;
    Blancas = r.blancas;
    Negras = r.negras;
    TipoJuego = r.juego;
    RaizBusqueda = r.raiz;
    DivisorTT = r.tt;
    DivisorCache = r.cache;
    RegistroJuego& J = TipoJuego;
    J.Parar = 0;
    J.Nodos = 0;
    AciertosTablas = 0;
    std::memset(pv_line, 0, sizeof pv_line);
    std::memset(pv_line_fin, 0, sizeof pv_line_fin);
    HistoricoIniciar();
    TableroGlobal.Ply = 0;

    const int hilos = E.hilos + 1;
    const int enJaque = BandoEnJaque();
    int previa = 0;
    for (int d = 1 + indice % 2; d <= J.ProfundidadMaxima; d++) {
        while (d < J.ProfundidadMaxima && Ocupada(d, hilos)) d++;
        J.Profundidad = d;
        int s;
        if (!BuscarRaiz(d, previa, enJaque, s) || J.Parar) break;
        previa = s;
        Actualizar_Pv_Terminada();
    }
    Publicar();
}

// The helpers' published counts in the current search.
u64 Sumar(std::atomic<u64> Ayudante::*cuenta) {
    u64 n = 0;
    for (int i = 0; i < E.hilos; i++) n += (E.ayudantes[i]->*cuenta).load(std::memory_order_relaxed);
    return n;
}

// A helper made now waits for the next search, not the last one.
void Bucle(Ayudante* yo, int indice, u64 vista) {
    propio = yo;
    for (;;) {
        {
            std::unique_lock<std::mutex> l(E.cerrojo);
            E.despertar.wait(l, [&] { return indice > E.deseados || (E.busquedas != vista && indice <= E.hilos); });
            if (indice > E.deseados) return;
            vista = E.busquedas;
        }
        Buscar(indice);
        std::lock_guard<std::mutex> l(E.cerrojo);
        if (--E.activos == 0) E.terminados.notify_all();
    }
}

}  // namespace

void FijarHilos(int n) {
    if (n < 1 || !HILOS_DE_BUSQUEDA) n = 1;
    if (n > MAX_HILOS) n = MAX_HILOS;
    const int deseados = n - 1;
    {
        std::lock_guard<std::mutex> l(E.cerrojo);
        E.deseados = deseados;
    }
    E.despertar.notify_all();
    // Fewer: the helpers above the count end and are joined.
    for (; E.creados > deseados; E.creados--) {
        Ayudante* a = E.ayudantes[E.creados - 1];
        a->hilo.join();
        delete a;
        E.ayudantes[E.creados - 1] = nullptr;
    }
    for (; E.creados < deseados; E.creados++) {
        Ayudante* a = new Ayudante;
        E.ayudantes[E.creados] = a;
        a->hilo = std::thread(Bucle, a, E.creados + 1, E.busquedas);
    }
}

void ArrancarAyudantes() {
    const int hilos = TipoJuego.Hilos - 1 < E.creados ? TipoJuego.Hilos - 1 : E.creados;
    if (hilos <= 0) {
        std::lock_guard<std::mutex> l(E.cerrojo);
        E.hilos = 0;
        return;
    }
    Instantanea& r = E.raiz;
    r.tablero = TableroGlobal;
    r.blancas = Blancas;
    r.negras = Negras;
    r.juego = TipoJuego;
    r.raiz = RaizBusqueda;
    r.tt = DivisorTT;
    r.cache = DivisorCache;
    for (int i = 0; i < hilos; i++) {
        E.ayudantes[i]->nodos.store(0, std::memory_order_relaxed);
        E.ayudantes[i]->aciertos.store(0, std::memory_order_relaxed);
    }
    E.parada.store(false, std::memory_order_relaxed);
    {
        std::lock_guard<std::mutex> l(E.cerrojo);
        E.hilos = hilos;
        E.activos = hilos;
        E.busquedas++;
    }
    E.despertar.notify_all();
}

void PararAyudantes() {
    if (E.hilos == 0) return;
    E.parada.store(true, std::memory_order_relaxed);
    std::unique_lock<std::mutex> l(E.cerrojo);
    E.terminados.wait(l, [] { return E.activos == 0; });
}

u64 NodosTotales() { return TipoJuego.Nodos + Sumar(&Ayudante::nodos); }
u64 AciertosTotales() { return AciertosTablas + Sumar(&Ayudante::aciertos); }

bool EsAyudante() { return propio != nullptr; }

void RevisarAyudante() {
    Publicar();
    if (E.parada.load(std::memory_order_relaxed)) TipoJuego.Parar = 1;
}

void EntrarProfundidad(int d) { E.enProfundidad[d].fetch_add(1, std::memory_order_relaxed); }
void SalirProfundidad(int d) { E.enProfundidad[d].fetch_sub(1, std::memory_order_relaxed); }
