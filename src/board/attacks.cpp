// Is a square attacked? Answered from the board's square sets: knights, kings and pawns by
// their target sets, sliders by the first man on each line that holds one of them.
#include "board/geometry.h"

namespace {

// Attacker codes for each colour; Blanco = true looks for White's pieces.
template <bool Blanco>
struct Atacante {
    static constexpr int Peon = Blanco ? PEON_B : PEON_N;
    static constexpr int Caballo = Blanco ? CABALLO_B : CABALLO_N;
    static constexpr int Alfil = Blanco ? ALFIL_B : ALFIL_N;
    static constexpr int Torre = Blanco ? TORRE_B : TORRE_N;
    static constexpr int Dama = Blanco ? DAMA_B : DAMA_N;
    static constexpr int Rey = Blanco ? REY_B : REY_N;
};

// Is the first man along direction dir from s one of `deslizadores`? Most lines hold none of
// them, and then no first man needs finding.
template <int dir>
inline bool PrimeroEntre(u64 ocupadas, int s, u64 deslizadores) {
    if (!(GEOMETRIA.rayo[dir][s] & deslizadores)) return false;
    return (deslizadores >> PrimeraOcupada(ocupadas, s, dir)) & 1;  // the line is not empty
}

template <bool Blanco>
inline int Atacada(int s) {
    using A = Atacante<Blanco>;
    const u64* c = TableroGlobal.Casillas;
    const TablasGeometria& g = GEOMETRIA;
    // A white pawn takes towards lower squares: it attacks s from the squares a black pawn on s
    // would take, and the other way round.
    const u64 peones = g.capturasPeon[Blanco ? 0 : 1][s] & c[A::Peon];
    if ((g.saltosCaballo[s] & c[A::Caballo]) | (g.pasosRey[s] & c[A::Rey]) | peones) return 1;
    const u64 ocupadas = ~c[VACIA];
    const u64 diagonal = c[A::Alfil] | c[A::Dama], recta = c[A::Torre] | c[A::Dama];
    if (g.diagonales[s] & diagonal) {
        if (PrimeroEntre<DIR_P9>(ocupadas, s, diagonal) || PrimeroEntre<DIR_P7>(ocupadas, s, diagonal) ||
            PrimeroEntre<DIR_M7>(ocupadas, s, diagonal) || PrimeroEntre<DIR_M9>(ocupadas, s, diagonal))
            return 1;
    }
    if (g.lineas[s] & recta) {
        if (PrimeroEntre<DIR_P8>(ocupadas, s, recta) || PrimeroEntre<DIR_M8>(ocupadas, s, recta) ||
            PrimeroEntre<DIR_M1>(ocupadas, s, recta) || PrimeroEntre<DIR_P1>(ocupadas, s, recta))
            return 1;
    }
    return 0;
}

// A slider of the colour that attacks along direction dir: bishop or queen on a diagonal,
// rook or queen on a file or rank.
template <bool Blanco>
inline bool DeslizaPor(int c, int dir) {
    using A = Atacante<Blanco>;
    return c == (EsDiagonal(dir) ? A::Alfil : A::Torre) || c == A::Dama;
}

// Does the man with code c on square desde attack square s? Only men of the colour count.
template <bool Blanco>
inline bool AtacaDesde(int c, int desde, int s) {
    using A = Atacante<Blanco>;
    if (c == A::Caballo) return (GEOMETRIA.saltosCaballo[s] >> desde) & 1;
    const int dir = GEOMETRIA.direccion[s][desde];
    if (dir < 0) return false;
    const bool vecina = desde == s + PASO_DIRECCION[dir];
    if (c == A::Rey) return vecina;
    // A white pawn attacks s from s + 7 and s + 9, a black one from s - 7 and s - 9.
    if (c == A::Peon) return vecina && EsDiagonal(dir) && (Blanco ? desde > s : desde < s);
    return DeslizaPor<Blanco>(c, dir) && PrimeraCasilla(s, dir) == desde;
}

// Is the king on `rey` attacked once j has been made, knowing it was not before? Then only
// the man now on the destination, or a slider behind the vacated origin, can attack it.
template <bool Blanco>
inline int DaJaqueA(Jugada j, int rey) {
    const i32* tab = TableroGlobal.Tablero;
    const int o = Origen(j), d = Destino(j);
    if (AtacaDesde<Blanco>(tab[d], d, rey)) return 1;
    const int dir = GEOMETRIA.direccion[rey][o];
    if (dir < 0) return 0;
    const int t = PrimeraCasilla(rey, dir);
    return t >= 0 && DeslizaPor<Blanco>(tab[t], dir);
}

// The men of the colour attacking the king on `rey`: the same tests as Atacada, but every
// attacker is counted and the squares that would answer its check are collected.
template <bool Blanco>
inline InfoJaque Jaques(int rey) {
    using A = Atacante<Blanco>;
    const i32* tab = TableroGlobal.Tablero;
    const u64 caballos = GEOMETRIA.saltosCaballo[rey] & TableroGlobal.Casillas[A::Caballo];
    InfoJaque info{0, caballos};
    for (u64 b = caballos; b; b &= b - 1) info.atacantes++;
    for (int dir = 0; dir < 8; dir++) {
        const int t = PrimeraCasilla(rey, dir);
        if (t < 0) continue;
        const int c = tab[t];
        const bool vecina = t == rey + PASO_DIRECCION[dir];
        const bool peon = EsDiagonal(dir) && (Blanco ? t > rey : t < rey) && c == A::Peon;
        if (!DeslizaPor<Blanco>(c, dir) && !(vecina && (c == A::Rey || peon))) continue;
        info.atacantes++;
        for (int k = rey + PASO_DIRECCION[dir];; k += PASO_DIRECCION[dir]) {
            info.respuestas |= u64(1) << k;
            if (k == t) break;
        }
    }
    return info;
}

// Is the line from s along dir clear up to `hasta` (exclusive), counting `vacia` as empty?
inline bool LineaLibre(int s, int dir, int hasta, int vacia) {
    int t = PrimeraCasilla(s, dir);
    if (t == vacia) t = PrimeraCasilla(vacia, dir);
    return t < 0 || t == hasta || GEOMETRIA.direccion[hasta][t] == dir;
}

// Before j is made by the colour `Blanco`: can it give check to the king on `rey`? False only
// when it surely cannot: the man's new square does not reach the king, and no slider of ours
// stands behind the origin on a line to the king.
template <bool Blanco>
inline bool PuedeDarJaqueA(Jugada j, int rey) {
    using A = Atacante<Blanco>;
    const i32* tab = TableroGlobal.Tablero;
    const int o = Origen(j), d = Destino(j);
    const int dir = GEOMETRIA.direccion[rey][o];
    if (dir >= 0 && PrimeraCasilla(rey, dir) == o) {
        const int t = PrimeraCasilla(o, dir);
        if (t >= 0 && DeslizaPor<Blanco>(tab[t], dir)) return true;
    }
    const int c = tab[o];
    if (c == A::Caballo) return (GEOMETRIA.saltosCaballo[rey] >> d) & 1;
    const int dirD = GEOMETRIA.direccion[rey][d];
    if (dirD < 0) return false;
    const bool vecina = d == rey + PASO_DIRECCION[dirD];
    if (c == A::Rey) return vecina;
    if (c == A::Peon) return vecina && EsDiagonal(dirD) && (Blanco ? d > rey : d < rey);
    return DeslizaPor<Blanco>(c, dirD) && LineaLibre(rey, dirD, d, o);
}

}  // namespace

InfoJaque AnalizarJaque() {
    const TipoTablero& T = TableroGlobal;
    if (T.Turno == 1) return Jaques<false>(T.PosicionReyBlanco);
    if (T.Turno == 0) return Jaques<true>(T.PosicionReyNegro);
    return InfoJaque{0, 0};
}

int JaqueBlancas(int casilla) { return Atacada<false>(casilla); }
int JaqueNegras(int casilla) { return Atacada<true>(casilla); }

int Jaque2(int casilla) {
    if (TableroGlobal.Turno == 0) return JaqueNegras(casilla);
    if (TableroGlobal.Turno == 1) return JaqueBlancas(casilla);
    Salir = 1;
    return 0;
}

bool BandoEnJaque() {
    const TipoTablero& T = TableroGlobal;
    if (T.Turno == 1) return JaqueBlancas(T.PosicionReyBlanco);
    if (T.Turno == 0) return JaqueNegras(T.PosicionReyNegro);
    Salir = 1;
    return false;
}

int DaJaque(Jugada j) {
    const TipoTablero& T = TableroGlobal;
    int jaque;
    if (T.Turno == 1) {
        const int rey = T.PosicionReyBlanco;
        jaque = Enroque(j) || AlPaso(j) ? JaqueBlancas(rey) : DaJaqueA<false>(j, rey);
        COMPROBAR(jaque == JaqueBlancas(T.PosicionReyBlanco));
    } else if (T.Turno == 0) {
        const int rey = T.PosicionReyNegro;
        jaque = Enroque(j) || AlPaso(j) ? JaqueNegras(rey) : DaJaqueA<true>(j, rey);
        COMPROBAR(jaque == JaqueNegras(T.PosicionReyNegro));
    } else {
        Salir = 1;
        jaque = 0;
    }
    return jaque;
}

int ReyExpuesto(int rey, int origen, bool reyBlanco) {
    const int dir = GEOMETRIA.direccion[rey][origen];
    if (dir < 0) return 0;
    const i32* tab = TableroGlobal.Tablero;
    const int t = PrimeraCasilla(rey, dir);
    if (t < 0) return 0;
    return reyBlanco ? DeslizaPor<false>(tab[t], dir) : DeslizaPor<true>(tab[t], dir);
}

int LegalSinHacer(Jugada j) {
    const TipoTablero& T = TableroGlobal;
    const i32* tab = T.Tablero;
    const bool blancas = T.Turno == 1;
    const int rey = blancas ? T.PosicionReyBlanco : T.PosicionReyNegro;
    const int o = Origen(j), d = Destino(j);
    int legal = 1;
    const int dir = GEOMETRIA.direccion[rey][o];
    // Only a man standing first on a line from the king, with an enemy slider right behind
    // him, is pinned; he may still move along that line (up to taking the slider).
    if (dir >= 0 && PrimeraCasilla(rey, dir) == o) {
        const int t = PrimeraCasilla(o, dir);
        const bool clavada =
            t >= 0 && (blancas ? DeslizaPor<false>(tab[t], dir) : DeslizaPor<true>(tab[t], dir));
        if (clavada) legal = GEOMETRIA.direccion[rey][d] == dir && (d == t || GEOMETRIA.direccion[d][t] == dir);
    }
#ifdef VEMSUL_CHECK_BOARD
    assert(HacerMovimiento(j) == legal);
    DeshacerMovimiento();
#endif
    return legal;
}

bool PuedeDarJaque(Jugada j) {
    const TipoTablero& T = TableroGlobal;
    if (Enroque(j) || AlPaso(j) || Coronacion(j) != SIN_PIEZA) return true;
    const bool puede =
        T.Turno == 1 ? PuedeDarJaqueA<true>(j, T.PosicionReyNegro) : PuedeDarJaqueA<false>(j, T.PosicionReyBlanco);
#ifdef VEMSUL_CHECK_BOARD
    if (!puede) {
        if (HacerMovimiento(j))
            assert(!(T.Turno == 1 ? JaqueBlancas(T.PosicionReyBlanco) : JaqueNegras(T.PosicionReyNegro)));
        DeshacerMovimiento();
    }
#endif
    return puede;
}
