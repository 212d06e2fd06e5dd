// The Syzygy prober as the engine's own Syzygy files share it: its C header, and the lock
// taken around its functions that are not reentrant (loading, the root ranking).
#pragma once

#include <mutex>

#include "tbprobe.h"

extern std::mutex CerrojoSyzygy;
