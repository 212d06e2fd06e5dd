// The book builder (vemsul-libro) through its binary: ECO entries and PGN games with known
// coordinate moves, the line filters, PGN written by other programs, malformed input, and the
// failures that must keep an earlier book. Then the default book the build makes with it from
// Debian's ECO lines.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>

#include "book_files.h"
#include "support/engine_process.h"

namespace {

const std::string PARTIDAS = std::string(VEMSUL_SOURCE_DIR) + "/tests/book/partidas/";

std::string Leer(const std::string& fichero) {
    std::ifstream f(fichero, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

struct Ejecucion {
    int estado = -5;
    std::vector<std::string> orden;  // standard output: the book lines, in their order
    std::set<std::string> lineas;    // the same
    std::string mensajes;            // standard error
};

// Runs the builder in `dir`, after the shell commands of `antes`.
Ejecucion Construir(std::vector<std::string> argumentos, const std::string& dir = "", const std::string& antes = "") {
    DirectorioTemporal errores;
    const std::string fichero = errores.Fichero("stderr");
    argumentos.insert(argumentos.begin(), {"-c", antes + "exec \"$0\" \"$@\" 2>" + fichero, VEMSUL_LIBRO});
    ProcesoMotor herramienta(argumentos, dir, "/bin/sh");
    herramienta.CerrarEntrada();
    Ejecucion e;
    e.orden = herramienta.LeerTodo();
    e.lineas.insert(e.orden.begin(), e.orden.end());
    e.estado = herramienta.Esperar();
    e.mensajes = Leer(fichero);
    return e;
}

std::string Escribir(const DirectorioTemporal& dir, const std::string& nombre, const std::string& texto) {
    std::ofstream(dir.Fichero(nombre), std::ios::binary) << texto;
    return dir.Fichero(nombre);
}

}  // namespace

TEST(LibroEco, ConvertsSanToCoordinateMoves) {
    // The two bad entries are reported and left out; -k writes the book all the same.
    const Ejecucion e = Construir({"-k", PARTIDAS + "prueba.eco"});
    EXPECT_EQ(e.estado, 1);
    EXPECT_NE(e.mensajes.find("prueba.eco:15: entrada 11: X08 \"Illegal\": jugada 2.Ke3 ilegal"), std::string::npos)
        << e.mensajes;
    EXPECT_NE(e.mensajes.find("entrada 12: X09 \"Ambiguous\": jugada 3.Nd2 ambigua"), std::string::npos);
    std::string vuelta = "g1f3 g8f6 f3g1 f6g8";
    std::string larga = vuelta;
    for (int i = 0; i < 4; i++) larga += " " + vuelta;  // 20 moves, 99 characters
    std::set<std::string> esperadas = {
        "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 g8f6",
        "d2d4 d7d5 b1c3 b8c6 c1f4 c8f5 d1d2 d8d7 e1c1 e8c8",
        "d2d3 d7d6 b1d2 b8d7 g1f3 g8f6 f3d4 e7e6 d2f3",
        "e2e4 g8f6 e4e5 d7d5 e5d6 d8d6 d2d4 d6b4 c1d2 b4b2",
        "e2e4 e7e6 d2d4 d7d5 b1d2 c7c5 e4d5 e6d5 g1f3 g8f6 f1b5 c8d7 b5d7 b8d7",
        "h2h4 g7g5 h4g5 h7h6 g5h6 f8g7 h6g7 g8f6",
        larga,
    };
    EXPECT_EQ(e.lineas, esperadas);
    EXPECT_EQ(e.orden.size(), esperadas.size()) << "repeated lines are written once";
}

TEST(LibroPgn, ReadsTheGamesIntoCoordinateLines) {
    const Ejecucion e = Construir({PARTIDAS + "prueba.pgn"});
    EXPECT_EQ(e.estado, 0) << e.mensajes;
    EXPECT_EQ(e.lineas, (std::set<std::string>{
                            "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1 f8e7 f1e1 b7b5 a4b3 d7d6 c2c3 e8g8 h2h3 c6b8 d2d4 b8d7",
                            "e2e4 g8f6 e4e5 d7d5 e5d6 d8d6 d2d4 d6b4 c1d2 b4b2",
                            "h2h4 g7g5 h4g5 h7h6 g5h6 f8g7 h6g7 g8f6",
                            "a2a4 b7b5 a4b5 a7a6 b5a6 c8b7 a6b7 b8c6",
                            "f2f3 e7e5 g2g4 d8h4",
                            "d2d4 d7d5 b1c3 b8c6 c1f4 c8f5 d1d2 d8d7 e1c1 e8c8",
                            "c2c4 e7e5",
                        }));
    EXPECT_NE(e.mensajes.find("8 partidas (0 erroneas, 1 desde otra posicion)"), std::string::npos) << e.mensajes;
}

// Each line is cut before the first move that fails a filter: too few games played it after
// the same moves, or its mover scored too little with it.
TEST(LibroPgn, Filters) {
    DirectorioTemporal dir;
    const std::string pgn = Escribir(dir, "filtros.pgn",
                                     "1. e4 e5 2. Nf3 Nc6 1-0\n1. e4 e5 2. Nf3 Nf6 0-1\n1. e4 c5 2. Nf3 d6 1/2-1/2\n"
                                     "1. d4 d5 2. c4 e6 1-0\n1. e4 e5 2. Bc4 Nf6 *\n");
    const std::vector<std::pair<std::vector<std::string>, std::set<std::string>>> casos = {
        {{}, {"e2e4 e7e5 g1f3 b8c6", "e2e4 e7e5 g1f3 g8f6", "e2e4 e7e5 f1c4 g8f6", "e2e4 c7c5 g1f3 d7d6",
              "d2d4 d7d5 c2c4 e7e6"}},
        {{"-p", "3"}, {"e2e4 e7e5 g1f3", "e2e4 e7e5 f1c4", "e2e4 c7c5 g1f3", "d2d4 d7d5 c2c4"}},
        {{"-n", "2"}, {"e2e4 e7e5 g1f3"}},
        {{"-g"}, {"d2d4"}},
        // A draw is half a point for each side; an unknown result ("*") counts for neither.
        {{"-t"}, {"e2e4 e7e5 g1f3 g8f6", "e2e4 c7c5 g1f3 d7d6", "d2d4"}},
        {{"-t", "-n", "2"}, {"e2e4 e7e5 g1f3"}},
    };
    for (auto [argumentos, esperadas] : casos) {
        argumentos.push_back(pgn);
        const Ejecucion e = Construir(argumentos);
        EXPECT_EQ(e.estado, 0) << e.mensajes;
        EXPECT_EQ(e.lineas, esperadas) << argumentos[0];
    }
}

// Games saved by cutechess-cli (stockfish against itself, one from a FEN) and by xboard
// (fairymax against stockfish): a book that "book" finds clean (playing from a book is the
// probe tests' business).
TEST(LibroPgn, GamesWrittenByOtherPrograms) {
    DirectorioTemporal dir;
    for (const std::string programa : {"cutechess", "xboard"}) {
        const Ejecucion e = Construir({"-o", dir.Fichero("Book.db"), PARTIDAS + programa + ".pgn"});
        ASSERT_EQ(e.estado, 0) << e.mensajes;
        EXPECT_EQ(Sesion({"book"}, dir.Ruta()),
                  (std::vector<std::string>{"Analizando libro de aperturas...", "Libro de apertura correcto."}))
            << programa;
    }
    EXPECT_EQ(FilasLibro(dir.Fichero("Book.db")), 2) << "one line for each of xboard's two games";
}

// Malformed input (PGN and ECO alike) is reported with its file, line and game or entry
// number, its texts escaped and cut; without -k no book is written and an earlier book stays
// as it was (-k writes the good games' book: LibroEco above).
TEST(Libro, MalformedInput) {
    DirectorioTemporal dir;
    const std::string bueno = "[Event \"good\"]\n1. d4 d5 *\n\n", eco = "A00 \"a\" 1.e4 e5 *\n";
    const std::vector<std::tuple<std::string, std::string, std::string>> casos = {
        {"x.pgn", bueno + "1. e4 e5\n2. Ke3 1-0\n", "x.pgn:5: partida 2: jugada 2.Ke3 ilegal"},
        {"x.pgn", bueno + "1. d4 d5 2. Nf3 Nf6 3. Nd2 *", "partida 2: jugada 3.Nd2 ambigua"},
        {"x.pgn", bueno + "1. e4 e5 2. Qh5 Nc6 3. Bc4", "x.pgn:4: partida 2: falta el resultado al final del fichero"},
        {"x.pgn", bueno + "1. e4 {never closed\ne5 1-0\n", "x.pgn:4: partida 2: comentario sin cerrar"},
        {"x.pgn", "1. e4 } e5 1-0\n", "partida 1: '}' sin '{'"},
        {"x.pgn", "1. e4 (1. d4 d5 1-0\n", "partida 1: variante sin cerrar"},
        {"x.pgn", "1. e4 " + std::string(100000, 'e') + " e5 1-0\n",
         "partida 1: simbolo de 100000 caracteres: " + std::string(60, 'e') + "...\n"},
        {"x.pgn", "[Event \"\x1b]0;\\\\\x9b\xc5\x90" + std::string(300, 'x') + "\"]\n1. e4 1-0\n",
         "partida 1: etiqueta de mas de 255 caracteres: \\x1B]0;\\\\\\x9B\xc5\x90" + std::string(53, 'x') + "...\n"},
        {"x.pgn", bueno + "1. e4 e" + '\0' + "5 1-0\n", "partida 2: byte nulo"},
        {"x.pgn", "1. e4 e5 2. Nf3\xC2\xBD 1-0\n", "partida 1: caracter no valido 0xC2"},
        {"x.eco", eco + "A01 \"b\" 1.d4 d5", "x.eco:2: entrada 2: A01 \"b\": falta '*' al final del fichero"},
        {"x.eco", "A00 \"a 1.e4 e5 *\n" + eco, "x.eco:1: entrada 1: A00: nombre sin cerrar"},
        {"x.eco", eco + "A01 1.d4 *\n", "entrada 2: A01: falta el nombre entre comillas"},
    };
    for (const auto& [nombre, texto, mensaje] : casos) {
        CrearLibro(dir.Fichero("Book.db"), {"e2e4 e7e5"});
        Escribir(dir, nombre, texto);
        const Ejecucion e = Construir({"-o", "Book.db", nombre}, dir.Ruta());
        EXPECT_EQ(e.estado, 1) << mensaje;
        EXPECT_NE(e.mensajes.find(mensaje), std::string::npos) << e.mensajes;
        EXPECT_EQ(LineasLibro(dir.Fichero("Book.db")), std::vector<std::string>{"e2e4 e7e5"}) << mensaje;
        EXPECT_FALSE(std::filesystem::exists(dir.Fichero("Book.db.nuevo")));
    }
}

// A file that cannot be read or written, a book that is an input under another name, no game
// at all, an interruption: a one-line message, status 2 (1 for no game), the earlier book and
// the inputs byte for byte, and no new book left behind but after SIGKILL, until the next run.
TEST(Libro, FailuresKeepTheEarlierBook) {
    DirectorioTemporal dir;
    const std::string partidas = Escribir(dir, "g.pgn", "1. e4 e5 *\n");
    Escribir(dir, "malo.pgn", "1. Ke2 *\n");
    Escribir(dir, "vacio.pgn", "");
    Escribir(dir, "fen.pgn", "[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n1. Kb1 *\n");
    mkfifo(dir.Fichero("fifo").c_str(), 0600);
    CrearLibro(dir.Fichero("Book.db"), {"d2d4 d7d5"});
    const std::string libro = Leer(dir.Fichero("Book.db")), pgn = Leer(partidas);
    const auto comprobar = [&](const std::string& caso, bool restos = false) {
        EXPECT_EQ(Leer(dir.Fichero("Book.db")), libro) << caso;
        EXPECT_EQ(Leer(partidas), pgn) << caso;
        EXPECT_EQ(std::filesystem::exists(dir.Fichero("Book.db.nuevo")), restos) << caso;
    };
    const std::string full = "exec >/dev/full; ", sinCambio = "; Book.db no ha cambiado\n";
    const std::vector<std::tuple<std::string, std::vector<std::string>, int, std::string>> casos = {
        {"", {"-o", "Book.db", "."}, 2, "no se puede leer .: Is a directory" + sinCambio},
        {"", {"-o", "Book.db", "g.pgn", "/proc/self/mem"}, 2, "no se puede leer /proc/self/mem: Input/output error"},
        {"", {"-o", "Book.db", std::string(70, 'd') + "\x1b.pgn"}, 2,
         "no se puede leer ..." + std::string(55, 'd') + "\\x1B.pgn: No such file or directory" + sinCambio},
        {"ulimit -f 2; ", {"-o", "Book.db", "g.pgn"}, 2, "no se puede escribir Book.db.nuevo: "},
        {"", {"-o", "no/Book.db", "g.pgn"}, 2, "no se puede crear no/Book.db.nuevo: unable to open database file"},
        {full, {"g.pgn"}, 2, "no se puede escribir la salida estandar: No space left on device\n"},
        {"ln -f g.pgn h.pgn; ", {"-o", "h.pgn", "g.pgn"}, 2, "no se puede escribir h.pgn: es el fichero de entrada g.pgn"},
        {"ln -sf g.pgn s.pgn; ", {"-o", "s.pgn", "g.pgn"}, 2, "no se puede escribir s.pgn: es el fichero de entrada"},
        {"", {"-o", "Book.db", "Book.db.nuevo"}, 2, "no se puede escribir Book.db.nuevo: es el fichero de entrada"},
        {"", {"-o", "Book.db", "vacio.pgn", "fen.pgn"}, 1, "libro no escrito: ninguna partida da una linea" + sinCambio},
    };
    for (const auto& [antes, argumentos, estado, mensaje] : casos) {
        const Ejecucion e = Construir(argumentos, dir.Ruta(), antes);
        EXPECT_EQ(e.estado, estado) << mensaje;
        EXPECT_NE(e.mensajes.find("vemsul-libro: " + mensaje), std::string::npos) << e.mensajes;
        comprobar(mensaje);
    }
    // Interrupted while it waits for a FIFO to be written, after its first input: the new book
    // exists by then.
    for (int senal : {SIGINT, SIGTERM, SIGKILL}) {
        ProcesoMotor p({"-c", "exec \"$0\" \"$@\" 2>&1", VEMSUL_LIBRO, "-o", "Book.db", "malo.pgn", "fifo"}, dir.Ruta(),
                       "/bin/sh");
        std::string linea;
        ASSERT_TRUE(p.LeerLinea(linea)) << senal;
        EXPECT_TRUE(std::filesystem::exists(dir.Fichero("Book.db.nuevo")));
        kill(p.Pid(), senal);
        const std::vector<std::string> aviso = {"vemsul-libro: interrumpido; Book.db no ha cambiado"};
        EXPECT_EQ(p.LeerTodo(), senal == SIGKILL ? std::vector<std::string>{} : aviso);
        EXPECT_EQ(p.Esperar(), senal == SIGKILL ? -1 : 2);
        comprobar(std::to_string(senal), senal == SIGKILL);
    }
    // What a run killed while writing leaves (a table Book already there) goes at the next run.
    std::filesystem::copy_file(dir.Fichero("Book.db"), dir.Fichero("Book.db.nuevo"),
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(Construir({"-o", "Book.db", "g.pgn"}, dir.Ruta()).estado, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Fichero("Book.db.nuevo")));
    EXPECT_EQ(LineasLibro(dir.Fichero("Book.db")), std::vector<std::string>{"e2e4 e7e5"});
}

// The default book the build makes from Debian's full ECO file (built once, by the build):
// thousands of distinct well-formed lines, none only the beginning of another; clean for
// "book". How probes answer is the probe tests' business.
TEST(LibroEcoSlow, DefaultBookVerified) {
    const std::string binario = VEMSUL_BINARY, dir = binario.substr(0, binario.rfind('/'));
    if (!std::filesystem::exists(dir + "/Book.db")) GTEST_SKIP() << "no default book (Debian package scid-data)";
    const std::vector<std::string> lineas = LineasLibro(dir + "/Book.db");
    ASSERT_GE(lineas.size(), 4000u);
    const std::set<std::string> completas(lineas.begin(), lineas.end());
    EXPECT_EQ(completas.size(), lineas.size());
    std::set<std::string> comienzos;  // every text a probe may extend, with its blank
    for (const auto& l : lineas) {
        ASSERT_TRUE(l.size() <= 100 && l.size() % 5 == 4) << l;
        for (size_t i = 4; i < l.size(); i += 5) {
            ASSERT_EQ(l[i], ' ') << l;
            comienzos.insert(l.substr(0, i + 1));
        }
    }
    for (const auto& l : lineas) ASSERT_EQ(comienzos.count(l + " "), 0u) << l << " only begins another line";
    EXPECT_EQ(Sesion({"book"}, dir), (std::vector<std::string>{"Analizando libro de aperturas...", "Libro de apertura correcto."}));

}
