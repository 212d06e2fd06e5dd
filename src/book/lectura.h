// What the PGN and ECO readers share: a byte reader that counts lines, the moves of one game
// played on the board as they are read, and the error report.
#pragma once

#include <cstdio>
#include <istream>
#include <string>
#include <vector>

#include "book/construir.h"

class LectorBytes {
public:
    explicit LectorBytes(std::istream& entrada) : buf_(entrada.rdbuf()) {}
    // The next byte (0..255), or EOF at the end of the input or on a read error.
    int Siguiente() {
        int c = buf_ ? buf_->sbumpc() : EOF;
        inicioLinea_ = c == '\n';
        if (inicioLinea_) linea_++;
        return c;
    }
    int Mirar() const { return buf_ ? buf_->sgetc() : EOF; }
    int Linea() const { return linea_; }
    bool InicioLinea() const { return inicioLinea_; }  // the last byte read ended a line

private:
    std::streambuf* buf_;
    int linea_ = 1;
    bool inicioLinea_ = true;
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

// A move number with its dots ("12.", "12...", "12", "...") is not a move; "12.e4" is "e4".
std::string SinNumero(const std::string& simbolo);

// "<file>:<line>: <what> <n>: <reason>" on standard error.
void InformarError(const std::string& fichero, int linea, const char* que, int numero, const std::string& razon);
// A text of the input, fit for a message: quoted, printable, at most 20 characters.
std::string Citar(const std::string& texto);
