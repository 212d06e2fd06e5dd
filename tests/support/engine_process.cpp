#include "support/engine_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {
long long AhoraMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

ProcesoMotor::ProcesoMotor(const std::vector<std::string>& argumentos, const std::string& directorio,
                           const std::string& programa) {
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork");
    if (pid_ == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        if (!directorio.empty() && chdir(directorio.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        std::string binario = programa;
        argv.push_back(binario.data());
        std::vector<std::string> copia = argumentos;
        for (auto& a : copia) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(binario.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    entrada_ = in[1];
    salida_ = out[0];
}

ProcesoMotor::~ProcesoMotor() {
    CerrarEntrada();
    if (pid_ > 0) Esperar(5000);  // kills the process if it does not end in time
    if (salida_ >= 0) close(salida_);
}

void ProcesoMotor::Enviar(const std::string& linea) { EnviarCrudo(linea + "\n"); }

void ProcesoMotor::EnviarCrudo(const std::string& bytes) {
    if (entrada_ < 0) return;
    size_t hecho = 0;
    while (hecho < bytes.size()) {
        ssize_t n = write(entrada_, bytes.data() + hecho, bytes.size() - hecho);
        if (n <= 0) return;
        hecho += size_t(n);
    }
}

void ProcesoMotor::CerrarEntrada() {
    if (entrada_ >= 0) close(entrada_);
    entrada_ = -1;
}

bool ProcesoMotor::LeerLinea(std::string& linea, int milisegundos) {
    long long limite = AhoraMs() + milisegundos;
    for (;;) {
        size_t nl = pendiente_.find('\n');
        if (nl != std::string::npos) {
            linea = pendiente_.substr(0, nl);
            pendiente_.erase(0, nl + 1);
            return true;
        }
        if (fin_) {
            if (pendiente_.empty()) return false;
            linea = pendiente_;
            pendiente_.clear();
            return true;
        }
        long long resta = limite - AhoraMs();
        if (resta <= 0) return false;
        pollfd p{salida_, POLLIN, 0};
        int r = poll(&p, 1, int(resta));
        if (r <= 0) continue;
        char buf[4096];
        ssize_t n = read(salida_, buf, sizeof buf);
        if (n <= 0) fin_ = true;
        else pendiente_.append(buf, size_t(n));
    }
}

std::vector<std::string> ProcesoMotor::LeerHasta(const std::string& prefijo, int milisegundos) {
    std::vector<std::string> lineas;
    long long limite = AhoraMs() + milisegundos;
    std::string l;
    while (LeerLinea(l, int(std::max(0LL, limite - AhoraMs())))) {
        lineas.push_back(l);
        if (l.rfind(prefijo, 0) == 0) break;
    }
    return lineas;
}

std::vector<std::string> ProcesoMotor::LeerTodo(int milisegundos) {
    std::vector<std::string> lineas;
    long long limite = AhoraMs() + milisegundos;
    std::string l;
    while (LeerLinea(l, int(std::max(0LL, limite - AhoraMs())))) lineas.push_back(l);
    return lineas;
}

int ProcesoMotor::Esperar(int milisegundos) {
    if (estado_ != -2) return estado_;
    long long limite = AhoraMs() + milisegundos;
    while (AhoraMs() < limite) {
        int st;
        pid_t r = waitpid(pid_, &st, WNOHANG);
        if (r == pid_) {
            estado_ = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
            return estado_;
        }
        usleep(2000);
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    estado_ = -1;
    return -1;
}

std::vector<std::string> Transcripcion(const std::vector<std::string>& lineas, int* estado,
                                       const std::string& directorio) {
    ProcesoMotor motor({}, directorio);
    for (const auto& l : lineas) motor.Enviar(l);
    motor.CerrarEntrada();
    // Generous: a transcript may hold searches, slow in the sanitizer build on a loaded machine.
    auto salida = motor.LeerTodo(120000);
    int st = motor.Esperar();
    if (estado) *estado = st;
    return salida;
}
