// Scripted sessions through the real binary: exact replies, option edge cases, silence on
// unknown input, the ways the process ends, and the position command's diagnostics.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/engine_process.h"

namespace {

const std::vector<std::string> UCI_INICIAL = {
    "id name Vemsul 0.4 x86",
    "id author Edrin Valcor, Spain.",
    "option name Hash type spin default 128 min 1 max 1024",
    "option name Ponder type check default false",
    "option name OwnBook type check default false",
    "option name OwnBookLimit type spin default 8 min 2 max 10",
    "option name ShowPv type combo default Middle var None var Middle var Full",
    "option name UseGaviotaTablebases type check default false",
    "option name GaviotaTbPath type string empty",
    "option name GaviotaTbCache type spin default 32 min 8 max 1024",
    "option name GaviotaCompression type spin default 4 min 0 max 9",
    "uciok",
};

// The reply to "uci" after the given commands, in a fresh engine.
std::vector<std::string> UciTras(const std::vector<std::string>& comandos) {
    std::vector<std::string> entrada = comandos;
    entrada.push_back("uci");
    entrada.push_back("quit");
    int estado = -5;
    auto salida = Transcripcion(entrada, &estado);
    EXPECT_EQ(estado, 0);
    return salida;
}

std::string Opcion(const std::vector<std::string>& uci, const std::string& nombre) {
    for (const auto& l : uci)
        if (l.rfind("option name " + nombre + " ", 0) == 0) return l;
    return "";
}

}  // namespace

TEST(Protocol, UciReplyAfterStartup) {
    EXPECT_EQ(UciTras({}), UCI_INICIAL);
}

TEST(Protocol, SetoptionEdgeCases) {
    struct Caso {
        std::vector<std::string> comandos;
        std::string opcion, esperada;
    };
    const std::string largo(300, 'x');
    const Caso casos[] = {
        {{"setoption name Hash value 2048"}, "Hash", "option name Hash type spin default 1024 min 1 max 1024"},
        {{"setoption name Hash value 0"}, "Hash", "option name Hash type spin default 0 min 1 max 1024"},
        {{"setoption name Hash value 0", "isready"}, "Hash", "option name Hash type spin default 1 min 1 max 1024"},
        {{"setoption name Hash value 64 "}, "Hash", "option name Hash type spin default 128 min 1 max 1024"},
        {{"setoption name Hash value 64", "isready"}, "Hash", "option name Hash type spin default 64 min 1 max 1024"},
        {{"setoption name Hash value -5"}, "Hash", "option name Hash type spin default 128 min 1 max 1024"},
        {{"setoption name Hash value 4294967297"}, "Hash", "option name Hash type spin default 1 min 1 max 1024"},
        {{"setoption name Hash value 16", "setoption name Hash"}, "Hash",
         "option name Hash type spin default 16 min 1 max 1024"},
        {{"setoption name Hash value 16", "setoption name Hash value"}, "Hash",
         "option name Hash type spin default 16 min 1 max 1024"},
        {{"setoption name OwnBookLimit value 11"}, "OwnBookLimit",
         "option name OwnBookLimit type spin default 8 min 2 max 10"},
        {{"setoption name OwnBookLimit value 10"}, "OwnBookLimit",
         "option name OwnBookLimit type spin default 10 min 2 max 10"},
        {{"setoption name OwnBookLimit value 1"}, "OwnBookLimit",
         "option name OwnBookLimit type spin default 8 min 2 max 10"},
        {{"setoption name GaviotaTbCache value 1024"}, "GaviotaTbCache",
         "option name GaviotaTbCache type spin default 32 min 8 max 1024"},
        {{"setoption name GaviotaTbCache value 8"}, "GaviotaTbCache",
         "option name GaviotaTbCache type spin default 8 min 8 max 1024"},
        {{"setoption name GaviotaTbCache value 0"}, "GaviotaTbCache",
         "option name GaviotaTbCache type spin default 0 min 8 max 1024"},
        {{"setoption name GaviotaCompression value 9"}, "GaviotaCompression",
         "option name GaviotaCompression type spin default 9 min 0 max 9"},
        {{"setoption name GaviotaCompression value 10"}, "GaviotaCompression",
         "option name GaviotaCompression type spin default 4 min 0 max 9"},
        {{"setoption name ShowPv value Full"}, "ShowPv",
         "option name ShowPv type combo default Full var None var Middle var Full"},
        {{"setoption name ShowPv value None"}, "ShowPv",
         "option name ShowPv type combo default None var None var Middle var Full"},
        {{"setoption name ShowPv value full"}, "ShowPv",
         "option name ShowPv type combo default Middle var None var Middle var Full"},
        {{"setoption name ShowPv value Full", "ucinewgame"}, "ShowPv",
         "option name ShowPv type combo default Middle var None var Middle var Full"},
        {{"setoption name Ponder value true"}, "Ponder", "option name Ponder type check default true"},
        {{"setoption name Ponder value True"}, "Ponder", "option name Ponder type check default false"},
        {{"setoption name Ponder value true", "setoption name Ponder value false"}, "Ponder",
         "option name Ponder type check default false"},
        {{"setoption name UseGaviotaTablebases value true"}, "UseGaviotaTablebases",
         "option name UseGaviotaTablebases type check default true"},
        {{"setoption name GaviotaTbPath value C:\\tb folder"}, "GaviotaTbPath",
         "option name GaviotaTbPath type string C:\\tb folder"},
        {{"setoption name GaviotaTbPath value    /usr/share/gaviotatb/gtb4 "}, "GaviotaTbPath",
         "option name GaviotaTbPath type string /usr/share/gaviotatb/gtb4 "},
        // An over-long value changes nothing and the engine goes on.
        {{"setoption name GaviotaTbPath value " + largo}, "GaviotaTbPath", "option name GaviotaTbPath type string empty"},
        {{"setoption name Hash value 1" + largo}, "Hash", "option name Hash type spin default 128 min 1 max 1024"},
        // The first and third words are not compared: only the name must be second.
        {{"setoption x Hash y 32"}, "Hash", "option name Hash type spin default 32 min 1 max 1024"},
        {{"setoption name hash value 32"}, "Hash", "option name Hash type spin default 128 min 1 max 1024"},
    };
    for (const auto& c : casos) {
        auto uci = UciTras(c.comandos);
        EXPECT_EQ(Opcion(uci, c.opcion), c.esperada) << c.comandos.back();
        EXPECT_EQ(uci.size() - std::count(uci.begin(), uci.end(), "readyok"), UCI_INICIAL.size())
            << c.comandos.back();
    }
}

TEST(Protocol, IsreadyAndSilenceOnUnknownInput) {
    int estado = -5;
    auto salida = Transcripcion({"isready", "", "    ", "UCI", "\tuci", "Quit", "QUIT", "\tquit", "stop",
                                 "ponderhit", "debug on", "hello world", "isready", "quit now"},
                                &estado);
    EXPECT_EQ(salida, (std::vector<std::string>{"readyok", "readyok"}));
    EXPECT_EQ(estado, 0);
}

TEST(Protocol, EndOfInputEndsTheEngine) {
    ProcesoMotor motor;
    motor.Enviar("isready");
    std::string l;
    ASSERT_TRUE(motor.LeerLinea(l));
    EXPECT_EQ(l, "readyok");
    motor.CerrarEntrada();
    EXPECT_EQ(motor.Esperar(), 0);

    // A last line without its newline is still carried out.
    ProcesoMotor otro;
    otro.EnviarCrudo("isready");
    otro.CerrarEntrada();
    EXPECT_EQ(otro.LeerTodo(), std::vector<std::string>{"readyok"});
    EXPECT_EQ(otro.Esperar(), 0);
}

// Lines longer than the buffer are read in pieces, each a line of its own.
TEST(Protocol, OverlongLinesAreReadInPieces) {
    int estado = -5;
    std::string linea = std::string(6143, 'x') + "isready";
    auto salida = Transcripcion({linea, std::string(20000, ' ') + "x", "isready"}, &estado);
    EXPECT_EQ(salida, (std::vector<std::string>{"readyok", "readyok"}));
    EXPECT_EQ(estado, 0);
}

// Table re-creation at every "isready", at several sizes; the sanitizer build checks for leaks.
TEST(Protocol, RepeatedTableRebuildsLeakNothing) {
    std::vector<std::string> entrada;
    for (int mb : {1, 31, 32, 200, 1024, 128, 0, 64}) {
        entrada.push_back("setoption name Hash value " + std::to_string(mb));
        entrada.push_back("isready");
        entrada.push_back("isready");
    }
    entrada.push_back("quit");
    int estado = -5;
    auto salida = Transcripcion(entrada, &estado);
    EXPECT_EQ(salida, std::vector<std::string>(16, "readyok"));
    EXPECT_EQ(estado, 0);
}

TEST(Protocol, DisplayShowsStartPositionAndKey) {
    auto salida = Transcripcion({"d", "position startpos moves e2e4", "d", "quit"});
    ASSERT_EQ(salida.size(), 20u);
    EXPECT_EQ(salida[0], "r n b q k b n r");
    EXPECT_EQ(salida[7], "R N B Q K B N R");
    EXPECT_EQ(salida[8], "Fen: rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    EXPECT_EQ(salida[9].rfind("Key: ", 0), 0u);
    EXPECT_EQ(salida[9].size(), 5u + 16u);
    EXPECT_EQ(salida[14], ". . . . P . . .");
    EXPECT_EQ(salida[18], "Fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
}

TEST(Protocol, PositionCommand) {
    const std::string inicial = "Fen: rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    auto fen = [](const std::vector<std::string>& comandos) {
        std::vector<std::string> entrada = comandos;
        entrada.push_back("d");
        entrada.push_back("quit");
        std::vector<std::string> lineas;
        for (const auto& l : Transcripcion(entrada))
            if (l.rfind("Fen: ", 0) == 0 || l.rfind("info string", 0) == 0) lineas.push_back(l);
        return lineas;
    };
    // Without the word "moves" nothing is played; any first word but "fen" means startpos.
    EXPECT_EQ(fen({"position startpos e2e4"}), std::vector<std::string>{inicial});
    EXPECT_EQ(fen({"position xyz moves e2e4"}),
              std::vector<std::string>{"Fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"});
    // A promotion needs its lower-case letter.
    EXPECT_EQ(fen({"position fen 7k/4P3/8/8/8/8/8/K7 w - - 0 1 moves e7e8q"}),
              std::vector<std::string>{"Fen: 4Q2k/8/8/8/8/8/8/K7 b - - 0 1"});
    EXPECT_EQ(fen({"position fen 7k/4P3/8/8/8/8/8/K7 w - - 0 1 moves e7e8n h8g8"}),
              std::vector<std::string>{"Fen: 4N1k1/8/8/8/8/8/8/K7 w - - 1 1"});
    // A bad FEN falls back to the start position, moves and all ignored.
    EXPECT_EQ(fen({"position fen rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e4"}),
              (std::vector<std::string>{"info string Formato FEN incorrecto.", inicial}));
    // FEN words that would pass 78 characters are dropped; the position still loads.
    EXPECT_EQ(fen({"position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 " + std::string(40, '9') +
                   " moves e2e4"}),
              std::vector<std::string>{"Fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"});
}

// An illegal move prints six diagnostic lines (accents as single bytes), later moves are still
// tried, and the engine then ends.
TEST(Protocol, IllegalMoveDiagnosticsEndTheEngine) {
    int estado = -5;
    auto salida = Transcripcion({"position startpos moves e2e5 e2e4 e7e8 b8c6", "isready"}, &estado);
    const std::vector<std::string> esperado = {
        "info string Movimiento ilegal: e2e5",
        "info string Enroque Blancas: 3",
        "info string Enroque Negras: 3",
        "info string Ficha al Paso: 0",
        "info string Posici\xF3n Rey Blanco: 60",
        "info string Posici\xF3n Rey Negro: 4",
        "info string Movimiento ilegal: e7e8",
        "info string Enroque Blancas: 3",
        "info string Enroque Negras: 3",
        "info string Ficha al Paso: 36",
        "info string Posici\xF3n Rey Blanco: 60",
        "info string Posici\xF3n Rey Negro: 4",
    };
    EXPECT_EQ(salida, esperado);
    EXPECT_EQ(estado, 0);
}

TEST(Protocol, OwnBookNeedsAReadableBook) {
    auto dir = std::filesystem::temp_directory_path() / ("vemsul_uci_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    ProcesoMotor motor({}, dir.string());
    motor.Enviar("setoption name OwnBook value true");
    motor.Enviar("uci");
    auto uci = motor.LeerHasta("uciok");
    EXPECT_EQ(Opcion(uci, "OwnBook"), "option name OwnBook type check default true");
    motor.Enviar("quit");
    EXPECT_EQ(motor.Esperar(), 0);
    // Opening the book creates an empty file when there is none.
    EXPECT_TRUE(std::filesystem::exists(dir / "Book.db"));
    std::filesystem::remove_all(dir);
}

// A GUI that stops reading our output does not kill the engine: writes fail quietly and the
// engine still ends normally at "quit".
TEST(Protocol, ClosedOutputDoesNotKillTheEngine) {
    const std::string orden = std::string("bash -c '(sleep 0.3; echo uci; echo isready; sleep 0.3; echo quit) | \"") +
                              VEMSUL_BINARY + "\" | true; exit ${PIPESTATUS[1]}'";
    int estado = std::system(orden.c_str());
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0);
}
