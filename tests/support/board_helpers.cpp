#include "support/board_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sstream>

#include "uci/uci.h"

void Posicion(const std::string& argumentos) { Position_Fen_Startpos(argumentos.c_str()); }

void PonerFen(const std::string& fen) { Posicion("fen " + fen); }

std::string Capturar(const std::function<void()>& f) {
    testing::internal::CaptureStdout();
    f();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) r.push_back(l);
    return r;
}

bool Empieza(const std::string& linea, const std::string& prefijo) { return linea.rfind(prefijo, 0) == 0; }

int Contar(const std::vector<std::string>& lineas, const std::string& prefijo) {
    int n = 0;
    for (const auto& l : lineas) n += Empieza(l, prefijo);
    return n;
}

bool Instantanea::operator==(const Instantanea& o) const {
    TipoTablero a = tablero, b = o.tablero;
    // Key slots above the count and undo entries above the ply are not part of the state.
    for (int i = a.NumeroRepeticiones; i < MAX_REPETICIONES; i++) a.Repeticiones[i] = 0;
    for (int i = b.NumeroRepeticiones; i < MAX_REPETICIONES; i++) b.Repeticiones[i] = 0;
    for (int i = a.Ply; i < MAX_PLY; i++) std::memset(&a.Historial[i], 0, sizeof a.Historial[i]);
    for (int i = b.Ply; i < MAX_PLY; i++) std::memset(&b.Historial[i], 0, sizeof b.Historial[i]);
    return std::memcmp(&a, &b, sizeof a) == 0 && std::memcmp(&blancas, &o.blancas, sizeof blancas) == 0 &&
           std::memcmp(&negras, &o.negras, sizeof negras) == 0;
}

Instantanea Tomar() {
    Instantanea s;
    std::memcpy(&s.tablero, &TableroGlobal, sizeof s.tablero);
    std::memcpy(&s.blancas, &Blancas, sizeof s.blancas);
    std::memcpy(&s.negras, &Negras, sizeof s.negras);
    return s;
}

std::vector<std::string> PosicionesAlAzar(const std::vector<std::string>& inicios, int n, int plies, unsigned semilla) {
    std::mt19937 azar(semilla);
    std::vector<std::string> r;
    for (int k = 0; k < n; k++) {
        PonerFen(inicios[size_t(k) % inicios.size()]);
        const int largo = int(azar() % unsigned(plies + 1));
        for (int p = 0; p < largo; p++) {
            const auto legales = JugadasLegales();
            if (legales.empty()) break;
            JugarTexto(legales[azar() % legales.size()].c_str());  // as the position command plays it
        }
        char fen[128];
        EscribirFen(fen);
        r.push_back(fen);
    }
    return r;
}
