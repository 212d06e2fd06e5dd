// The moves of one game as they are read, and the readers' error report.
#include "book/lectura.h"

#include <cstdio>
#include <cstring>

void JugadasPartida::Empezar() {
    LimpiarBandos();
    CargarFen(FEN_INICIAL);
    TableroGlobal.Hash = CalcularHash();
    jugadas_ = 0;
    cortada_ = false;
    guardadas_.clear();
}

bool JugadasPartida::Jugar(const std::string& san, std::string& error) {
    char texto[6];
    const ResultadoSan r = JugarSan(san, texto);
    if (r != ResultadoSan::JUGADA) {
        const char* razon = r == ResultadoSan::NO_RECONOCIDA ? "no reconocida"
                            : r == ResultadoSan::AMBIGUA    ? "ambigua"
                                                            : "ilegal";
        error = "jugada " + std::to_string(jugadas_ / 2 + 1) + (jugadas_ % 2 ? "..." : ".") + Citar(san) + " " + razon;
        return false;
    }
    jugadas_++;
    if (std::strlen(texto) != 4 || int(guardadas_.size()) == plies_) cortada_ = true;
    if (!cortada_) guardadas_.push_back(texto);
    return true;
}

std::string SinNumero(const std::string& t) {
    size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') i++;
    if (i < t.size() && t[i] != '.') return t;
    while (i < t.size() && t[i] == '.') i++;
    return t.substr(i);
}

std::string Citar(const std::string& texto) {
    constexpr size_t LARGO_CITA = 20;
    std::string r;
    for (size_t i = 0; i < texto.size() && i < LARGO_CITA; i++) {
        unsigned char c = static_cast<unsigned char>(texto[i]);
        r += c >= 32 && c < 127 ? char(c) : '?';
    }
    if (texto.size() > LARGO_CITA) r += "...";
    return r;
}

void InformarError(const std::string& fichero, int linea, const char* que, int numero, const std::string& razon) {
    std::fprintf(stderr, "%s:%d: %s %d: %s\n", fichero.c_str(), linea, que, numero, razon.c_str());
}
