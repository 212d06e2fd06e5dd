// What the search's reports need from both kinds of tables.
#pragma once

#include "comun.h"

// Probes that found an entry (Gaviota or Syzygy) since the search began.
extern POR_HILO u64 AciertosTablas;

// A tablebase path of either kind is set (Gaviota switched on, or a Syzygy path): the info
// lines then carry "tbhits".
bool TablasConfiguradas();
