// Static exchange evaluation: the captures on one square are played out on the real board,
// least valuable attacker first, with a light make/unmake that touches only the squares and
// the two king positions (no key, no piece counts, no undo stack).
#include "search/see.h"

#include "board/geometry.h"

const i32 See_valor[16] = {0, 100, 325, 325, 500, 975, 10000, 0, 100, 325, 325, 500, 975, 10000, 0, 0};

POR_HILO PilaSee SeeMove;

namespace {

// Directions of the exchange, tried as listed so that the first legal capture found is always
// the same: bishop, rook and queen (and king) lines. Knights are tried in the order of their
// jumps -17, -15, -10, -6, 6, 10, 15, 17, that is from the lowest origin square up.
constexpr int See_Mov_Al[4] = {9, -9, -7, 7};
constexpr int See_Mov_To[4] = {1, -1, -8, 8};
constexpr int See_Mov_Da[8] = {-9, 9, -7, 7, 1, -1, 8, -8};

// Makes the capture from `origen` onto `casilla`; kept when legal (its word is returned),
// taken back at once when it leaves the mover's king attacked (0).
inline Jugada Probar(int origen, int casilla, int coronacion) {
    const i32* tab = TableroGlobal.Tablero;
    Jugada j = CrearJugada(origen, casilla, tab[origen], tab[casilla], coronacion);
    if (SeeHacerMovimiento(&j)) return j;
    SeeDeshacerMovimiento();
    return 0;
}

// Tries the lines of `direcciones` in order: the first man met along the line must be
// `pieza`. Lines that hold no such man are passed over without looking for their first man.
template <int N>
inline Jugada SeeDeslizador(int s, int pieza, const int (&direcciones)[N], u64 ocupadas) {
    const i32* tab = TableroGlobal.Tablero;
    const u64 piezas = TableroGlobal.Casillas[pieza];
    for (int d : direcciones) {
        const int dir = IndiceDireccion(d);
        if (!(GEOMETRIA.rayo[dir][s] & piezas)) continue;
        const int t = PrimeraOcupada(ocupadas, s, dir);  // not -1: the line holds such a man
        if (tab[t] == pieza)
            if (Jugada j = Probar(t, s, SIN_PIEZA)) return j;
    }
    return 0;
}

// Pawns (from s + 7 and s + 9 for White, s - 7 and s - 9 for Black), knights, bishops, rooks,
// queens, the king: the first legal capture onto s. A candidate found illegal is taken back
// before the next is tried, so the board is the same for every candidate.
template <bool Blanco>
Jugada AtaqueMenor(int s) {
    const i32* tab = TableroGlobal.Tablero;
    const u64* casillas = TableroGlobal.Casillas;
    // The captures kept so far are made on the board, so its square sets show their origins
    // emptied.
    const u64 ocupadas = ~casillas[VACIA];
    constexpr int peon = Blanco ? PEON_B : PEON_N;
    constexpr int caballo = Blanco ? CABALLO_B : CABALLO_N;
    constexpr int rey = Blanco ? REY_B : REY_N;

    // A pawn capturing onto the last rank becomes a queen inside the exchange.
    const int coronacion = (Blanco ? s < 8 : s >= 56) ? (Blanco ? DAMA_B : DAMA_N) : SIN_PIEZA;
    constexpr int dirPeon[2] = {Blanco ? DIR_P7 : DIR_M7, Blanco ? DIR_P9 : DIR_M9};
    for (int dir : dirPeon) {
        if (GEOMETRIA.largo[s][dir] == 0) continue;
        const int o = s + PASO_DIRECCION[dir];
        if (tab[o] == peon)
            if (Jugada j = Probar(o, s, coronacion)) return j;
    }

    for (u64 caballos = GEOMETRIA.saltosCaballo[s] & casillas[caballo]; caballos; caballos &= caballos - 1)
        if (Jugada j = Probar(__builtin_ctzll(caballos), s, SIN_PIEZA)) return j;

    if (Jugada j = SeeDeslizador(s, Blanco ? ALFIL_B : ALFIL_N, See_Mov_Al, ocupadas)) return j;
    if (Jugada j = SeeDeslizador(s, Blanco ? TORRE_B : TORRE_N, See_Mov_To, ocupadas)) return j;
    if (Jugada j = SeeDeslizador(s, Blanco ? DAMA_B : DAMA_N, See_Mov_Da, ocupadas)) return j;
    if (!(GEOMETRIA.pasosRey[s] & casillas[rey])) return 0;
    for (int d : See_Mov_Da) {
        const int dir = IndiceDireccion(d);
        if (GEOMETRIA.largo[s][dir] && tab[s + d] == rey)
            if (Jugada j = Probar(s + d, s, SIN_PIEZA)) return j;
    }
    return 0;
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
    PonerCasilla(T, d, cor != SIN_PIEZA ? cor : pieza);
    PonerCasilla(T, o, VACIA);
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
    PonerCasilla(T, o, T.Tablero[d]);
    PonerCasilla(T, d, cap == SIN_PIEZA ? VACIA : cap);
    if (Coronacion(j) != SIN_PIEZA) PonerCasilla(T, o, Pieza(j) < VACIA ? PEON_B : PEON_N);
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
    // Undo in reverse order; each record also restores the king squares.
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
