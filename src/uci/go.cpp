// "go": the opening book first, then the search limits and the time budget, the search, and
// with Ponder on the engine's own pondering.
#include "book/book.h"
#include "search/search.h"
#include "uci/limits.h"
#include "uci/uci.h"

void ComandoGo(const char*) {}
