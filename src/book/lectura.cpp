// The moves of one game as they are read, and the readers' error report.
#include "book/lectura.h"

#include <cctype>
#include <cerrno>
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

bool EsSimbolo(int c) { return c > 0 && c < 128 && (std::isalnum(c) || std::strchr("_+#=:-/.!?", c)); }

std::string ByteNoValido(int c) {
    char hexa[8];
    std::snprintf(hexa, sizeof hexa, "0x%02X", c);
    return c == 0 ? "byte nulo" : std::string("caracter no valido ") + hexa;
}

std::string SinNumero(const std::string& t) {
    size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') i++;
    if (i < t.size() && t[i] != '.') return t;
    while (i < t.size() && t[i] == '.') i++;
    return t.substr(i);
}

int LectorBytes::Llenar() {
    pos_ = 0;
    fin_ = std::fread(buffer_.data(), 1, buffer_.size(), entrada_);
    if (std::ferror(entrada_)) throw ErrorLectura{errno};
    return fin_ ? buffer_[0] : EOF;
}

namespace {

// The length of the UTF-8 character that starts at texto[i] when it is a printable one (from
// U+00A0 on), else 0.
size_t CaracterUtf8(const std::string& texto, size_t i) {
    const auto byte = [&](size_t k) { return k < texto.size() ? static_cast<unsigned char>(texto[k]) : 0u; };
    const unsigned c = byte(i);
    const size_t largo = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    for (size_t k = 1; k < largo; k++)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return c == 0xC2 && byte(i + 1) < 0xA0 ? 0 : largo;
}

}  // namespace

std::string Citar(const std::string& texto, bool final) {
    std::vector<std::string> caracteres;
    for (size_t i = 0; i < texto.size();) {
        const unsigned char c = static_cast<unsigned char>(texto[i]);
        const size_t utf8 = CaracterUtf8(texto, i);
        if (utf8) {
            caracteres.push_back(texto.substr(i, utf8));
            i += utf8;
            continue;
        }
        char escrito[8] = {char(c), 0};
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) std::snprintf(escrito, sizeof escrito, "\\x%02X", c);
        else if (c == '\\') std::strcpy(escrito, "\\\\");
        caracteres.push_back(escrito);
        i++;
    }
    const size_t cortados = caracteres.size() > LARGO_CITA ? caracteres.size() - LARGO_CITA : 0;
    std::string r = final && cortados ? "..." : "";
    for (size_t i = final ? cortados : 0; i < caracteres.size() - (final ? 0 : cortados); i++) r += caracteres[i];
    return !final && cortados ? r + "..." : r;
}

void InformarError(const Recuento& recuento, const std::string& fichero, int linea, const char* que,
                   const std::string& razon) {
    if (!recuento.informar) return;
    recuento.informar(Citar(fichero, true) + ":" + std::to_string(linea) + ": " + que + " " +
                      std::to_string(recuento.partidas) + ": " + razon);
}
