#include "shell/ArregloSoloLectura.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "shell/Rutas.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <future>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

extern char** environ;

namespace {

constexpr int kArchivoBat = 2;

std::mutex mutexUltimo;
std::shared_future<void> ultimo; // end of the fix started last

std::string entreComillas(const std::string& texto) {
    std::string salida = "'";
    for (char c : texto) {
        if (c == '\'')
            salida += "'\\''";
        else
            salida += c;
    }
    return salida + "'";
}

// The line ends in CR LF like every line written; the trailing comment keeps
// the CR out of the file name. Written as a new file: a link or a FIFO left
// at the name is removed, never written through.
void escribirBat(const std::string& bat) {
    rt::Open(bat, rt::OpenMode::Output, kArchivoBat);
    try {
        rt::PrintLine(kArchivoBat,
                      "chmod u+w " + entreComillas(rt::resolveCase(rutas::baseDatos())) + " #");
    } catch (...) {
        rt::Close(kArchivoBat);
        throw;
    }
    rt::Close(kArchivoBat);
}

pid_t iniciar(const std::string& bat) {
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&acciones, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&acciones, 2, "/dev/null", O_WRONLY, 0);
    std::string programa = "sh";
    char* argumentos[] = {programa.data(), const_cast<char*>(bat.c_str()), nullptr};
    pid_t pid = 0;
    int rc = posix_spawn(&pid, "/bin/sh", &acciones, nullptr, argumentos, environ);
    posix_spawn_file_actions_destroy(&acciones);
    if (rc != 0)
        rt::raise(rt::err::FileNotFound);
    return pid;
}

std::shared_future<void> recoger(pid_t pid) {
    auto promesa = std::make_shared<std::promise<void>>();
    std::shared_future<void> fin = promesa->get_future().share();
    try {
        std::thread([pid, promesa] {
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
            promesa->set_value();
        }).detach();
    } catch (const std::system_error&) {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        promesa->set_value();
    }
    return fin;
}

} // namespace

void ArregloSoloLectura::aplicar() {
    std::string bat = rt::resolveCase(rutas::tempBat());
    escribirBat(bat);
    std::shared_future<void> fin = recoger(iniciar(bat));
    std::lock_guard<std::mutex> bloqueo(mutexUltimo);
    ultimo = fin;
}

bool ArregloSoloLectura::esperar(std::chrono::milliseconds limite) {
    std::shared_future<void> fin;
    {
        std::lock_guard<std::mutex> bloqueo(mutexUltimo);
        fin = ultimo;
    }
    return !fin.valid() || fin.wait_for(limite) == std::future_status::ready;
}
