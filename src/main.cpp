// Vemsul: a UCI chess engine. A GUI starts it and talks to it over standard input/output.
#include "uci/uci.h"

int main() {
    IniciarMotor();
    LeerComandos();
    LiberarMemoria();
}
