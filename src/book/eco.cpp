// ECO classification files: lines beginning with "#" are comments; each entry is a code, a
// name in double quotes on one line and SAN moves with move numbers, ending with "*". The
// rules are the PGN reader's: the first fault of an entry (a bad move, a NUL or other byte that
// is not text, a name left open, an entry cut by the end of the file) is reported, the entry is
// read to its "*" and left out.
#include <cctype>

#include "book/lectura.h"

namespace {

class LectorEco {
public:
    LectorEco(std::FILE* entrada, const std::string& nombre, int plies, std::vector<std::string>& lineas,
              Recuento& recuento)
        : lector_(entrada), nombre_(nombre), lineas_(lineas), recuento_(recuento), jugadas_(plies) {}

    void Leer() {
        while (Blancos() != EOF || dentro_) Entrada();
    }

private:
    LectorBytes lector_;
    const std::string& nombre_;
    std::vector<std::string>& lineas_;
    Recuento& recuento_;
    JugadasPartida jugadas_;
    bool dentro_ = false, erronea_ = false;
    std::string titulo_;  // the code and the name, for the report

    static bool Blanco(int c) { return c >= 0 && c < 128 && std::isspace(c); }

    void Empezar() {
        recuento_.partidas++;
        dentro_ = true;
        erronea_ = false;
        titulo_.clear();
        jugadas_.Empezar();
    }

    // Only the first fault of an entry is reported. A fault between entries belongs to the next one.
    void Error(const std::string& razon) {
        if (!dentro_) Empezar();
        if (!erronea_)
            InformarError(recuento_, nombre_, lector_.Linea(), "entrada",
                          (titulo_.empty() ? "" : Citar(titulo_) + ": ") + razon);
        erronea_ = true;
    }

    void Entrada() {
        if (!dentro_) Empezar();
        titulo_ = Palabra();
        if (Blancos() == '"') Nombre();
        else Error("falta el nombre entre comillas");
        for (int c = Blancos(); c != '*'; c = Blancos()) {
            if (c == EOF) {
                Error("falta '*' al final del fichero");
                break;
            }
            const std::string san = SinNumero(Palabra());
            std::string error;
            if (!san.empty() && !erronea_ && !jugadas_.Jugar(san, error)) Error(error);
        }
        lector_.Siguiente();
        dentro_ = false;
        if (erronea_) return void(recuento_.erroneas++);
        std::string l;
        for (const auto& j : jugadas_.Guardadas()) l += (l.empty() ? "" : " ") + j;
        if (!l.empty()) lineas_.push_back(l);
    }

    // Skips blanks and comment lines; the next byte.
    int Blancos() {
        for (int c = lector_.Mirar();; c = lector_.Mirar()) {
            if (c == '#' && lector_.InicioLinea()) {
                for (; c != EOF && c != '\n'; c = lector_.Mirar())
                    if (lector_.Siguiente() == 0) Error("byte nulo en un comentario");
            } else if (Blanco(c)) {
                lector_.Siguiente();
            } else {
                return c;
            }
        }
    }

    // A word of symbol bytes. One cut by a stray byte is dropped: the byte is the fault.
    std::string Palabra() {
        std::string p;
        size_t largo = 0;
        for (; EsSimbolo(lector_.Mirar()); largo++)
            if (char c = char(lector_.Siguiente()); largo < LARGO_SIMBOLO) p += c;
        const int c = lector_.Mirar();
        if (c != EOF && c != '*' && !Blanco(c)) {
            Error(ByteNoValido(lector_.Siguiente()));
            return "";
        }
        if (largo <= LARGO_SIMBOLO) return p;
        Error("simbolo de " + std::to_string(largo) + " caracteres: " + Citar(p));
        return "";
    }

    void Nombre() {
        lector_.Siguiente();
        std::string n;
        for (int c = lector_.Mirar(); c != '"'; c = lector_.Mirar()) {
            if (c == EOF || c == '\n') return Error("nombre sin cerrar");
            if (lector_.Siguiente() == 0) Error("byte nulo");
            if (n.size() <= LARGO_CITA) n += char(c);
        }
        lector_.Siguiente();
        titulo_ += " \"" + n + "\"";
    }
};

}  // namespace

void LeerEco(std::FILE* entrada, const std::string& nombre, int plies, std::vector<std::string>& lineas,
             Recuento& recuento) {
    LectorEco(entrada, nombre, plies, lineas, recuento).Leer();
}
