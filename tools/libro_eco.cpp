// libro_eco: builds an opening book for the engine from an ECO classification file in the
// format Debian's scid-data ships (/usr/share/scid/data/scid.eco): entries of a code, a quoted
// name and SAN moves ending with "*". Every SAN move is matched against the engine's own
// legal moves and written in coordinate text.
//
//   libro_eco [-o Book.db] [file.eco]
//
// Without -o the book lines go to standard output, one a line; with -o the table Book
// (column Partida) of that SQLite file is replaced by them. Lines are cut at a whole move to
// at most 100 characters, and before a promotion (a book move has four characters). Repeated
// lines and lines that only begin another line are left out (such a line ends the book when
// the probe picks it), and the rest is shuffled with a fixed seed so that the 15 lines a probe
// fetches are a fair sample rather than the first entries of one ECO code.
//
// Exit status: 0, 1 when some entry had a move that fits no legal move (reported on standard
// error and left out), 2 when the files cannot be read or written.
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "board/legal.h"

namespace {

constexpr const char* ECO_DEBIAN = "/usr/share/scid/data/scid.eco";
constexpr size_t LARGO_MAXIMO = 100;

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
        if (igual + 2 != t.size() || !(s.coronacion = ClasePorLetra(t[igual + 1]))) return false;
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

// Plays the SAN move on the board; its coordinate text goes to `texto`. False when no legal
// move or more than one fits it.
bool JugarSan(const std::string& token, char texto[6]) {
    San s;
    if (!LeerSan(token, s)) return false;
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
    if (encontradas != 1) return false;
    MovimientoCoordenadas(elegida, texto);
    HacerMovimiento(elegida);
    return true;
}

// Move-number prefixes ("12." or "12...") are not moves.
std::string SinNumero(const std::string& t) {
    size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') i++;
    if (i == 0 || i == t.size() || t[i] != '.') return t;
    while (i < t.size() && t[i] == '.') i++;
    return t.substr(i);
}

struct Resultado {
    std::vector<std::string> lineas;
    int entradas = 0, fallidas = 0;
};

Resultado LeerEco(std::istream& entrada) {
    std::string texto, l;
    while (std::getline(entrada, l))
        if (l.empty() || l[0] != '#') texto += l + '\n';

    Resultado r;
    size_t p = 0;
    auto Blancos = [&] { while (p < texto.size() && std::isspace(static_cast<unsigned char>(texto[p]))) p++; };
    auto Palabra = [&] {
        Blancos();
        size_t inicio = p;
        while (p < texto.size() && !std::isspace(static_cast<unsigned char>(texto[p]))) p++;
        return texto.substr(inicio, p - inicio);
    };
    for (;;) {
        std::string codigo = Palabra();
        if (codigo.empty()) break;
        Blancos();
        std::string nombre;
        if (p < texto.size() && texto[p] == '"') {
            size_t fin = texto.find('"', p + 1);
            if (fin == std::string::npos) fin = texto.size() - 1;
            nombre = texto.substr(p + 1, fin - p - 1);
            p = fin + 1;
        }
        r.entradas++;
        LimpiarBandos();
        CargarFen(FEN_INICIAL);
        TableroGlobal.Hash = CalcularHash();
        std::string linea, error;
        bool llena = false;  // the line is cut here; the rest of the entry is still checked
        for (;;) {
            std::string t = Palabra();
            if (t.empty() || t == "*") break;
            bool fin = t.back() == '*';
            if (fin) t.pop_back();
            t = SinNumero(t);
            char jugada[6];
            if (!t.empty() && error.empty()) {
                if (!JugarSan(t, jugada)) {
                    error = t;
                } else if (!llena) {
                    size_t mas = std::strlen(jugada) + (linea.empty() ? 0 : 1);
                    // Book moves have four characters: a promotion ends the line as the
                    // length limit does.
                    if (linea.size() + mas > LARGO_MAXIMO || std::strlen(jugada) != 4) {
                        llena = true;
                    } else {
                        if (!linea.empty()) linea += ' ';
                        linea += jugada;
                    }
                }
            }
            if (fin) break;
        }
        if (!error.empty()) {
            std::fprintf(stderr, "libro_eco: %s \"%s\": jugada no reconocida: %s\n", codigo.c_str(),
                         nombre.c_str(), error.c_str());
            r.fallidas++;
        } else if (!linea.empty()) {
            r.lineas.push_back(linea);
        }
    }
    return r;
}

std::vector<std::string> Depurar(std::vector<std::string> lineas) {
    std::sort(lineas.begin(), lineas.end());
    lineas.erase(std::unique(lineas.begin(), lineas.end()), lineas.end());
    // Sorted, a line that begins another one ("X" before "X ...") is followed by such a line.
    std::vector<std::string> r;
    for (size_t i = 0; i < lineas.size(); i++) {
        const std::string& a = lineas[i];
        if (i + 1 < lineas.size() && lineas[i + 1].compare(0, a.size() + 1, a + " ") == 0) continue;
        r.push_back(a);
    }
    std::mt19937 generador(20110101u);
    for (size_t i = r.size(); i > 1; i--) std::swap(r[i - 1], r[generador() % i]);
    return r;
}

bool EscribirLibro(const char* fichero, const std::vector<std::string>& lineas) {
    sqlite3* db = nullptr;
    sqlite3_stmt* insertar = nullptr;
    bool ok = sqlite3_open_v2(fichero, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, "DROP TABLE IF EXISTS Book; CREATE TABLE Book (Partida TEXT); BEGIN;", nullptr,
                           nullptr, nullptr) == SQLITE_OK &&
              sqlite3_prepare_v2(db, "INSERT INTO Book (Partida) VALUES (?1);", -1, &insertar, nullptr) == SQLITE_OK;
    for (size_t i = 0; ok && i < lineas.size(); i++) {
        ok = sqlite3_bind_text(insertar, 1, lineas[i].c_str(), -1, SQLITE_STATIC) == SQLITE_OK &&
             sqlite3_step(insertar) == SQLITE_DONE && sqlite3_reset(insertar) == SQLITE_OK;
    }
    sqlite3_finalize(insertar);
    ok = ok && sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok) std::fprintf(stderr, "libro_eco: %s: %s\n", fichero, db ? sqlite3_errmsg(db) : "sin memoria");
    sqlite3_close(db);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const char* salida = nullptr;
    const char* eco = ECO_DEBIAN;
    for (int i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "-o") && i + 1 < argc) salida = argv[++i];
        else if (argv[i][0] != '-') eco = argv[i];
        else {
            std::fprintf(stderr, "uso: libro_eco [-o Book.db] [fichero.eco]\n");
            return 2;
        }
    }
    std::ifstream entrada(eco);
    if (!entrada) {
        std::fprintf(stderr, "libro_eco: no se puede leer %s\n", eco);
        return 2;
    }
    LlenarColorCasilla();
    InicializarZobrist();
    Resultado r = LeerEco(entrada);
    std::vector<std::string> lineas = Depurar(r.lineas);
    if (salida) {
        if (!EscribirLibro(salida, lineas)) return 2;
    } else {
        for (const auto& l : lineas) std::printf("%s\n", l.c_str());
    }
    std::fprintf(stderr, "libro_eco: %d entradas, %d no reconocidas, %zu lineas en el libro\n", r.entradas,
                 r.fallidas, lineas.size());
    return r.fallidas ? 1 : 0;
}
