// Vemsul: a UCI chess engine. A GUI starts it and talks to it over standard input/output.
#include <cstring>

#include "uci/uci.h"

int main(int argc, char** argv) {
    IniciarMotor();
    // "vemsul bench [depth]" runs the benchmark and exits.
    if (argc > 1 && !std::strcmp(argv[1], "bench")) {
        ComandoBench(argc > 2 ? argv[2] : "");
        LiberarMemoria();
    }
    LeerComandos();
    LiberarMemoria();
}
