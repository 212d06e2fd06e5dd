// Small helpers shared by the tests: set up positions, capture printed output, snapshot
// the board, draw random positions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/legal.h"

// Runs the position command: "fen <fen> [moves ...]" or "startpos [moves ...]".
void Posicion(const std::string& argumentos);
void PonerFen(const std::string& fen);

// What a function prints on standard output.
std::string Capturar(const std::function<void()>& f);
std::vector<std::string> Lineas(const std::string& texto);
bool Empieza(const std::string& linea, const std::string& prefijo);
int Contar(const std::vector<std::string>& lineas, const std::string& prefijo);  // lines that start so

// Everything make/unmake must restore: the board record (repetition slots above the count and
// undo entries above the ply aside) and the piece counts.
struct Instantanea {
    TipoTablero tablero;
    DatosBando blancas, negras;
    bool operator==(const Instantanea& o) const;
};
Instantanea Tomar();

// FENs of `n` positions reached by seeded random play of up to `plies` plies, started in turn
// from each of the given FENs.
std::vector<std::string> PosicionesAlAzar(const std::vector<std::string>& inicios, int n, int plies, unsigned semilla);
