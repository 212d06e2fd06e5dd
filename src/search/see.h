// Static exchange evaluation and the piece values it shares with move ordering.
#pragma once

#include "board/board.h"

// Exchange values by piece code: 0, P, N, B, R, Q, K, empty, p, n, b, r, q, k, 14, 15.
extern const i32 See_valor[16];
