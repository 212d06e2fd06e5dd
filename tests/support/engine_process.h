// Drives the real engine binary through pipes, as a GUI does: send lines, read lines, close the
// input, collect the exit status. The times are hang guards only, generous enough for the
// sanitizer build on a loaded machine: a test waits for lines, never for a time.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

class ProcesoMotor {
public:
    // Starts the engine binary (or another program, such as a reference engine) with the
    // given arguments, in the given working directory.
    explicit ProcesoMotor(const std::vector<std::string>& argumentos = {}, const std::string& directorio = "",
                          const std::string& programa = VEMSUL_BINARY);
    ~ProcesoMotor();
    ProcesoMotor(const ProcesoMotor&) = delete;
    ProcesoMotor& operator=(const ProcesoMotor&) = delete;

    void Enviar(const std::string& linea);  // a newline is appended
    void Enviar(std::initializer_list<std::string> lineas);
    void EnviarCrudo(const std::string& bytes);
    void CerrarEntrada();

    // Next output line without its newline; false on timeout or end of output.
    bool LeerLinea(std::string& linea, int milisegundos = 600000);
    // Reads lines until one starts with `prefijo` (included in the result), the output ends (an
    // empty prefix: read everything) or the time runs out.
    std::vector<std::string> LeerHasta(const std::string& prefijo, int milisegundos = 600000);
    // Everything until the engine closes its output.
    std::vector<std::string> LeerTodo(int milisegundos = 600000);
    // Waits for the process to end; returns its exit status, or -1 if it did not end in time
    // (it is then killed) or ended by a signal.
    int Esperar(int milisegundos = 300000);
    int Terminar();  // "quit", then Esperar()
    int Pid() const { return pid_; }

private:
    int pid_ = -1;
    int entrada_ = -1;
    int salida_ = -1;
    std::string pendiente_;
    bool fin_ = false;
    int estado_ = -2;
};

// Runs the engine (in the given working directory) with the given input lines, then closes its
// input; returns its output lines and, through `estado`, its exit status.
std::vector<std::string> Transcripcion(const std::vector<std::string>& lineas, int* estado = nullptr,
                                       const std::string& directorio = "");
// The same, for a session that must end the engine with status 0.
std::vector<std::string> Sesion(const std::vector<std::string>& lineas, const std::string& directorio = "");

// A fresh directory under /tmp, removed with its contents at the end of the test.
class DirectorioTemporal {
public:
    DirectorioTemporal();
    ~DirectorioTemporal();
    DirectorioTemporal(const DirectorioTemporal&) = delete;
    DirectorioTemporal& operator=(const DirectorioTemporal&) = delete;
    const std::string& Ruta() const { return ruta_; }
    std::string Fichero(const std::string& nombre) const { return ruta_ + "/" + nombre; }

private:
    std::string ruta_;
};
