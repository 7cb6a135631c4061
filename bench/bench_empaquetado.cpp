// The XML road's packing of a user's document: the check that the packing
// keeps it, then the packing into records, each in a child process, so that
// its wall time and peak memory (max RSS from wait4) show. Documents: one
// line of the given size, and the same text pretty-printed, one element a
// line. A one-line document beyond 32,767 records ends in overflow (exit 6),
// as the road does.
//
//   bench_empaquetado [megabytes=15] [folder]
#include "platform/runtime/RuntimeError.h"
#include "processing/ControlEmpaquetado.h"
#include "processing/EmpaquetadorXml.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SinVentana : public VentanaArchivoFinal {
public:
    void EtiquetaCaption(const std::string&) override {}
    void EtiquetaRefresh() override {}
    bool Abierta() const override { return true; }
};

void generar(const std::string& ruta, double megabytes, const char* finDeElemento) {
    std::ofstream doc(ruta, std::ios::binary);
    doc << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" << finDeElemento
        << "<d xmlns=\"urn:prueba\">" << finDeElemento;
    const auto objetivo = static_cast<std::uintmax_t>(megabytes * 1024 * 1024);
    for (long n = 1; static_cast<std::uintmax_t>(doc.tellp()) < objetivo; ++n)
        doc << "  <e n=\"" << n << "\">Exportadora del Sur S.A. " << n << "</e>" << finDeElemento;
    doc << "</d>" << finDeElemento;
}

// Exit code: 0, or the number of the run-time error that ended the step.
void medir(const char* paso, const std::function<void()>& trabajo) {
    std::fflush(stdout);
    const auto inicio = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        try {
            trabajo();
        } catch (const rt::RuntimeError& e) {
            _exit(e.number() & 0xFF);
        }
        _exit(0);
    }
    int estado = 0;
    rusage uso{};
    wait4(pid, &estado, 0, &uso);
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    std::printf("  %-10s %7.3f s  max RSS %7ld KB  exit %d\n", paso, segundos, uso.ru_maxrss,
                WIFEXITED(estado) ? WEXITSTATUS(estado) : -1);
}

} // namespace

int main(int argc, char** argv) {
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 15.0;
    const std::filesystem::path carpeta =
        argc > 2 ? std::filesystem::path(argv[2])
                 : std::filesystem::temp_directory_path() / "bench_empaquetado";
    std::filesystem::create_directories(carpeta);
    setenv("tmp", carpeta.c_str(), 1);
    for (const auto& [nombre, fin] : {std::pair{"una_linea.xml", ""}, {"indentado.xml", "\r\n"}}) {
        const std::string ruta = (carpeta / nombre).string();
        generar(ruta, megabytes, fin);
        std::printf("%s, %.1f MB\n", nombre, megabytes);
        medir("check", [&] {
            ControlEmpaquetado control;
            if (!control.Revisar(ruta))
                std::_Exit(1);
        });
        std::filesystem::remove(carpeta / "registros.txt");
        medir("packing", [&] {
            SinVentana ventana;
            EmpaquetadorXml(ventana).Empaquetar(ruta, "registros.txt");
        });
        std::filesystem::remove(carpeta / "registros.txt");
        std::filesystem::remove(ruta);
    }
    return 0;
}
