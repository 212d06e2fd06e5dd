// Every test binary starts the engine's globals exactly as the process does.
#include <gtest/gtest.h>

#include "uci/uci.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    IniciarMotor();
    return RUN_ALL_TESTS();
}
