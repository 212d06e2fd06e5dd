// Vemsul: a UCI chess engine. A GUI starts it and talks to it over standard input/output.
#include <cstring>
#include <string>

#include "uci/uci.h"

int main(int argc, char** argv) {
    IniciarMotor();
    // "vemsul bench [depth [threads]]" runs the benchmark and exits.
    if (argc > 1 && !std::strcmp(argv[1], "bench")) {
        std::string argumentos;
        for (int i = 2; i < argc && i < 4; i++) argumentos += std::string(argv[i]) + " ";
        ComandoBench(argumentos.c_str());
        LiberarMemoria();
    }
    LeerComandos();
    LiberarMemoria();
}
