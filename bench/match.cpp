// A small UCI match driver: plays games between two engines under a time control, keeps the
// clocks itself, checks every move with the engine's own move generator, and reports illegal
// moves, time forfeits, crashes and hangs.
//
//   vemsul_match --engine1 build/vemsul --engine2 /usr/games/stockfish --opt2 "Skill Level=0"
//                --tc 10+0.1 --games 20 [--ponder1] [--openings N]
// Time controls: "10+0.1" (seconds + increment), "10/5" (10 moves in 5 s, repeating).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "board/legal.h"
#include "uci/uci.h"

namespace {

long long AhoraMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct Motor {
    std::string ruta;
    std::vector<std::pair<std::string, std::string>> opciones;
    bool ponder = false;
    FILE* registro = nullptr;  // --log: every line sent to and read from this engine
    pid_t pid = -1;
    int entrada = -1, salida = -1;
    std::string pendiente;
    bool fin = false;

    bool Arrancar() {
        int in[2], out[2];
        if (pipe(in) || pipe(out)) return false;
        pid = fork();
        if (pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            int nulo = open("/dev/null", O_WRONLY);
            dup2(nulo, 2);
            close(in[1]);
            close(out[0]);
            execl(ruta.c_str(), ruta.c_str(), (char*)nullptr);
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        entrada = in[1];
        salida = out[0];
        pendiente.clear();
        fin = false;
        return true;
    }
    void Enviar(const std::string& l) {
        if (registro) std::fprintf(registro, "%lld > %s\n", AhoraMs(), l.c_str());
        std::string s = l + "\n";
        if (write(entrada, s.data(), s.size()) < 0) fin = true;
    }
    // Next line, or false after the deadline (absolute ms) or at end of output.
    bool Leer(std::string& l, long long limite) {
        for (;;) {
            size_t nl = pendiente.find('\n');
            if (nl != std::string::npos) {
                l = pendiente.substr(0, nl);
                pendiente.erase(0, nl + 1);
                if (registro) std::fprintf(registro, "%lld < %s\n", AhoraMs(), l.c_str());
                return true;
            }
            if (fin) return false;
            long long resta = limite - AhoraMs();
            if (resta <= 0) return false;
            pollfd p{salida, POLLIN, 0};
            if (poll(&p, 1, int(resta)) <= 0) continue;
            char buf[4096];
            ssize_t n = read(salida, buf, sizeof buf);
            if (n <= 0) fin = true;
            else pendiente.append(buf, size_t(n));
        }
    }
    bool Esperar(const std::string& prefijo, long long limite, std::string* linea = nullptr) {
        std::string l;
        while (Leer(l, limite))
            if (l.rfind(prefijo, 0) == 0) {
                if (linea) *linea = l;
                return true;
            }
        return false;
    }
    bool Iniciar() {
        if (!Arrancar()) return false;
        Enviar("uci");
        if (!Esperar("uciok", AhoraMs() + 10000)) return false;
        for (auto& [n, v] : opciones) Enviar("setoption name " + n + " value " + v);
        Enviar("isready");
        return Esperar("readyok", AhoraMs() + 10000);
    }
    // Ends the engine; returns its exit status (-1 when killed or crashed).
    int Terminar() {
        if (pid <= 0) return -1;
        Enviar("quit");
        close(entrada);
        int st = 0;
        long long limite = AhoraMs() + 5000;
        while (AhoraMs() < limite) {
            if (waitpid(pid, &st, WNOHANG) == pid) {
                close(salida);
                pid = -1;
                return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
            }
            usleep(5000);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        close(salida);
        pid = -1;
        return -1;
    }
};

struct Control {
    long long baseMs = 10000, incMs = 0;
    int movimientos = 0;  // moves per period, 0 = whole game
};

struct Config {
    Motor m[2];
    Control tc;
    int partidas = 2;
    int aperturas = 8;  // random plies played before the engines take over, for variety
    unsigned semilla = 1;
};

bool LeerControl(const char* t, Control& c) {
    double a, b;
    int n;
    if (std::sscanf(t, "%d/%lf", &n, &a) == 2 && std::strchr(t, '/')) {
        c.movimientos = n;
        c.baseMs = (long long)(a * 1000);
        c.incMs = 0;
        return true;
    }
    if (std::sscanf(t, "%lf+%lf", &a, &b) == 2) {
        c.baseMs = (long long)(a * 1000);
        c.incMs = (long long)(b * 1000);
        return true;
    }
    return false;
}

bool LeerArgumentos(int argc, char** argv, Config& c) {
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        auto siguiente = [&]() -> const char* { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--engine1") c.m[0].ruta = siguiente();
        else if (a == "--engine2") c.m[1].ruta = siguiente();
        else if (a == "--opt1" || a == "--opt2") {
            std::string o = siguiente();
            size_t igual = o.find('=');
            if (igual == std::string::npos) return false;
            c.m[a == "--opt1" ? 0 : 1].opciones.push_back({o.substr(0, igual), o.substr(igual + 1)});
        } else if (a == "--ponder1") c.m[0].ponder = true;
        else if (a == "--ponder2") c.m[1].ponder = true;
        else if (a == "--tc") {
            if (!LeerControl(siguiente(), c.tc)) return false;
        } else if (a == "--games" || a == "--openings" || a == "--seed") {
            i32 n;
            if (!LeerNumeroSaturado(siguiente(), n)) return false;
            if (a == "--games") c.partidas = n;
            else if (a == "--openings") c.aperturas = n;
            else c.semilla = unsigned(n);
        }
        else if (a == "--log") c.m[0].registro = std::fopen(siguiente(), "w");
        else {
            std::fprintf(stderr, "unknown argument %s\n", a.c_str());
            return false;
        }
    }
    if (c.m[0].ruta.empty() || c.m[1].ruta.empty()) {
        std::fprintf(stderr, "usage: vemsul_match --engine1 PATH --engine2 PATH [--tc 10+0.1|10/5] [--games N]\n");
        return false;
    }
    for (auto& m : c.m)
        if (m.ponder) m.opciones.push_back({"Ponder", "true"});
    return true;
}


bool MaterialInsuficiente() {
    const DatosBando& b = Blancas;
    const DatosBando& n = Negras;
    if (b.NumPeones || n.NumPeones || b.NumTorres || n.NumTorres || b.NumDamas || n.NumDamas) return false;
    return b.NumCaballos + b.NumAlfiles <= 1 && n.NumCaballos + n.NumAlfiles <= 1;
}

struct Resultado {
    int ganador = -1;  // 0 or 1 (engine index), -1 draw
    std::string motivo;
    int plies = 0;
    long long reloj[2] = {0, 0};  // clocks left at the end, by engine
    int falta = -1;  // the engine (0 or 1) that misbehaved: illegal move, forfeit, crash, hang
};

Resultado JugarPartida(Config& c, int blancas, unsigned semilla) {
    Resultado r;
    std::vector<std::string> jugadas;
    std::srand(semilla);
    auto texto = [&] {
        std::string s;
        for (auto& j : jugadas) s += j + " ";
        return s;
    };
    auto Colocar = [&] { Position_Fen_Startpos(("startpos moves " + texto()).c_str()); };
    Colocar();
    std::map<u64, int> vistas;
    // A few random opening plies so that the games differ.
    for (int i = 0; i < c.aperturas; i++) {
        auto l = JugadasLegales();
        if (l.empty()) break;
        jugadas.push_back(l[size_t(std::rand()) % l.size()]);
        Colocar();
    }
    long long reloj[2] = {c.tc.baseMs, c.tc.baseMs};
    int enPeriodo[2] = {0, 0};
    for (auto& m : c.m) {
        m.Enviar("ucinewgame");
        m.Enviar("isready");
        if (!m.Esperar("readyok", AhoraMs() + 10000)) {
            r.motivo = "no readyok from " + m.ruta;
            r.falta = int(&m - c.m);
            return r;
        }
    }
    for (;;) {
        Colocar();
        u64 clave = TableroGlobal.Hash;
        if (++vistas[clave] >= 3) { r.motivo = "threefold repetition"; break; }
        auto legales = JugadasLegales();
        int turnoMotor = (TableroGlobal.Turno == 1) == (blancas == 0) ? 0 : 1;
        if (legales.empty()) {
            if (BandoEnJaque()) {
                r.ganador = 1 - turnoMotor;
                r.motivo = "checkmate";
            } else {
                r.motivo = "stalemate";
            }
            break;
        }
        if (TableroGlobal.Regla50 >= 100) { r.motivo = "fifty moves"; break; }
        if (MaterialInsuficiente()) { r.motivo = "insufficient material"; break; }
        if (jugadas.size() >= 400) { r.motivo = "adjudicated: 400 plies"; break; }

        Motor& m = c.m[turnoMotor];
        int wi = blancas, bi = 1 - blancas;
        std::string go = "go wtime " + std::to_string(reloj[wi]) + " btime " + std::to_string(reloj[bi]);
        if (c.tc.incMs) go += " winc " + std::to_string(c.tc.incMs) + " binc " + std::to_string(c.tc.incMs);
        if (c.tc.movimientos) go += " movestogo " + std::to_string(c.tc.movimientos - enPeriodo[turnoMotor]);
        m.Enviar("position startpos moves " + texto());
        long long inicio = AhoraMs();
        m.Enviar(go);
        std::string linea;
        // Generous wait so a hang is told apart from a slow move; the clock decides forfeits.
        bool ok = m.Esperar("bestmove", inicio + reloj[turnoMotor] + 5000, &linea);
        long long usado = AhoraMs() - inicio;
        if (!ok) {
            r.ganador = 1 - turnoMotor;
            r.motivo = m.fin ? "crash of " + m.ruta : "no answer from " + m.ruta;
            r.falta = turnoMotor;
            break;
        }
        reloj[turnoMotor] -= usado;
        if (reloj[turnoMotor] < 0) {
            r.ganador = 1 - turnoMotor;
            r.motivo = "time forfeit of " + m.ruta + " (" + std::to_string(usado) + " ms used)";
            r.falta = turnoMotor;
            break;
        }
        reloj[turnoMotor] += c.tc.incMs;
        if (c.tc.movimientos && ++enPeriodo[turnoMotor] == c.tc.movimientos) {
            enPeriodo[turnoMotor] = 0;
            reloj[turnoMotor] += c.tc.baseMs;
        }
        char jug[16] = "";
        std::sscanf(linea.c_str(), "bestmove %15s", jug);
        bool legal = false;
        for (auto& l : legales) legal |= l == jug;
        if (!legal) {
            r.ganador = 1 - turnoMotor;
            r.motivo = std::string("illegal move ") + jug + " by " + m.ruta + " after: " + texto();
            r.falta = turnoMotor;
            break;
        }
        jugadas.push_back(jug);
    }
    r.plies = int(jugadas.size());
    r.reloj[0] = reloj[0];
    r.reloj[1] = reloj[1];
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    IniciarMotor();
    Config c;
    if (!LeerArgumentos(argc, argv, c)) return 2;
    signal(SIGPIPE, SIG_IGN);
    for (auto& m : c.m)
        if (!m.Iniciar()) {
            std::printf("cannot start %s\n", m.ruta.c_str());
            return 1;
        }
    int puntos[3] = {0, 0, 0};  // engine 1 wins, draws, engine 2 wins
    int faltas[2] = {0, 0};
    for (int g = 0; g < c.partidas; g++) {
        // Each opening is played twice, with colours reversed.
        int blancas = g % 2;
        Resultado r = JugarPartida(c, blancas, c.semilla + unsigned(g / 2));
        if (r.ganador == 0) puntos[0]++;
        else if (r.ganador == 1) puntos[2]++;
        else puntos[1]++;
        if (r.falta >= 0) faltas[r.falta]++;
        std::printf("game %d: %s white, %s, %d plies: %s (clocks left: %lld / %lld ms)\n", g + 1,
                    c.m[blancas].ruta.c_str(),
                    r.ganador < 0 ? "draw" : (r.ganador == 0 ? "engine1 wins" : "engine2 wins"), r.plies,
                    r.motivo.c_str(), r.reloj[0], r.reloj[1]);
        std::fflush(stdout);
        // After a fault both engines start afresh for the next game.
        if (r.falta >= 0)
            for (auto& m : c.m) {
                m.Terminar();
                m.Iniciar();
            }
    }
    int estados[2];
    for (int i = 0; i < 2; i++) estados[i] = c.m[i].Terminar();
    std::printf("result: engine1 +%d =%d -%d; faults (illegal move, time forfeit, crash, hang): engine1 %d, "
                "engine2 %d; exit status %d / %d\n",
                puntos[0], puntos[1], puntos[2], faltas[0], faltas[1], estados[0], estados[1]);
    // Only the first engine is under test.
    return faltas[0] || estados[0] != 0 ? 1 : 0;
}
