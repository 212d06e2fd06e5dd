#include "numero.h"

#include <cstring>

namespace {

// Digits only; each step saturates at tope (so that v * 10 cannot overflow below it), or,
// with tope at the top of u64, wraps modulo 2^64.
bool LeerCifras(const char* texto, u64 tope, u64& valor) {
    if (!*texto) return false;
    u64 v = 0;
    for (const char* p = texto; *p; p++) {
        if (*p < '0' || *p > '9') return false;
        v = v * 10 + u64(*p - '0');
        if (v > tope) v = tope;
    }
    valor = v;
    return true;
}

}  // namespace

bool LeerNumero(const char* texto, u64& valor) {
    return std::strlen(texto) <= MAX_CIFRAS && LeerCifras(texto, UINT64_MAX, valor);
}

bool LeerNumero(const char* texto, i32& valor) {
    u64 v;
    if (!LeerNumero(texto, v)) return false;
    valor = i32(u32(v));
    return true;
}

bool LeerNumeroSaturado(const char* texto, i32& valor, i32 tope) {
    u64 v;
    if (!LeerCifras(texto, u64(tope), v)) return false;
    valor = i32(v);
    return true;
}
