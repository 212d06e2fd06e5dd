// What every layer shares: the fixed-width integer names, the score conventions, the process's
// quit flag and the saturating conversion used for printed figures.
#pragma once

#include <atomic>
#include <cstdint>

using u64 = std::uint64_t;
using u32 = std::uint32_t;
using u16 = std::uint16_t;
using i64 = std::int64_t;
using i32 = std::int32_t;
using i16 = std::int16_t;
using i8 = std::int8_t;
using u8 = std::uint8_t;

// Scores are centipawns from the side to move's point of view; draws score 0.
constexpr int VALOR_MATE = 31000;      // mate delivered n plies from the root scores 31000 - n
constexpr int UMBRAL_MATE = 30000;     // beyond +-30000 a score is a mate score
constexpr int VALOR_INFINITO = 32000;  // the full window; -32000 also means "no score yet"

inline bool EsPuntuacionMate(int p) {
    return (p > UMBRAL_MATE || p < -UMBRAL_MATE) && p != VALOR_INFINITO && p != -VALOR_INFINITO;
}

// The search's state that each search thread has its own copy of (board, history, lines,
// limits...). constinit: every such record is constant-initialised, and saying so spares each
// access from another file a test for a thread-local initialiser, which cost a sixth of
// perft's speed. Windows builds keep the state in plain globals and search on one thread:
// MinGW's GCC emulates thread-local storage with a library call on every access, which took a
// third of the search's speed and two thirds of perft's (Clang's native Windows storage, an
// eighth and a quarter).
#ifdef _WIN32
#define POR_HILO
constexpr bool HILOS_DE_BUSQUEDA = false;
#else
#define POR_HILO constinit thread_local __attribute__((tls_model("local-exec")))
constexpr bool HILOS_DE_BUSQUEDA = true;
#endif

// Set when the engine meets an inconsistent state (or "quit"); the command loop ends the
// process after the current command. Any search thread may set it.
inline std::atomic<i32> Salir{0};

// Figures (speeds, hash fill, time shares as floats; 64-bit budgets) truncated to 32 bits,
// saturating instead of overflowing when a tiny divisor or a huge clock makes them too large.
template <class T>
inline i32 ATruncado(T x) {
    if (x >= T(INT32_MAX)) return INT32_MAX;
    if (x <= T(INT32_MIN)) return INT32_MIN;
    return i32(x);
}
