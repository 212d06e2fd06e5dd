// PGN game files, as databases and GUIs write them: tag pairs, then movetext with move
// numbers ("12." or "12..."), SAN moves, "{}" and ";" comments, "( )" variations (skipped),
// NAGs ("$1") and "!"/"?" marks, ending with the result ("1-0", "0-1", "1/2-1/2", "*").
// The reader never stops at a malformed game: it reports the first fault, reads on to the
// game's end and leaves the game out.
#include <cctype>
#include <sstream>

#include "book/lectura.h"

namespace {

// A [FEN] tag with this position (its counters aside) still starts from the initial position.
constexpr const char* POSICION_INICIAL = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

bool EsTexto(int c) { return c > 0 && c < 127 && (c >= 32 || std::isspace(c)); }

bool EsPosicionInicial(const std::string& fen) {
    std::istringstream campos(fen);
    std::string campo, cuatro;
    for (int i = 0; i < 4 && campos >> campo; i++) cuatro += (i ? " " : "") + campo;
    return cuatro == POSICION_INICIAL;
}

class LectorPgn {
public:
    LectorPgn(std::FILE* entrada, const std::string& nombre, int plies, ArbolPartidas& arbol, Recuento& recuento)
        : lector_(entrada), nombre_(nombre), arbol_(arbol), recuento_(recuento), jugadas_(plies) {}

    void Leer() {
        // The byte order mark that some Windows programs put before UTF-8 text.
        if (lector_.Mirar() == 0xEF) {
            lector_.Siguiente();
            if (lector_.Siguiente() != 0xBB || lector_.Siguiente() != 0xBF) Error(ByteNoValido(0xEF));
        }
        for (;;) {
            const bool inicioLinea = lector_.InicioLinea();
            const int c = lector_.Siguiente();
            if (c == EOF) break;
            if (c == '%' && inicioLinea) HastaFinDeLinea();  // an escaped line for other programs
            else if (c == ';') HastaFinDeLinea();
            else if (c == '{') Comentario();
            else if (c == '[') Etiqueta();
            else if (c >= 0 && c < 128 && std::isspace(c)) continue;
            else Movetext(c);
        }
        if (estado_ != Estado::FUERA) {
            Error("falta el resultado al final del fichero");
            Terminar(Resultado::DESCONOCIDO);
        }
    }

private:
    enum class Estado { FUERA, ETIQUETAS, JUGADAS };
    LectorBytes lector_;
    const std::string& nombre_;
    ArbolPartidas& arbol_;
    Recuento& recuento_;
    JugadasPartida jugadas_;
    Estado estado_ = Estado::FUERA;
    int variantes_ = 0;  // open "(" of the game
    bool erronea_ = false, desdeFen_ = false;

    void Empezar() {
        recuento_.partidas++;
        estado_ = Estado::ETIQUETAS;
        variantes_ = 0;
        erronea_ = desdeFen_ = false;
        jugadas_.Empezar();
    }

    void Terminar(Resultado resultado) {
        if (variantes_ > 0) Error("variante sin cerrar");
        if (erronea_) recuento_.erroneas++;
        else if (desdeFen_) recuento_.desdeFen++;
        else arbol_.Anadir(jugadas_.Guardadas(), resultado);
        estado_ = Estado::FUERA;
    }

    // Only the first fault of a game is reported. A fault between games belongs to the next one.
    void Error(const std::string& razon, int linea = 0) {
        if (estado_ == Estado::FUERA) Empezar();
        if (!erronea_) InformarError(recuento_, nombre_, linea ? linea : lector_.Linea(), "partida", razon);
        erronea_ = true;
    }

    void EnJugadas() {
        if (estado_ == Estado::FUERA) Empezar();
        estado_ = Estado::JUGADAS;
    }

    void HastaFinDeLinea() {
        for (int c = lector_.Mirar(); c != EOF && c != '\n'; c = lector_.Mirar()) {
            lector_.Siguiente();
            if (c == 0) Error("byte nulo en un comentario");
        }
    }

    void Comentario() {
        const int linea = lector_.Linea();
        for (int c = lector_.Siguiente(); c != '}'; c = lector_.Siguiente()) {
            if (c == EOF) return Error("comentario sin cerrar", linea);
            if (c == 0) Error("byte nulo en un comentario");
        }
    }

    // [Name "value"] on one line; "\" escapes the next character of the value.
    void Etiqueta() {
        if (estado_ == Estado::JUGADAS) {
            Error("falta el resultado antes de la etiqueta");
            Terminar(Resultado::DESCONOCIDO);
        }
        if (estado_ == Estado::FUERA) Empezar();
        std::string nombre, valor;
        bool bien = LeerNombre(nombre) && LeerValor(valor);
        Blancos();
        bien = bien && lector_.Mirar() == ']';
        if (!bien || valor.size() > LARGO_SIMBOLO) {
            Error(bien ? "etiqueta de mas de " + std::to_string(LARGO_SIMBOLO) + " caracteres: " + Citar(valor)
                       : "etiqueta mal formada");
            return HastaFinDeLinea();
        }
        lector_.Siguiente();
        if (nombre == "FEN" && !EsPosicionInicial(valor)) desdeFen_ = true;
    }

    void Blancos() {
        while (lector_.Mirar() == ' ' || lector_.Mirar() == '\t') lector_.Siguiente();
    }

    bool LeerNombre(std::string& nombre) {
        Blancos();
        for (int c = lector_.Mirar(); c > 0 && c < 128 && (std::isalnum(c) || c == '_'); c = lector_.Mirar()) {
            nombre += char(lector_.Siguiente());
            if (nombre.size() > LARGO_SIMBOLO) return false;
        }
        return !nombre.empty();
    }

    bool LeerValor(std::string& valor) {
        Blancos();
        if (lector_.Mirar() != '"') return false;
        lector_.Siguiente();
        for (;;) {
            int c = lector_.Mirar();
            if (c == EOF || c == '\n' || c == 0) return false;
            lector_.Siguiente();
            if (c == '"') return true;
            if (c == '\\') {
                c = lector_.Mirar();
                if (c == EOF || c == '\n' || c == 0) return false;
                lector_.Siguiente();
            }
            if (valor.size() <= LARGO_SIMBOLO) valor += char(c);
        }
    }

    void Movetext(int c) {
        EnJugadas();
        if (c == '(') {
            variantes_++;
        } else if (c == ')') {
            if (variantes_ == 0) Error("')' sin '('");
            else variantes_--;
        } else if (c == '}') {
            Error("'}' sin '{'");
        } else if (c == '*') {
            Terminar(Resultado::DESCONOCIDO);
        } else if (c == '$') {
            std::string nag = EsSimbolo(lector_.Mirar()) ? Simbolo(lector_.Siguiente()) : "";
            if (nag.empty() || nag.find_first_not_of("0123456789") != std::string::npos)
                Error("NAG no valido: $" + Citar(nag));
        } else if (EsSimbolo(c)) {
            Jugada(Simbolo(c));
        } else {
            Error(ByteNoValido(c));
        }
    }

    // The symbol that begins with c; a symbol longer than LARGO_SIMBOLO is reported here and
    // read as empty.
    std::string Simbolo(int c) {
        std::string s;
        size_t largo = 0;
        if (!EsSimbolo(c)) return s;
        for (;;) {
            if (++largo <= LARGO_SIMBOLO) s += char(c);
            if (!EsSimbolo(lector_.Mirar())) break;
            c = lector_.Siguiente();
        }
        // A symbol cut by a stray byte is not judged: the byte is the fault.
        if (lector_.Mirar() != EOF && !EsTexto(lector_.Mirar())) {
            Error(ByteNoValido(lector_.Siguiente()));
            return "";
        }
        if (largo <= LARGO_SIMBOLO) return s;
        Error("simbolo de " + std::to_string(largo) + " caracteres: " + Citar(s));
        return "";
    }

    void Jugada(const std::string& simbolo) {
        if (simbolo == "1-0") return Terminar(Resultado::BLANCAS);
        if (simbolo == "0-1") return Terminar(Resultado::NEGRAS);
        if (simbolo == "1/2-1/2") return Terminar(Resultado::TABLAS);
        const std::string san = SinNumero(simbolo);
        if (san.empty() || san.find_first_not_of("!?") == std::string::npos) return;
        if (variantes_ > 0 || erronea_ || desdeFen_) return;
        std::string error;
        if (!jugadas_.Jugar(san, error)) Error(error);
    }
};

}  // namespace

void LeerPgn(std::FILE* entrada, const std::string& nombre, int plies, ArbolPartidas& arbol, Recuento& recuento) {
    LectorPgn(entrada, nombre, plies, arbol, recuento).Leer();
}
