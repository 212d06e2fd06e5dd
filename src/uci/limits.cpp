// The search-limits record and the engine clock.
#include "uci/limits.h"

#include "platform.h"

RegistroJuego TipoJuego;

static const std::int64_t InicioProceso = RelojMs();

i32 ObtenerTiempo() { return i32(RelojMs() - InicioProceso); }
