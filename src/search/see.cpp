// Static exchange evaluation: the captures on one square are played out on the real board,
// least valuable attacker first, with a light make/unmake that touches only the squares and
// the two king positions (no key, no piece counts, no undo stack).
#include "search/see.h"

const i32 See_valor[16] = {0, 100, 325, 325, 500, 975, 10000, 0, 100, 325, 325, 500, 975, 10000, 0, 0};

PilaSee SeeMove;

namespace {

constexpr int See_Mov_Ca[8] = {-17, -15, -10, -6, 6, 10, 15, 17};
constexpr int See_Mov_Al[4] = {9, -9, -7, 7};
constexpr int See_Mov_To[4] = {1, -1, -8, 8};
constexpr int See_Mov_Da[8] = {-9, 9, -7, 7, 1, -1, 8, -8};

inline bool EsDiagonal(int d) { return d == 9 || d == -9 || d == 7 || d == -7; }

// A step from `desde` to `hasta` stays on the board and has not wrapped round an edge:
// diagonal steps keep the square colour, knight and orthogonal steps change it.
inline bool PasoValido(int desde, int hasta, bool mismoColor) {
    if (hasta < 0 || hasta > 63) return false;
    const i32* color = TableroGlobal.ColorCasilla;
    return (color[desde] == color[hasta]) == mismoColor;
}

// Makes the capture from `origen` onto `casilla`; kept when legal (its word is returned),
// taken back at once when it leaves the mover's king attacked (0).
inline Jugada Probar(int origen, int casilla, int coronacion) {
    const i32* tab = TableroGlobal.Tablero;
    Jugada j = CrearJugada(origen, casilla, tab[origen], tab[casilla], coronacion);
    if (SeeHacerMovimiento(&j)) return j;
    SeeDeshacerMovimiento();
    return 0;
}

template <bool Blanco>
Jugada SeePeones(int s) {
    const i32* tab = TableroGlobal.Tablero;
    constexpr int peon = Blanco ? PEON_B : PEON_N;
    const int origenes[2] = {Blanco ? s + 7 : s - 7, Blanco ? s + 9 : s - 9};
    // A pawn capturing onto the last rank becomes a queen inside the exchange.
    const bool corona = Blanco ? s < 8 : s >= 56;
    const int coronacion = corona ? (Blanco ? DAMA_B : DAMA_N) : SIN_PIEZA;
    for (int o : origenes) {
        if (!PasoValido(s, o, true) || tab[o] != peon) continue;
        if (Jugada j = Probar(o, s, coronacion)) return j;
    }
    return 0;
}

template <bool Blanco>
Jugada SeeCaballo(int s) {
    const i32* tab = TableroGlobal.Tablero;
    constexpr int caballo = Blanco ? CABALLO_B : CABALLO_N;
    for (int d : See_Mov_Ca) {
        int o = s + d;
        if (!PasoValido(s, o, false) || tab[o] != caballo) continue;
        if (Jugada j = Probar(o, s, SIN_PIEZA)) return j;
    }
    return 0;
}

// Walks from s along each direction over empty squares; the first piece met must be `pieza`.
inline Jugada SeeDeslizador(int s, int pieza, const int* direcciones, int n) {
    const i32* tab = TableroGlobal.Tablero;
    for (int k = 0; k < n; k++) {
        const int d = direcciones[k];
        const bool diagonal = EsDiagonal(d);
        int desde = s;
        for (int t = s + d; PasoValido(desde, t, diagonal); desde = t, t += d) {
            if (tab[t] == VACIA) continue;
            if (tab[t] == pieza)
                if (Jugada j = Probar(t, s, SIN_PIEZA)) return j;
            break;
        }
    }
    return 0;
}

template <bool Blanco>
Jugada SeeAlfil(int s) { return SeeDeslizador(s, Blanco ? ALFIL_B : ALFIL_N, See_Mov_Al, 4); }
template <bool Blanco>
Jugada SeeTorre(int s) { return SeeDeslizador(s, Blanco ? TORRE_B : TORRE_N, See_Mov_To, 4); }
template <bool Blanco>
Jugada SeeDama(int s) { return SeeDeslizador(s, Blanco ? DAMA_B : DAMA_N, See_Mov_Da, 8); }

template <bool Blanco>
Jugada SeeRey(int s) {
    const i32* tab = TableroGlobal.Tablero;
    constexpr int rey = Blanco ? REY_B : REY_N;
    for (int d : See_Mov_Da) {
        int o = s + d;
        if (!PasoValido(s, o, EsDiagonal(d)) || tab[o] != rey) continue;
        if (Jugada j = Probar(o, s, SIN_PIEZA)) return j;
    }
    return 0;
}

template <bool Blanco>
Jugada AtaqueMenor(int s) {
    if (Jugada j = SeePeones<Blanco>(s)) return j;
    if (Jugada j = SeeCaballo<Blanco>(s)) return j;
    if (Jugada j = SeeAlfil<Blanco>(s)) return j;
    if (Jugada j = SeeTorre<Blanco>(s)) return j;
    if (Jugada j = SeeDama<Blanco>(s)) return j;
    return SeeRey<Blanco>(s);
}

}  // namespace

int ValorPieza(int codigo) {
    if (codigo < 0 || codigo == VACIA || codigo > REY_N) {
        Salir = 1;
        return 0;
    }
    return See_valor[codigo];
}

int SeeHacerMovimiento(const Jugada* j) {
    TipoTablero& T = TableroGlobal;
    PilaSee& p = SeeMove;
    p.JugadasSee[p.NumeroJugadasSee++] = {*j, T.PosicionReyBlanco, T.PosicionReyNegro};
    const int o = Origen(*j), d = Destino(*j), pieza = Pieza(*j), cor = Coronacion(*j);
    T.Tablero[d] = cor != SIN_PIEZA ? cor : pieza;
    T.Tablero[o] = VACIA;
    if (pieza == REY_B) T.PosicionReyBlanco = d;
    else if (pieza == REY_N) T.PosicionReyNegro = d;
    return pieza <= REY_B ? !JaqueBlancas(T.PosicionReyBlanco) : !JaqueNegras(T.PosicionReyNegro);
}

void SeeDeshacerMovimiento() {
    TipoTablero& T = TableroGlobal;
    PilaSee& p = SeeMove;
    if (p.NumeroJugadasSee <= 0) return;
    const RegistroSee& r = p.JugadasSee[--p.NumeroJugadasSee];
    const Jugada j = r.Jugada;
    const int o = Origen(j), d = Destino(j), cap = Capturada(j);
    T.Tablero[o] = T.Tablero[d];
    T.Tablero[d] = cap == SIN_PIEZA ? VACIA : cap;
    if (Coronacion(j) != SIN_PIEZA) T.Tablero[o] = Pieza(j) < VACIA ? PEON_B : PEON_N;
    T.PosicionReyBlanco = r.PosicionReyBlanco;
    T.PosicionReyNegro = r.PosicionReyNegro;
}

Jugada Obtener_Ataques_Menores(int casilla, int lado) {
    // Room for one more record: the exchange keeps at most 40 and tries one candidate at a time.
    if (SeeMove.NumeroJugadasSee >= 40) return 0;
    const int victima = TableroGlobal.Tablero[casilla];
    if (lado == 1) return victima > VACIA ? AtaqueMenor<true>(casilla) : 0;
    return victima < VACIA ? AtaqueMenor<false>(casilla) : 0;
}

int See(const Jugada* j, int lado) {
    SeeMove.NumeroJugadasSee = 0;
    const int t = Destino(*j);
    Jugada A[20], B[20];
    int nB = 0;
    for (int i = 0; i < 20; i++) {
        A[i] = Obtener_Ataques_Menores(t, lado);
        if (!A[i]) break;
        B[i] = Obtener_Ataques_Menores(t, 1 - lado);
        if (!B[i]) break;
        nB++;
    }
    // Undo in reverse order; each record also puts the king squares back.
    while (SeeMove.NumeroJugadasSee > 0) SeeDeshacerMovimiento();

    // The list starts with the first move's gain, then one entry per capture (A0, B0, A1, B1 ...);
    // only its first nB + 1 entries are summed.
    const bool captura = Capturada(*j) != SIN_PIEZA;
    if (captura && !A[0]) return ValorPieza(Capturada(*j));
    if (!captura && !A[0]) return 0;
    const int signo = captura ? 1 : -1;
    int suma = captura ? See_valor[Capturada(*j)] : -See_valor[Pieza(*j)];
    for (int k = 1; k <= nB; k++) {
        const Jugada c = (k % 2 == 1) ? A[(k - 1) / 2] : B[(k - 2) / 2];
        const int valor = See_valor[Capturada(c)];
        // After a capture the A entries count negative and the B entries positive; after a
        // quiet move (or en passant) the other way round.
        suma += (k % 2 == 1) ? -signo * valor : signo * valor;
    }
    return suma;
}
