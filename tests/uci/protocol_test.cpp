// Scripted sessions through the real binary: exact replies, option edge cases, silence on
// unknown input, the ways the process ends, the table memory, the position command and "d".
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "support/board_helpers.h"
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
    "option name GaviotaTbPath type string default empty",
    "option name GaviotaTbCache type spin default 32 min 8 max 1024",
    "option name GaviotaCompression type spin default 4 min 0 max 9",
    "uciok",
};

// A fresh engine's output for the given commands, which must end it with status 0.
std::vector<std::string> Sesion(const std::vector<std::string>& comandos) {
    int estado = -5;
    auto salida = Transcripcion(comandos, &estado);
    EXPECT_EQ(estado, 0);
    return salida;
}

// Resident memory of a process, in megabytes.
long MegasResidentes(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string l; std::getline(in, l);)
        if (Empieza(l, "VmRSS:")) return std::atol(l.c_str() + 6) / 1024;
    return -1;
}

}  // namespace

// The whole "uci" reply after start-up and after each setoption edge case: only the named
// option's line may change, to the given text.
TEST(Protocol, UciReplyAfterSetoptionEdgeCases) {
    EXPECT_EQ(Sesion({"uci"}), UCI_INICIAL);
    const std::string largo(300, 'x');
    const std::pair<std::vector<std::string>, std::string> casos[] = {
        {{"Hash value 2048"}, "Hash type spin default 1024 min 1 max 1024"},
        {{"Hash value 0"}, "Hash type spin default 1 min 1 max 1024"},  // raised to the minimum
        {{"Hash value 64 "}, "Hash type spin default 128 min 1 max 1024"},  // "64 " is no number
        {{"Hash value 64", "isready"}, "Hash type spin default 64 min 1 max 1024"},
        {{"Hash value -5"}, "Hash type spin default 128 min 1 max 1024"},
        // However many digits: no wrapping into or out of the range.
        {{"Hash value 4294967295"}, "Hash type spin default 1024 min 1 max 1024"},
        {{"Hash value " + std::string(200, '9')}, "Hash type spin default 1024 min 1 max 1024"},
        {{"OwnBookLimit value 4294967301"}, "OwnBookLimit type spin default 8 min 2 max 10"},
        {{"Hash value 16", "Hash", "Hash value"}, "Hash type spin default 16 min 1 max 1024"},
        {{"OwnBookLimit value 11"}, "OwnBookLimit type spin default 8 min 2 max 10"},
        {{"OwnBookLimit value 10"}, "OwnBookLimit type spin default 10 min 2 max 10"},
        {{"OwnBookLimit value 1"}, "OwnBookLimit type spin default 8 min 2 max 10"},
        {{"GaviotaTbCache value 1024"}, "GaviotaTbCache type spin default 32 min 8 max 1024"},
        {{"GaviotaTbCache value 8"}, "GaviotaTbCache type spin default 8 min 8 max 1024"},
        {{"GaviotaTbCache value 0"}, "GaviotaTbCache type spin default 8 min 8 max 1024"},
        {{"GaviotaCompression value 9"}, "GaviotaCompression type spin default 9 min 0 max 9"},
        {{"GaviotaCompression value 10"}, "GaviotaCompression type spin default 4 min 0 max 9"},
        {{"ShowPv value Full"}, "ShowPv type combo default Full var None var Middle var Full"},
        {{"ShowPv value full"}, "ShowPv type combo default Middle var None var Middle var Full"},
        {{"ShowPv value Full", "ucinewgame"}, "ShowPv type combo default Middle var None var Middle var Full"},
        {{"Ponder value true"}, "Ponder type check default true"},
        {{"Ponder value True"}, "Ponder type check default false"},
        {{"UseGaviotaTablebases value true"}, "UseGaviotaTablebases type check default true"},
        {{"GaviotaTbPath value C:\\tb folder"}, "GaviotaTbPath type string default C:\\tb folder"},
        {{"GaviotaTbPath value    /usr/share/gaviotatb/gtb4 "}, "GaviotaTbPath type string default /usr/share/gaviotatb/gtb4 "},
        // An over-long value changes nothing and the engine goes on.
        {{"GaviotaTbPath value " + largo}, "GaviotaTbPath type string default empty"},
        {{"Hash value 1" + largo}, "Hash type spin default 128 min 1 max 1024"},
        // Only the second word is compared: the first and third may be anything.
        {{"x Hash y 32"}, "Hash type spin default 32 min 1 max 1024"},
        {{"hash value 32"}, "Hash type spin default 128 min 1 max 1024"},
    };
    for (const auto& [comandos, opcion] : casos) {
        std::vector<std::string> entrada;
        for (const auto& c : comandos)
            entrada.push_back(c == "isready" || c == "ucinewgame" ? c : (c[0] == 'x' ? "setoption " : "setoption name ") + c);
        entrada.push_back("uci");
        auto salida = Sesion(entrada);
        salida.erase(std::remove(salida.begin(), salida.end(), "readyok"), salida.end());
        std::vector<std::string> esperado = UCI_INICIAL;
        const std::string nombre = "option name " + opcion.substr(0, opcion.find(' ')) + " ";
        for (auto& l : esperado)
            if (Empieza(l, nombre)) l = "option name " + opcion;
        EXPECT_EQ(salida, esperado) << entrada[0];
    }
}

// Capitalised words, tab-prefixed words, unknown words and lines holding a NUL byte are ignored
// silently; "quit" with more words still quits.
TEST(Protocol, IsreadyAndSilenceOnUnknownInput) {
    EXPECT_EQ(Sesion({"isready", "", "    ", "UCI", "\tuci", "Quit", "QUIT", "\tquit", "stop", "ponderhit", "debug on",
                      "hello world", std::string(6143, 'x') + "isready", std::string("isready\0", 8), "isready",
                      "quit now", "isready"}),
              (std::vector<std::string>{"readyok", "readyok"}));
}

// A carriage return before the line feed belongs to the line end. A line of up to 64 KiB is
// carried out whole; a longer one is discarded whole, with one message, and the next is read.
TEST(Protocol, LineEndsAndLongLines) {
    std::string partida = "position startpos moves";  // 13,000 plies of knight moves, then 1. e4
    while (partida.size() < 65536 - 25) partida += " g1f3 g8f6 f3g1 f6g8";
    partida += " e2e4";
    partida.resize(65536, ' ');
    std::string larga = "position startpos moves d2d4";
    larga.resize(65537, ' ');
    const std::string tras_e4 = "Fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1";
    const std::string aviso = "info string L\xEDnea demasiado larga descartada.";
    std::vector<std::string> vistas;
    for (const auto& l : Sesion({"uci\r", "isready\r", partida + "\r", "d\r", larga,
                                 std::string(200000, ' ') + "isready", "d", "isready"}))
        if (l == "uciok" || l == "readyok" || Empieza(l, "Fen: ") || Empieza(l, "info string")) vistas.push_back(l);
    EXPECT_EQ(vistas, (std::vector<std::string>{"uciok", "readyok", tras_e4, aviso, aviso, tras_e4, "readyok"}));
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

// The table is really allocated (its pages are written) and rebuilt at "isready" when its size
// changes; the sanitizer build checks that the rebuilds leak nothing.
TEST(Protocol, TableMemoryIsAllocatedAndRebuilt) {
    ProcesoMotor motor;
    motor.Enviar("isready");
    // A gigabyte table is written whole at every isready: slow in the sanitizer build.
    auto listo = [&] { return motor.LeerHasta("readyok", 300000) == std::vector<std::string>{"readyok"}; };
    ASSERT_TRUE(listo());
    EXPECT_GE(MegasResidentes(motor.Pid()), 128);
    for (int mb : {1, 31, 32, 1024, 0, 200}) {
        motor.Enviar("setoption name Hash value " + std::to_string(mb));
        motor.Enviar("isready");
        motor.Enviar("isready");
        EXPECT_TRUE(listo()) << mb;
        EXPECT_TRUE(listo()) << mb;
    }
    EXPECT_GE(MegasResidentes(motor.Pid()), 200);
    motor.Enviar("quit");
    EXPECT_EQ(motor.Esperar(), 0);
}

// "d" shows the board, the FEN and the key; this process, started the same way, composes the
// same FEN and key (so the keys are identical in every run).
TEST(Protocol, DisplayShowsFenAndKeyOfThisProcess) {
    const std::vector<std::string> posiciones = {
        "startpos moves e2e4", "startpos moves e2e4 c7c5 g1f3 d7d6 e1e2",
        "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "fen 8/8/8/3pP3/8/8/8/K6k w - d6 0 1", "fen 4k3/8/8/8/8/8/8/4K3 b - - 0 1"};
    std::vector<std::string> entrada = {"d"}, esperadas;
    auto anotar = [&] {
        char fen[128], clave[32];
        EscribirFen(fen);
        std::snprintf(clave, sizeof clave, "Key: %016llx", (unsigned long long)TableroGlobal.Hash);
        esperadas.insert(esperadas.end(), {std::string("Fen: ") + fen, clave});
    };
    Posicion("startpos");
    anotar();
    for (const auto& p : posiciones) {
        entrada.insert(entrada.end(), {"position " + p, "d"});
        Posicion(p);
        anotar();
    }
    const auto salida = Sesion(entrada);
    ASSERT_EQ(salida.size(), 10 * (posiciones.size() + 1));
    EXPECT_EQ(salida[0], "r n b q k b n r");
    EXPECT_EQ(salida[7], "R N B Q K B N R");
    EXPECT_EQ(salida[8], "Fen: rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    EXPECT_EQ(salida[14], ". . . . P . . .");
    EXPECT_EQ(salida[18], "Fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    std::vector<std::string> vistas;
    for (const auto& l : salida)
        if (Empieza(l, "Fen: ") || Empieza(l, "Key: ")) vistas.push_back(l);
    EXPECT_EQ(vistas, esperadas);
}

TEST(Protocol, PositionCommand) {
    const std::string inicial = "Fen: rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const std::string tras_e4 = "Fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1";
    auto fen = [](const std::string& comando) {
        std::vector<std::string> lineas;
        for (const auto& l : Sesion({comando, "d"}))
            if (Empieza(l, "Fen: ") || Empieza(l, "info string")) lineas.push_back(l);
        return lineas;
    };
    using L = std::vector<std::string>;
    // Without the word "moves" nothing is played; any first word but "fen" means startpos.
    EXPECT_EQ(fen("position startpos e2e4"), L{inicial});
    EXPECT_EQ(fen("position xyz moves e2e4"), L{tras_e4});
    // A promotion needs its lower-case letter.
    EXPECT_EQ(fen("position fen 7k/4P3/8/8/8/8/8/K7 w - - 0 1 moves e7e8q"), L{"Fen: 4Q2k/8/8/8/8/8/8/K7 b - - 0 1"});
    EXPECT_EQ(fen("position fen 7k/4P3/8/8/8/8/8/K7 w - - 0 1 moves e7e8n h8g8"),
              L{"Fen: 4N1k1/8/8/8/8/8/8/K7 w - - 1 1"});
    // A bad FEN falls back to the start position, moves and all ignored.
    EXPECT_EQ(fen("position fen rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e4"),
              (L{"info string Formato FEN incorrecto.", inicial}));
    // An en passant square no pawn can have passed over is dropped: d4e5 is a plain capture.
    EXPECT_EQ(fen("position fen 4k3/8/8/4q3/3Pp3/8/8/4K3 w - e3 0 1 moves d4e5"),
              L{"Fen: 4k3/8/8/4P3/4p3/8/8/4K3 b - - 0 1"});
    // FEN words that would pass 78 characters are dropped; the position still loads.
    EXPECT_EQ(fen("position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 " + std::string(40, '9') +
                  " moves e2e4"),
              L{tras_e4});
}

// An illegal move (also one that leaves the own king in check) prints six diagnostic lines
// (accents as single bytes), later moves are still tried, and the engine then ends.
TEST(Protocol, IllegalMoveDiagnosticsEndTheEngine) {
    auto diagnostico = [](const std::string& jugada, int alPaso) {
        return std::vector<std::string>{"info string Movimiento ilegal: " + jugada, "info string Enroque Blancas: 3",
                                        "info string Enroque Negras: 3",
                                        "info string Ficha al Paso: " + std::to_string(alPaso),
                                        "info string Posici\xF3n Rey Blanco: 60", "info string Posici\xF3n Rey Negro: 4"};
    };
    std::vector<std::string> esperado = diagnostico("e2e5", 0);
    for (const auto& l : diagnostico("e7e8", 36)) esperado.push_back(l);
    for (const auto& l : diagnostico("e8f7", 0)) esperado.push_back(l);
    EXPECT_EQ(Sesion({"position startpos moves e2e5 e2e4 e7e8 f7f6 d1h5 e8f7", "isready"}), esperado);
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
