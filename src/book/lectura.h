// What the PGN and ECO readers share: a byte reader that counts lines, the moves of one game
// played on the board as they are read, and the error report.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "book/construir.h"

// Symbols (moves, numbers, results, ECO codes) and tag values longer than this are faults.
constexpr size_t LARGO_SIMBOLO = 255;

// Reads a file a buffer at a time; throws ErrorLectura on a read error.
class LectorBytes {
public:
    explicit LectorBytes(std::FILE* entrada) : entrada_(entrada), buffer_(1 << 16) {}
    // The next byte (0..255), or EOF at the end of the input.
    int Siguiente() {
        const int c = Mirar();
        if (c != EOF) pos_++;
        inicioLinea_ = c == '\n';
        if (inicioLinea_) linea_++;
        return c;
    }
    int Mirar() { return pos_ < fin_ ? buffer_[pos_] : Llenar(); }
    int Linea() const { return linea_; }
    bool InicioLinea() const { return inicioLinea_; }  // the last byte read ended a line

private:
    std::FILE* entrada_;
    std::vector<unsigned char> buffer_;
    size_t pos_ = 0, fin_ = 0;
    int linea_ = 1;
    bool inicioLinea_ = true;
    int Llenar();
};

// One game's moves, played from the start position as they are read. The first ones are kept
// for the book: at most `plies`, and none from the first promotion on (a book move has four
// characters).
class JugadasPartida {
public:
    explicit JugadasPartida(int plies) : plies_(plies) {}
    void Empezar();
    // Plays the SAN move; on failure `error` says why, with the move's number ("12...Ke3").
    bool Jugar(const std::string& san, std::string& error);
    const std::vector<std::string>& Guardadas() const { return guardadas_; }

private:
    int plies_;
    int jugadas_ = 0;
    bool cortada_ = false;
    std::vector<std::string> guardadas_;
};

// The bytes of moves, move numbers, results and ECO codes.
bool EsSimbolo(int c);
// Why a byte that is not text is a fault: "byte nulo" or "caracter no valido 0xNN".
std::string ByteNoValido(int c);

// A move number with its dots ("12.", "12...", "12", "...") is not a move; "12.e4" is "e4".
std::string SinNumero(const std::string& simbolo);

// "<file>:<line>: <what> <n>: <reason>" to the count's `informar`, n being its games so far.
void InformarError(const Recuento& recuento, const std::string& fichero, int linea, const char* que,
                   const std::string& razon);
// A text of the input or a file name, fit for a message: control bytes (0x00-0x1F, 0x7F, and
// 0x80-0x9F outside a UTF-8 character) written as \xNN and a backslash as \\, at most
// LARGO_CITA characters shown and "..." for the rest; a file name keeps its end instead.
constexpr size_t LARGO_CITA = 60;
std::string Citar(const std::string& texto, bool final = false);
