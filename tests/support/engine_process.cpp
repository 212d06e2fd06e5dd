#include "support/engine_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
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
    // Close-on-exec: no other engine of the same test holds our pipes open (its input would then
    // never reach its end); dup2 clears the flag on standard input and output.
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || (pid_ = fork()) < 0)
        throw std::runtime_error("pipe or fork");
    if (pid_ == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        if (!directorio.empty() && chdir(directorio.c_str()) != 0) _exit(126);
        std::vector<std::string> copia = argumentos;
        // make test-windows runs the same sessions against the Windows build, through Wine.
        const char* otro = std::getenv("VEMSUL_MOTOR");
        copia.insert(copia.begin(), programa == VEMSUL_BINARY && otro && *otro ? otro : programa);
        std::vector<char*> argv;
        for (auto& a : copia) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    entrada_ = in[1];
    salida_ = out[0];
}

ProcesoMotor::~ProcesoMotor() {
    CerrarEntrada();
    if (pid_ > 0) Esperar();  // kills the process if it does not end in time
    if (salida_ >= 0) close(salida_);
}

void ProcesoMotor::Enviar(const std::string& linea) { EnviarCrudo(linea + "\n"); }

void ProcesoMotor::Enviar(std::initializer_list<std::string> lineas) {
    for (const auto& l : lineas) Enviar(l);
}

int ProcesoMotor::Terminar() {
    Enviar("quit");
    return Esperar();
}

void ProcesoMotor::EnviarCrudo(const std::string& bytes) {
    for (size_t hecho = 0; entrada_ >= 0 && hecho < bytes.size();) {
        const ssize_t n = write(entrada_, bytes.data() + hecho, bytes.size() - hecho);
        if (n <= 0) return;
        hecho += size_t(n);
    }
}

void ProcesoMotor::CerrarEntrada() {
    if (entrada_ >= 0) close(entrada_);
    entrada_ = -1;
}

bool ProcesoMotor::LeerLinea(std::string& linea, int milisegundos) {
    const long long limite = AhoraMs() + milisegundos;
    for (;;) {
        const size_t nl = pendiente_.find('\n');
        if (nl != std::string::npos || (fin_ && !pendiente_.empty())) {
            linea = pendiente_.substr(0, nl);
            pendiente_.erase(0, nl == std::string::npos ? nl : nl + 1);
            return true;
        }
        const long long resta = limite - AhoraMs();
        if (fin_ || resta <= 0) return false;
        pollfd p{salida_, POLLIN, 0};
        if (poll(&p, 1, int(resta)) <= 0) continue;
        char buf[4096];
        const ssize_t n = read(salida_, buf, sizeof buf);
        if (n <= 0) fin_ = true;
        else pendiente_.append(buf, size_t(n));
    }
}

std::vector<std::string> ProcesoMotor::LeerHasta(const std::string& prefijo, int milisegundos) {
    std::vector<std::string> lineas;
    const long long limite = AhoraMs() + milisegundos;
    for (std::string l; LeerLinea(l, int(std::max(0LL, limite - AhoraMs())));) {
        lineas.push_back(l);
        if (!prefijo.empty() && l.rfind(prefijo, 0) == 0) break;
    }
    return lineas;
}

std::vector<std::string> ProcesoMotor::LeerTodo(int milisegundos) { return LeerHasta("", milisegundos); }

int ProcesoMotor::Esperar(int milisegundos) {
    for (const long long limite = AhoraMs() + milisegundos; estado_ == -2 && AhoraMs() < limite; usleep(2000)) {
        int st;
        if (waitpid(pid_, &st, WNOHANG) == pid_) estado_ = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }
    if (estado_ == -2) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        estado_ = -1;
    }
    return estado_;
}

std::vector<std::string> Transcripcion(const std::vector<std::string>& lineas, int* estado,
                                       const std::string& directorio) {
    ProcesoMotor motor({}, directorio);
    for (const auto& l : lineas) motor.Enviar(l);
    motor.CerrarEntrada();
    auto salida = motor.LeerTodo();
    if (estado) *estado = motor.Esperar();
    return salida;
}

std::vector<std::string> Sesion(const std::vector<std::string>& lineas, const std::string& directorio) {
    int estado = -5;
    auto salida = Transcripcion(lineas, &estado, directorio);
    EXPECT_EQ(estado, 0);
    return salida;
}

DirectorioTemporal::DirectorioTemporal() {
    char plantilla[] = "/tmp/vemsul_XXXXXX";
    if (!mkdtemp(plantilla)) std::abort();
    ruta_ = plantilla;
}

DirectorioTemporal::~DirectorioTemporal() {
    std::error_code e;
    std::filesystem::remove_all(ruta_, e);
}
