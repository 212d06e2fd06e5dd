// SAN moves matched against the engine's own legal moves.
#include <cctype>
#include <cstring>

#include "board/legal.h"
#include "book/construir.h"

namespace {

int Clase(int pieza) { return pieza > VACIA ? pieza - VACIA : pieza; }

int ClasePorLetra(char c) {
    switch (c) {
        case 'N': return CABALLO_B;
        case 'B': return ALFIL_B;
        case 'R': return TORRE_B;
        case 'Q': return DAMA_B;
        case 'K': return REY_B;
        default: return 0;
    }
}

// One SAN move taken apart; -1 means "not given".
struct San {
    int enroque = 0;  // +2 short, -2 long
    int clase = PEON_B;
    int columna = -1, fila = -1;  // of the origin square
    int destino = -1;
    int coronacion = 0;
    bool captura = false;
};

bool LeerSan(std::string t, San& s) {
    while (!t.empty() && std::strchr("+#!?", t.back())) t.pop_back();
    if (t == "O-O" || t == "0-0") return s.enroque = 2, true;
    if (t == "O-O-O" || t == "0-0-0") return s.enroque = -2, true;
    size_t i = 0;
    if (!t.empty() && ClasePorLetra(t[0])) s.clase = ClasePorLetra(t[i++]);
    size_t igual = t.find('=');
    if (igual != std::string::npos) {
        // Some programs write the promoted piece in lower case after the "=".
        char letra = igual + 1 < t.size() ? char(std::toupper(static_cast<unsigned char>(t[igual + 1]))) : 0;
        if (igual + 2 != t.size() || !(s.coronacion = ClasePorLetra(letra))) return false;
        t.resize(igual);
    } else if (s.clase == PEON_B && t.size() > 2 && ClasePorLetra(t.back())) {
        s.coronacion = ClasePorLetra(t.back());
        t.pop_back();
    }
    if (t.size() < i + 2) return false;
    char c = t[t.size() - 2], f = t[t.size() - 1];
    if (c < 'a' || c > 'h' || f < '1' || f > '8') return false;
    s.destino = ('8' - f) * 8 + (c - 'a');
    for (size_t k = i; k + 2 < t.size(); k++) {
        if (t[k] == 'x') s.captura = true;
        else if (t[k] >= 'a' && t[k] <= 'h') s.columna = t[k] - 'a';
        else if (t[k] >= '1' && t[k] <= '8') s.fila = '8' - t[k];
        else return false;
    }
    return true;
}

bool Coincide(Jugada j, const San& s) {
    if (s.enroque) return Enroque(j) && Destino(j) - Origen(j) == s.enroque;
    if (Enroque(j) || Clase(Pieza(j)) != s.clase || Destino(j) != s.destino) return false;
    if (s.columna >= 0 && Origen(j) % 8 != s.columna) return false;
    if (s.fila >= 0 && Origen(j) / 8 != s.fila) return false;
    // Some ECO entries leave out the "x" of a piece capture (the target square tells it
    // anyway); a pawn without "x" must push straight on.
    bool captura = Capturada(j) != SIN_PIEZA || AlPaso(j);
    if (s.captura && !captura) return false;
    if (!s.captura && s.clase == PEON_B && Origen(j) % 8 != s.destino % 8) return false;
    int corona = Coronacion(j) == SIN_PIEZA ? 0 : Clase(Coronacion(j));
    return corona == s.coronacion;
}

}  // namespace

ResultadoSan JugarSan(const std::string& token, char texto[6]) {
    San s;
    if (!LeerSan(token, s)) return ResultadoSan::NO_RECONOCIDA;
    // Games are longer than the undo stack: every move is played as the first of a search.
    TableroGlobal.Ply = 0;
    ListaJugadas lista;
    const int n = GenerarLegales(lista);
    Jugada elegida = 0;
    int encontradas = 0;
    for (int i = 0; i < n; i++) {
        if (!Coincide(lista[i].Jugada, s)) continue;
        elegida = lista[i].Jugada;
        encontradas++;
    }
    if (encontradas != 1) return encontradas ? ResultadoSan::AMBIGUA : ResultadoSan::ILEGAL;
    MovimientoCoordenadas(elegida, texto);
    HacerMovimiento(elegida);
    return ResultadoSan::JUGADA;
}
