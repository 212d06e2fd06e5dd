// Legal moves spelled out, for the tools, the match driver, the opening book and the tests
// (the searches settle legality move by move and never call these).
#pragma once

#include <string>
#include <vector>

#include "board/board.h"

// Only the legal moves (those whose make leaves the mover's king safe), in generation order.
int GenerarLegales(EntradaLista* lista);
// The same as coordinate texts ("e2e4", "a7a8q").
std::vector<std::string> JugadasLegales();
// True when `texto` is the coordinate text of a legal move of the side to move.
bool EsJugadaLegal(const char* texto);
