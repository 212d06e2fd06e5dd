// ECO classification files: lines beginning with "#" are comments; each entry is a code, a
// quoted name and SAN moves with move numbers, ending with "*".
#include <cctype>

#include "book/lectura.h"

namespace {

class LectorEco {
public:
    LectorEco(std::istream& entrada, int plies) : lector_(entrada), jugadas_(plies) {}

    void Leer(const std::string& nombre, std::vector<std::string>& lineas, Recuento& recuento) {
        for (std::string codigo = Palabra(); !codigo.empty(); codigo = Palabra()) {
            const int linea = lector_.Linea();
            recuento.partidas++;
            const std::string titulo = codigo + " \"" + Nombre() + "\"";
            jugadas_.Empezar();
            std::string error;
            for (std::string t = Palabra(); !t.empty() && t != "*"; t = Palabra()) {
                const bool fin = t.back() == '*';
                if (fin) t.pop_back();
                t = SinNumero(t);
                if (!t.empty() && error.empty()) jugadas_.Jugar(t, error);
                if (fin) break;
            }
            if (!error.empty()) {
                InformarError(nombre, linea, "entrada", recuento.partidas, titulo + ": " + error);
                recuento.erroneas++;
            } else if (!jugadas_.Guardadas().empty()) {
                std::string l;
                for (const auto& j : jugadas_.Guardadas()) l += (l.empty() ? "" : " ") + j;
                lineas.push_back(l);
            }
        }
    }

private:
    LectorBytes lector_;
    JugadasPartida jugadas_;

    static bool Blanco(int c) { return c >= 0 && c < 128 && std::isspace(c); }

    // The next blank-separated word, comment lines aside; empty at the end of the file.
    std::string Palabra() {
        for (;;) {
            while (Blanco(lector_.Mirar())) lector_.Siguiente();
            if (!(lector_.InicioLinea() && lector_.Mirar() == '#')) break;
            while (lector_.Mirar() != EOF && lector_.Mirar() != '\n') lector_.Siguiente();
        }
        std::string p;
        while (lector_.Mirar() != EOF && !Blanco(lector_.Mirar())) p += char(lector_.Siguiente());
        return p;
    }

    // The quoted name that follows the code, when there is one.
    std::string Nombre() {
        while (Blanco(lector_.Mirar())) lector_.Siguiente();
        std::string n;
        if (lector_.Mirar() != '"') return n;
        lector_.Siguiente();
        for (int c = lector_.Siguiente(); c != EOF && c != '"'; c = lector_.Siguiente()) n += char(c);
        return n;
    }
};

}  // namespace

void LeerEco(std::istream& entrada, const std::string& nombre, int plies, std::vector<std::string>& lineas,
             Recuento& recuento) {
    LectorEco(entrada, plies).Leer(nombre, lineas, recuento);
}
