// Scripted sessions through the real binary: the uci reply and setoption's edge cases, line
// ends, the ways the process ends, the position command and "d".
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

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
    "option name Threads type spin default 1 min 1 max 256",
    "option name Move Overhead type spin default 500 min 0 max 5000",
    "option name Clear Hash type button",
    "option name SyzygyPath type string default <empty>",
    "option name SyzygyProbeLimit type spin default 7 min 0 max 7",
    "option name MultiPV type spin default 1 min 1 max 64",
    "option name UCI_ShowWDL type check default false",
    "uciok",
};

}  // namespace

// A value kept outside the announced range, a wrapped number, a value that is not understood
// taken, an over-long value stored, another option changed: after each case the whole reply
// may differ from the start-up one only in the option's own line. One process serves all; each
// option is set back to its start value after its case.
TEST(Protocol, UciReplyAfterSetoptionEdgeCases) {
    const std::string largo(300, 'x');
    const std::pair<std::vector<std::string>, std::string> casos[] = {
        {{}, ""},
        {{"name Hash value 2048"}, "Hash type spin default 1024 min 1 max 1024"},
        {{"name Hash value 0"}, "Hash type spin default 1 min 1 max 1024"},
        {{"name Hash value 64 "}, "Hash type spin default 128 min 1 max 1024"},  // "64 " is no number
        {{"name Hash value 64", "isready"}, "Hash type spin default 64 min 1 max 1024"},
        {{"name Hash value 16", "name Hash", "name Hash value"}, "Hash type spin default 16 min 1 max 1024"},
        {{"x Hash y 32"}, "Hash type spin default 32 min 1 max 1024"},  // only the second word is read
        {{"name hash value 32"}, "Hash type spin default 128 min 1 max 1024"},
        {{"name OwnBookLimit value 4294967301"}, "OwnBookLimit type spin default 8 min 2 max 10"},
        {{"name ShowPv value Full"}, "ShowPv type combo default Full var None var Middle var Full"},
        {{"name ShowPv value full"}, "ShowPv type combo default Middle var None var Middle var Full"},
        {{"name ShowPv value Full", "ucinewgame"}, "ShowPv type combo default Middle var None var Middle var Full"},
        {{"name UseGaviotaTablebases value true"}, "UseGaviotaTablebases type check default true"},
        {{"name GaviotaTbPath value C:\\tb folder"}, "GaviotaTbPath type string default C:\\tb folder"},
        {{"name GaviotaTbPath value    /usr/tb "}, "GaviotaTbPath type string default /usr/tb "},
        {{"name GaviotaTbPath value " + largo}, "GaviotaTbPath type string default empty"},
        // The options after the nine are read as UCI says.
        {{"name  move   OVERHEAD value  9999 "}, "Move Overhead type spin default 5000 min 0 max 5000"},
        {{"name Move Overhead value -7"}, "Move Overhead type spin default 0 min 0 max 5000"},
        {{"name Move Overhead value 100", "name Move Overhead value 1e3", "name Move Overhead"},
         "Move Overhead type spin default 100 min 0 max 5000"},
        {{"name Threads value 300"}, "Threads type spin default 256 min 1 max 256"},
        {{"name multipv value 100"}, "MultiPV type spin default 64 min 1 max 64"},
        {{"name UCI_ShowWDL value TRUE"}, "UCI_ShowWDL type check default true"},
    };
    ProcesoMotor motor;
    for (const auto& [comandos, opcion] : casos) {
        for (const auto& c : comandos) motor.Enviar(c == "isready" || c == "ucinewgame" ? c : "setoption " + c);
        motor.Enviar("uci");
        auto salida = motor.LeerHasta("uciok");
        salida.erase(std::remove(salida.begin(), salida.end(), "readyok"), salida.end());
        std::vector<std::string> esperado = UCI_INICIAL;
        const std::string nombre = opcion.substr(0, opcion.find(" type "));
        for (auto& l : esperado) {
            if (!Empieza(l, "option name " + nombre + " ")) continue;
            const size_t d = l.find(" default ") + 9;  // the start value, to set it back
            motor.Enviar("setoption name " + nombre + " value " + l.substr(d, l.find(' ', d) - d));
            l = "option name " + opcion;
        }
        EXPECT_EQ(salida, esperado) << (comandos.empty() ? "start-up" : comandos[0]);
    }
    EXPECT_EQ(motor.Terminar(), 0);
}

// A CR before the line feed belongs to the line end. A line of up to 64 KiB is carried out
// whole; a longer one is discarded whole, with one message, and the next is read. A last line
// without its newline is carried out.
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
    ProcesoMotor motor;
    motor.EnviarCrudo("isready");
    motor.CerrarEntrada();
    EXPECT_EQ(motor.LeerTodo(), std::vector<std::string>{"readyok"});
    EXPECT_EQ(motor.Esperar(), 0);
}

// "d" shows the board, then the FEN and key this process composes for the same position (the
// keys are the same in every run). Without "moves" nothing is played; any first word but "fen"
// means the start position; a bad FEN falls back to it, moves ignored; a promotion needs its
// letter; a dropped en passant square makes d4e5 a plain capture; FEN words that would pass 78
// characters are dropped.
TEST(Protocol, PositionCommandAndDisplay) {
    const std::pair<std::string, std::string> casos[] = {
        {"startpos e2e4", "startpos"},
        {"xyz moves e2e4 c7c5 g1f3 d7d6 e1e2", "startpos moves e2e4 c7c5 g1f3 d7d6 e1e2"},
        {"fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", ""},
        {"fen 8/8/8/3pP3/8/8/8/K6k w - d6 0 1", ""},
        {"fen 7k/4P3/8/8/8/8/8/K7 w - - 0 1 moves e7e8n h8g8", ""},
        {"fen rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e4", "startpos"},
        {"fen 4k3/8/8/4q3/3Pp3/8/8/4K3 w - e3 0 1 moves d4e5", ""},
        {std::string("fen ") + FEN_INICIAL + " " + std::string(40, '9') + " moves e2e4", "startpos moves e2e4"},
    };
    std::vector<std::string> entrada, esperadas;
    for (const auto& [comando, igual] : casos) {
        entrada.insert(entrada.end(), {"position " + comando, "d"});
        if (Empieza(comando, "fen rnbqkbnr/pppppppp/9")) esperadas.push_back("info string Formato FEN incorrecto.");
        Posicion(igual.empty() ? comando : igual);
        char fen[128], clave[32];
        EscribirFen(fen);
        std::snprintf(clave, sizeof clave, "Key: %016llx", (unsigned long long)TableroGlobal.Hash);
        esperadas.insert(esperadas.end(), {std::string("Fen: ") + fen, clave});
    }
    const auto salida = Sesion(entrada);
    ASSERT_GE(salida.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(salida.begin(), salida.begin() + 2),
              (std::vector<std::string>{"r n b q k b n r", "p p p p p p p p"}));
    std::vector<std::string> vistas;
    for (const auto& l : salida)
        if (Empieza(l, "Fen: ") || Empieza(l, "Key: ") || Empieza(l, "info string")) vistas.push_back(l);
    EXPECT_EQ(vistas, esperadas);
    EXPECT_EQ(esperadas[8], "Fen: 4N1k1/8/8/8/8/8/8/K7 w - - 1 1");
    EXPECT_EQ(esperadas[13], "Fen: 4k3/8/8/4P3/4p3/8/8/4K3 b - - 0 1");
}

// An illegal move (also one that leaves the own king in check) prints six diagnostic lines
// (accents as single bytes), later moves are still tried, and the engine then ends.
TEST(Protocol, IllegalMoveDiagnosticsEndTheEngine) {
    std::vector<std::string> esperado;
    for (auto [jugada, alPaso] : {std::pair{"e2e5", 0}, {"e7e8", 36}, {"e8f7", 0}})
        esperado.insert(esperado.end(), {std::string("info string Movimiento ilegal: ") + jugada,
                                         "info string Enroque Blancas: 3", "info string Enroque Negras: 3",
                                         "info string Ficha al Paso: " + std::to_string(alPaso),
                                         "info string Posici\xF3n Rey Blanco: 60", "info string Posici\xF3n Rey Negro: 4"});
    EXPECT_EQ(Sesion({"position startpos moves e2e5 e2e4 e7e8 f7f6 d1h5 e8f7", "isready"}), esperado);
}

// A GUI that stops reading our output does not kill the engine: writes fail quietly and the
// engine still ends normally at "quit".
TEST(Protocol, ClosedOutputDoesNotKillTheEngine) {
    const std::string orden = std::string("bash -c '(sleep 0.3; echo uci; echo isready; sleep 0.3; echo quit) | \"") +
                              VEMSUL_BINARY + "\" | true; exit ${PIPESTATUS[1]}'";
    const int estado = std::system(orden.c_str());
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0);
}
