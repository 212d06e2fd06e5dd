// "bench": fixed-depth searches of a built-in list of positions; the node total is the
// engine's signature.
#include "uci/uci.h"

void ComandoBench(const char*) {}
