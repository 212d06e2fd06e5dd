// The go command's words, and the engine's own pondering that follows a search with Ponder on.
#pragma once

#include "search/tiempo.h"

ParametrosGo LeerParametrosGo(const char* resto);

// With Ponder on, after answering: play our own move and search the opponent's position
// silently until the GUI speaks again.
void PonderarPropiaJugada();
