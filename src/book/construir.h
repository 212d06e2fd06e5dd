// Building opening books (the book builder's library): ECO classification files and PGN game
// files are read, their SAN moves matched against the engine's own legal moves, the games
// gathered into a tree of lines with counts, and the table Book written.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "board/board.h"

struct sqlite3;

// A book line holds at most 100 characters: twenty four-character moves and their blanks.
constexpr int PLIES_LINEA_MAXIMO = 20;

// Keeping a move of the games' tree for the book needs its mover to have scored:
enum class FiltroResultado { NINGUNO, GANADOR, GANADOR_O_TABLAS };

struct OpcionesLibro {
    int plies = PLIES_LINEA_MAXIMO;  // longest book line, in plies (1..20)
    int minimoPartidas = 1;          // games that must have played a move
    FiltroResultado filtro = FiltroResultado::NINGUNO;
};

enum class Resultado { BLANCAS, NEGRAS, TABLAS, DESCONOCIDO };

// Games (or ECO entries) read, and those skipped. A malformed one is left out and reported as
// "<file>:<line>: partida <n>: <reason>" to `informar` (the builder's main prints it on
// standard error).
struct Recuento {
    int partidas = 0, erroneas = 0, desdeFen = 0;
    void (*informar)(const std::string& mensaje) = nullptr;
};

// The games' moves as a tree: for every move after every opening sequence, how many games
// played it and how its mover scored in them. Book lines are read from it by cutting each
// line before the first move that fails the filters.
class ArbolPartidas {
public:
    ArbolPartidas();
    // The game's first moves, in coordinate text, and its result.
    void Anadir(const std::vector<std::string>& jugadas, Resultado resultado);
    std::vector<std::string> Lineas(const OpcionesLibro& opciones) const;

private:
    struct Nodo {
        char jugada[4];
        u32 hijo = 0, hermano = 0;  // index of the first child and of the next sibling; 0 = none
        u32 partidas = 0, ganadas = 0, tablas = 0, perdidas = 0;  // won and lost: by the mover
    };
    std::vector<Nodo> nodos_;  // nodos_[0]: the start position
    void Recorrer(u32 nodo, int ply, const OpcionesLibro& opciones, std::string& linea,
                  std::vector<std::string>& lineas) const;
};

// san.cpp
enum class ResultadoSan { JUGADA, NO_RECONOCIDA, ILEGAL, AMBIGUA };
// Plays the SAN move ("Nbd7", "exd6", "O-O", "e8=Q+", "0-0-0") on the board when exactly one
// legal move fits it; its coordinate text goes to `texto`.
ResultadoSan JugarSan(const std::string& san, char texto[6]);

// A read error of an input file (errno's code): LeerPgn and LeerEco throw it, and what they
// read up to it gives no book.
struct ErrorLectura {
    int codigo;
};

// pgn.cpp
// Adds the games of a PGN text that start from the initial position to the tree, each cut to
// `plies` moves and before any promotion; games set up from another position are counted
// and left out.
void LeerPgn(std::FILE* entrada, const std::string& nombre, int plies, ArbolPartidas& arbol, Recuento& recuento);

// eco.cpp
// Adds the lines of an ECO classification file (entries of a code, a quoted name and SAN
// moves ending with "*", as Debian's scid-data ships them) to `lineas`, each cut like a game.
// Malformed entries are reported as PGN games are, with "entrada" for "partida".
void LeerEco(std::FILE* entrada, const std::string& nombre, int plies, std::vector<std::string>& lineas,
             Recuento& recuento);

// escritura.cpp
// The book's rows: without repeated lines and without lines that only begin another line
// (such a line ends the book when a probe picks it), shuffled with a fixed seed so that the
// 15 lines a probe fetches are a fair sample.
std::vector<std::string> DepurarLineas(std::vector<std::string> lineas);
// The book is written into a new file beside it, "<book>.nuevo" (on the same file system, so
// that the rename is atomic), that takes the book's place only when complete: a failed,
// interrupted or killed run leaves an earlier book as it was, and the next run removes what a
// killed one left.
class LibroNuevo {
public:
    explicit LibroNuevo(const std::string& libro) : libro_(libro), nuevo_(libro + ".nuevo") {}
    ~LibroNuevo();  // closes and removes the new file unless it has taken the book's place
    LibroNuevo(const LibroNuevo&) = delete;
    LibroNuevo& operator=(const LibroNuevo&) = delete;
    const std::string& Fichero() const { return nuevo_; }
    // Creates the new file, empty; on failure `error` says why.
    bool Crear(std::string& error);
    // Writes the table Book (column Partida) into it and renames it over the book.
    bool Escribir(const std::vector<std::string>& lineas, std::string& error);

private:
    std::string libro_, nuevo_;
    sqlite3* db_ = nullptr;
    bool creado_ = false, reemplazado_ = false;
    std::string Fallo(const std::string& que) const;
};
