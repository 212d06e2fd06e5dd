// Asking the Syzygy tables: the board in the prober's form, the win/draw/loss probe made
// below the root, and the ranking of the root moves.
#include <bit>

#include "tablebases/fathom.h"
#include "tablebases/syzygy.h"
#include "tablebases/tablas.h"

namespace {

// The prober's board: one bit per square from a1 = bit 0 to h8 = bit 63.
struct PosicionTb {
    u64 blancas = 0, negras = 0, reyes = 0, damas = 0, torres = 0, alfiles = 0, caballos = 0, peones = 0;
    unsigned alPaso = 0;  // the square a pawn may take en passant on, 0 = none
    bool blancasMueven = false;
};

constexpr u64 FILAS_EXTREMAS = 0xFF000000000000FFull;  // ranks 1 and 8

// Board square (a8 = 0 .. h1 = 63) to the prober's (a1 = 0 .. h8 = 63): the rank mirrored.
constexpr int CasillaTb(int s) { return s ^ 56; }

int Hombres() {
    const DatosBando& b = Blancas;
    const DatosBando& n = Negras;
    return b.NumPeones + b.NumCaballos + b.NumAlfiles + b.NumTorres + b.NumDamas + n.NumPeones + n.NumCaballos +
           n.NumAlfiles + n.NumTorres + n.NumDamas + 2;  // and the kings
}

// The tables hold no position where a side may still castle (states 1 to 3).
bool PuedeEnrocar(const TipoTablero& t) {
    return (t.EnroqueBlancas >= 1 && t.EnroqueBlancas <= 3) || (t.EnroqueNegras >= 1 && t.EnroqueNegras <= 3);
}

// The board as the prober wants it; false for a position no table holds (not one king a
// side, a pawn on the first or last rank), which the prober must never be asked about.
bool Convertir(PosicionTb& p) {
    const TipoTablero& t = TableroGlobal;
    for (int s = 0; s < 64; s++) {
        const int pieza = t.Tablero[s];
        if (pieza == VACIA) continue;
        const u64 bit = 1ull << CasillaTb(s);
        if (pieza >= PEON_B && pieza <= REY_B) p.blancas |= bit;
        else if (pieza >= PEON_N && pieza <= REY_N) p.negras |= bit;
        else return false;
        switch (pieza >= PEON_N ? pieza - 7 : pieza) {
            case PEON_B: p.peones |= bit; break;
            case CABALLO_B: p.caballos |= bit; break;
            case ALFIL_B: p.alfiles |= bit; break;
            case TORRE_B: p.torres |= bit; break;
            case DAMA_B: p.damas |= bit; break;
            default: p.reyes |= bit; break;
        }
    }
    if (std::popcount(p.reyes & p.blancas) != 1 || std::popcount(p.reyes & p.negras) != 1) return false;
    if (p.peones & FILAS_EXTREMAS) return false;
    p.blancasMueven = t.Turno == 1;
    // The board keeps the pawn that has just advanced two squares; the prober wants the square
    // behind it, and only when an enemy pawn stands there to be taken.
    const int peon = t.FichaAlPaso;
    if (peon >= 24 && peon < 32 && t.Turno == 1 && t.Tablero[peon] == PEON_N) p.alPaso = unsigned(CasillaTb(peon - 8));
    if (peon >= 32 && peon < 40 && t.Turno == 0 && t.Tablero[peon] == PEON_B) p.alPaso = unsigned(CasillaTb(peon + 8));
    return true;
}

// A position of the reversible plies has occurred twice: the root must then make progress.
bool HayRepeticion() {
    const TipoTablero& t = TableroGlobal;
    int desde = t.NumeroRepeticiones - t.Regla50 - 1;
    if (desde < 0) desde = 0;
    const int hasta = t.NumeroRepeticiones < MAX_REPETICIONES ? t.NumeroRepeticiones : MAX_REPETICIONES;
    for (int i = desde; i < hasta; i++)
        for (int k = i + 1; k < hasta; k++)
            if (t.Repeticiones[i] != 0 && t.Repeticiones[i] == t.Repeticiones[k]) return true;
    return false;
}

// The prober's promotion codes (queen 1, rook 2, bishop 3, knight 4) of a move word.
unsigned CoronacionTb(Jugada j) {
    const int c = Coronacion(j);
    if (c == SIN_PIEZA) return TB_PROMOTES_NONE;
    switch (c >= PEON_N ? c - 7 : c) {
        case DAMA_B: return TB_PROMOTES_QUEEN;
        case TORRE_B: return TB_PROMOTES_ROOK;
        case ALFIL_B: return TB_PROMOTES_BISHOP;
        default: return TB_PROMOTES_KNIGHT;
    }
}

// Ranks at and beyond these win (or lose) inside the fifty-move rule; between them the result
// is decided only beyond it (a cursed win, a blessed loss), and counts as a draw.
constexpr i32 RANGO_GANA = 900, RANGO_PIERDE = -900;

}  // namespace

bool Probar_syzygy(int& puntuacion, int ply) {
    if (Hombres() > tbprobe_Syzygy.HombresSonda || PuedeEnrocar(TableroGlobal)) return false;
    PosicionTb p;
    if (!Convertir(p)) return false;
    const unsigned r = tb_probe_wdl(p.blancas, p.negras, p.reyes, p.damas, p.torres, p.alfiles, p.caballos, p.peones,
                                    0, 0, p.alPaso, p.blancasMueven);
    if (r == TB_RESULT_FAILED) return false;
    AciertosTablas++;
    puntuacion = r == TB_WIN ? VALOR_TB_GANADA - ply : r == TB_LOSS ? ply - VALOR_TB_GANADA : 0;
    return true;
}

bool ClasificarRaizSyzygy(ClasificacionRaiz& c) {
    c.n = 0;
    const TipoTablero& t = TableroGlobal;
    if (tbprobe_Syzygy.HombresSonda == 0 || Hombres() > tbprobe_Syzygy.HombresSonda || PuedeEnrocar(t)) return false;
    PosicionTb p;
    if (!Convertir(p)) return false;
    // A position where the side that has moved stands in check is in no table.
    if (t.Turno == 1 ? JaqueNegras(t.PosicionReyNegro) : JaqueBlancas(t.PosicionReyBlanco)) return false;

    std::lock_guard<std::mutex> cerrojo(CerrojoSyzygy);
    static TbRootMoves raiz;  // large; used only under the lock
    const unsigned regla50 = unsigned(t.Regla50 < REGLA_50_PLIES ? t.Regla50 : REGLA_50_PLIES);
    int ok = tb_probe_root_dtz(p.blancas, p.negras, p.reyes, p.damas, p.torres, p.alfiles, p.caballos, p.peones,
                               regla50, 0, p.alPaso, p.blancasMueven, HayRepeticion(), true, &raiz);
    if (!ok)
        ok = tb_probe_root_wdl(p.blancas, p.negras, p.reyes, p.damas, p.torres, p.alfiles, p.caballos, p.peones,
                               regla50, 0, p.alPaso, p.blancasMueven, true, &raiz);
    if (!ok || raiz.size == 0) return false;

    // Each of the prober's moves as the engine's move word.
    ListaJugadas lista;
    const int total = GenerarMovimientos(GENERAR_TODAS, lista);
    for (unsigned i = 0; i < raiz.size && i < unsigned(MAX_JUGADAS); i++) {
        const TbMove m = raiz.moves[i].move;
        int k = 0;
        while (k < total && !(CasillaTb(Origen(lista[k].Jugada)) == int(TB_MOVE_FROM(m)) &&
                              CasillaTb(Destino(lista[k].Jugada)) == int(TB_MOVE_TO(m)) &&
                              CoronacionTb(lista[k].Jugada) == TB_MOVE_PROMOTES(m)))
            k++;
        if (k == total) {
            c.n = 0;
            return false;
        }
        c.jugadas[c.n] = lista[k].Jugada;
        c.rango[c.n++] = raiz.moves[i].tbRank;
    }
    c.mejorRango = c.rango[0];
    for (int i = 1; i < c.n; i++)
        if (c.rango[i] > c.mejorRango) c.mejorRango = c.rango[i];
    c.resultado = c.mejorRango >= RANGO_GANA ? 1 : (c.mejorRango <= RANGO_PIERDE ? -1 : 0);
    AciertosTablas += u64(c.n);
    return true;
}
