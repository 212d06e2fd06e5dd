// Helpers for the search tests: run the driver on a position with chosen limits and pick the
// pieces of its output apart.
#pragma once

#include <string>
#include <vector>

#include "support/board_helpers.h"

struct ResultadoBusqueda {
    std::vector<std::string> lineas;  // everything printed
    std::string mejor;                // move text after "bestmove"
    std::string ponder;               // move text after " ponder", empty when none
    std::vector<int> profundidades;   // depth of each "info depth" line, in order
    std::string ultimaPuntuacion;     // "cp 35", "mate 2" ... of the last "info depth" line
};

// A fresh game ("ucinewgame"), then the position command's argument, then Buscar with a depth
// limit, ShowPv Full (unless given), no clock, input polling off.
ResultadoBusqueda BuscarEn(const std::string& posicion, int profundidad, int showPv = 2, int infinito = 0);

// Parses a captured search output.
ResultadoBusqueda Analizar(const std::string& salida);
