// Small helpers shared by the tests: set up positions, capture printed output, snapshot
// the board.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "board/board.h"

// Runs the position command: "fen <fen> [moves ...]" or "startpos [moves ...]".
void Posicion(const std::string& argumentos);
void PonerFen(const std::string& fen);

// What a function prints on standard output.
std::string Capturar(const std::function<void()>& f);
std::vector<std::string> Lineas(const std::string& texto);

// Everything make/unmake must restore: the board record (repetition slots above the count,
// undo entries above the ply and the evaluation's phase aside) and the piece counts.
struct Instantanea {
    TipoTablero tablero;
    DatosBando blancas, negras;
    bool operator==(const Instantanea& o) const;
};
Instantanea Tomar();

// Legal moves of the current position, as coordinate texts in generation order.
std::vector<std::string> JugadasLegales();
// Plays a legal move given in coordinate text; false if there is none.
bool Jugar(const std::string& texto);
