// Seeded random sessions through the real binary (the sanitizer build runs them too): noise,
// malformed commands, extreme numbers, over-long lines and CR-LF ends between well-formed
// positions and searches.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "support/board_helpers.h"
#include "support/engine_process.h"

// Every isready is answered; only lines over 64 KiB are dropped, each with one message; every
// search answers once, with a legal move of the position it was given; the uci reply stays
// inside its announced ranges; the engine ends with status 0.
TEST(EntradaAlAzar, HostileSessions) {
    std::mt19937 azar(15);
    auto uno = [&](const std::vector<std::string>& v) { return v[azar() % v.size()]; };
    auto ruido = [&](size_t n) {
        std::string r;
        while (r.size() < n)
            if (char c = char(azar() % 256); c != '\n') r += c;
        return r;
    };
    const std::vector<std::string> numeros = {"0", "1", "3", "1025", "2147483647", "2147483648", "4294967295",
                                              "-1", "1.5", "true", "Full", std::string(90, '9')};
    const std::vector<std::string> palabras = {"wtime", "btime", "winc", "binc", "movestogo", "movetime", "depth",
                                               "infinite", "name", "value", "OwnBookLimit", "ShowPv",
                                               "GaviotaTbCache", "GaviotaCompression", "GaviotaTbPath", "SyzygyPath", "Ponder"};
    const std::vector<std::string> primeras = {"setoption", "ucinewgame", "uci", "stop", "d", "eval", "\tisready", ""};
    const auto fens =
        PosicionesAlAzar({FEN_INICIAL, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -"}, 60, 60, 15);
    const std::string aviso = "info string L\xEDnea demasiado larga descartada.";
    auto larga = [](const std::string& l) { return l.size() - (!l.empty() && l.back() == '\r') > 65536; };
    ProcesoMotor motor;
    motor.Enviar("setoption name Hash value 1");  // every isready rebuilds the table
    int comprobadas = 0;
    for (int ronda = 0; ronda < 300; ronda++) {
        int avisos = 0;
        for (int k = azar() % 4; k > 0; k--) {
            std::string l = uno(primeras);
            for (int p = azar() % 8; p > 0; p--)
                (l += ' ') += azar() % 4 ? uno(azar() % 2 ? palabras : numeros) : ruido(azar() % 99);
            if (azar() % 20 == 0) l = ruido(65538 + azar() % 100000);
            avisos += larga(l);
            motor.Enviar(l);
        }
        std::string pos = "startpos moves";
        Posicion("startpos");
        if (azar() % 3 == 0) {
            for (int p = azar() % 30; p > 0 && !JugadasLegales().empty(); p--) {
                (pos += ' ') += uno(JugadasLegales());
                Posicion(pos);
            }
        } else {
            std::istringstream in(uno(fens));
            std::string f[4];
            in >> f[0] >> f[1] >> f[2] >> f[3];
            if (azar() % 2) f[2] = uno({"-", "KQkq", "Qk", "kK", "q"});
            if (azar() % 2) f[3] = uno({"-", "e3", "d6", "a6", "h3", NombreCasilla[azar() % 64], "z9"});
            pos = "fen " + f[0] + " " + f[1] + " " + f[2] + " " + f[3] + " " + uno(numeros) + " 1";
            Posicion(pos);
            if (azar() % 2 && !JugadasLegales().empty()) Posicion(pos += " moves " + uno(JugadasLegales()));
        }
        const auto legales = JugadasLegales();
        std::string linea = "position " + pos;
        if (azar() % 10 == 0) linea.resize(65500 + azar() % 80, ' ');
        if (azar() % 3 == 0) linea += "\r";
        const bool descartada = larga(linea);
        avisos += descartada;
        motor.Enviar(linea);
        std::string go = "go";
        for (int p = azar() % 4; p > 0; p--) (((go += ' ') += uno(palabras)) += ' ') += uno(numeros);
        if (azar() % 2) (go += " depth ") += std::to_string(1 + azar() % 4);
        motor.Enviar({go, "stop", "isready"});

        const auto salida = motor.LeerHasta("readyok");
        ASSERT_TRUE(!salida.empty() && salida.back() == "readyok") << "round " << ronda << ": " << go;
        EXPECT_EQ(std::count(salida.begin(), salida.end(), aviso), avisos) << "round " << ronda;
        std::vector<std::string> jugadas;
        for (const auto& l : salida)
            if (Empieza(l, "bestmove ")) jugadas.push_back(l.substr(9, l.find(' ', 9) - 9));
        ASSERT_EQ(jugadas.size(), 1u) << "round " << ronda << ": every go answers";
        if (!jugadas.empty() && !descartada && !legales.empty()) {
            comprobadas++;
            EXPECT_NE(std::find(legales.begin(), legales.end(), jugadas[0]), legales.end()) << pos << " " << go;
        }
    }
    EXPECT_GT(comprobadas, 100);  // the sessions keep searching
    motor.Enviar("uci");
    for (const auto& l : motor.LeerHasta("uciok")) {
        int valor, minimo, maximo;
        const char* formato = "option name %*s type spin default %d min %d max %d";
        if (std::sscanf(l.c_str(), formato, &valor, &minimo, &maximo) == 3) {
            EXPECT_TRUE(valor >= minimo && valor <= maximo) << l;
        }
    }
    motor.CerrarEntrada();
    EXPECT_EQ(motor.Esperar(), 0);
}
