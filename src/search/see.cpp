// Static exchange evaluation.
#include "search/see.h"

const i32 See_valor[16] = {0, 100, 325, 325, 500, 975, 10000, 0, 100, 325, 325, 500, 975, 10000, 0, 0};
