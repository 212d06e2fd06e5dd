// The one reader of number words, shared by the protocol, the FEN loader and the programs'
// command lines: decimal digits only, at least one, no sign and no blank.
#pragma once

#include <cstdint>

#include "comun.h"

constexpr int MAX_CIFRAS = 79;  // digits of a go number word

// A go number: 1 to 79 digits; its value wraps modulo 2^64 and the 32-bit form keeps the low
// 32 bits. Leaves valor untouched and returns false for anything else.
bool LeerNumero(const char* texto, u64& valor);
bool LeerNumero(const char* texto, i32& valor);
// Any number of digits, the value capped at tope, so that no digit string wraps into a range
// the caller checks afterwards (option values, the FEN clock, perft and bench depths).
bool LeerNumeroSaturado(const char* texto, i32& valor, i32 tope = INT32_MAX);
