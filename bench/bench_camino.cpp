// The three roads at full size, timed side by side in one run:
//
//   flat   a flat file of the given size for the sample form 0801/00100
//          (nesting, attributes, every field type, regular expressions);
//   vista  a vista file of the given size for the sample form 0803/00100;
//   XML    a document for the sample form 0804/00100 as large as the XML
//          road takes (32,767 records, about 16 MB), whatever the size.
//
// For each road:
//   (a) the validator alone: CValidarArchivo::Validar with a progress window
//       and a yield that do nothing (XML road: CValidarXml::ValidarXML);
//   (b) the real window offscreen, from "Procesar" to the file in Procesados,
//       with its steps read from its status captions;
//   (c) xmllint --stream --noout --schema on the same document.
// Each runs in a process of its own (this program started again), so its wall
// time and peak resident memory (ru_maxrss from wait4) are its own.
//
//   bench_camino [megabytes=100, at most 1000] [rounds=1]   (best round shown)
#include "bench/bench_camino_unidad.h"
#include "bench/bench_camino_ventana.h"
#include "platform/runtime/FileSystem.h"
#include "platform/ui/QtCarpetaEjecucion.h"
#include "platform/ui/ScriptedDialogs.h"
#include "processing/CValidarXml.h"
#include "validation/CValidarArchivo.h"
#include "validation/VentanaProgresoMinima.h"

#include <QApplication>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

double segundos(RelojCamino::time_point desde, RelojCamino::time_point hasta) {
    return std::chrono::duration<double>(hasta - desde).count();
}

// What a child process reports: one "name value" line each.
using Medidas = std::map<std::string, double>;

void informar(const char* nombre, double valor) {
    std::printf("%s %.6f\n", nombre, valor);
}

std::string documentoDeTrabajo(const UnidadCamino& u) {
    return rt::tempPath("F" + u.formulario().replace(4, 1, "_") + ".xml");
}

// (a), in the child.
void soloValidador(const UnidadCamino& u) {
    const std::string form = u.formulario().substr(0, 4), version = u.formulario().substr(5, 5);
    ui::ScriptedDialogs sinCeder;
    ui::setDialogs(&sinCeder);
    const auto inicio = RelojCamino::now();
    bool valido;
    std::string error;
    if (u.camino() == Camino::Xml) {
        CValidarXml validador;
        valido = validador.ValidarXML(u.entrada(), form, version);
        error = validador.Error();
    } else {
        VentanaProgresoMinima minima(rt::fileTitle(u.entrada()));
        CValidarArchivo validador;
        validador.formulario(&minima);
        std::string ruta = u.entrada();
        valido = validador.Validar(ruta, form, version, u.camino() == Camino::Vista ? "V" : "P");
        error = validador.Error();
    }
    informar("a", segundos(inicio, RelojCamino::now()));
    ui::setDialogs(nullptr);
    if (!valido)
        throw std::runtime_error("the input does not validate: " + error);
    if (u.camino() != Camino::Xml)
        fs::rename(documentoDeTrabajo(u), u.documento());
    u.limpiar();
}

RelojCamino::time_point momento(const Cronometro& reloj, const std::string& estado) {
    for (const auto& [texto, t] : reloj.estados)
        if (texto == estado)
            return t;
    throw std::runtime_error("the run never showed \"" + estado + "\"");
}

// (b), in the child: the window's own run, its steps between its captions.
template <typename Ventana> void enVentana(const UnidadCamino& u, int argc, char** argv) {
    ui::prepararCarpetaDeEjecucion();
    QApplication app(argc, argv);
    DialogosCamino dialogos(u.entrada());
    ui::setDialogs(&dialogos);
    Ventana ventana;
    abrirVentana(ventana, u.formulario());
    ventana.reloj.estados.clear();
    const auto inicio = RelojCamino::now();
    pulsarProcesar(ventana);
    const auto fin = RelojCamino::now();
    if (dialogos.cajas.size() != 1 || dialogos.cajas[0].first.rfind("Se genero", 0) != 0)
        throw std::runtime_error("the run did not end with its file: " +
                                 (dialogos.cajas.empty() ? "" : dialogos.cajas[0].first));
    const Cronometro& r = ventana.reloj;
    const auto generando = momento(r, "Generando Archivo ....");
    const auto join = momento(r, "Haciendo Join de Archivos ....");
    const auto encriptando = momento(r, "Encriptando ....");
    // The caption emptied right after the library's call.
    const auto encriptado = std::find_if(r.estados.begin(), r.estados.end(),
                                         [&](const auto& e) { return e.second > encriptando; });
    if (u.camino() == Camino::Xml) {
        informar("esquema", segundos(inicio, generando));
        informar("empaquetado", segundos(generando, join));
    } else {
        informar("validacion", segundos(inicio, r.ultimoProgreso));
        informar("esquema", segundos(r.ultimoProgreso, generando));
        informar("cabecera", segundos(generando, join));
    }
    informar("union", segundos(join, encriptando));
    informar("encriptado", segundos(encriptando, encriptado->second));
    informar("copia", segundos(encriptado->second, dialogos.cajas[0].second));
    informar("b", segundos(inicio, fin));
    double cifrado = 0;
    for (const auto& e : fs::directory_iterator(u.procesados()))
        cifrado += static_cast<double>(e.file_size());
    informar("b64", cifrado);
    ui::setDialogs(nullptr);
    u.limpiar();
}

int hijo(Camino camino, const std::string& que, int argc, char** argv) {
    UnidadCamino u(camino, 0, false);
    if (que == "a")
        soloValidador(u);
    else if (camino == Camino::Xml)
        enVentana<FrmXmlCronometrado>(u, argc, argv);
    else
        enVentana<FrmPlanosCronometrado>(u, argc, argv);
    return 0;
}

// Runs argv in a child; its output read into medidas, its peak memory and
// wall time added.
Medidas correrHijo(const std::vector<std::string>& args, bool leer) {
    int tubo[2];
    if (::pipe(tubo) != 0)
        throw std::runtime_error("pipe");
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto inicio = RelojCamino::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(tubo[1], 1);
        if (!leer && !::freopen("/dev/null", "w", stderr))
            ::_exit(126);
        ::close(tubo[0]);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(tubo[1]);
    std::string salida;
    char buf[4096];
    for (ssize_t n; (n = ::read(tubo[0], buf, sizeof buf)) > 0;)
        salida.append(buf, static_cast<std::size_t>(n));
    ::close(tubo[0]);
    int estado = 0;
    rusage uso{};
    ::wait4(pid, &estado, 0, &uso);
    Medidas m;
    m["pared"] = segundos(inicio, RelojCamino::now());
    m["rss"] = static_cast<double>(uso.ru_maxrss) / 1024.0;
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0)
        throw std::runtime_error(args[0] + " failed: " + salida);
    std::size_t i = 0;
    while (leer && i < salida.size()) {
        const std::size_t fin = salida.find('\n', i);
        const std::string linea = salida.substr(i, fin - i);
        const std::size_t blanco = linea.find(' ');
        if (blanco != std::string::npos)
            m[linea.substr(0, blanco)] = std::atof(linea.c_str() + blanco + 1);
        i = fin == std::string::npos ? salida.size() : fin + 1;
    }
    return m;
}

// The best round of each figure: least time, most memory.
void mejor(Medidas& actual, const Medidas& nueva) {
    for (const auto& [k, v] : nueva) {
        auto it = actual.find(k);
        if (it == actual.end())
            actual[k] = v;
        else
            it->second = k == "rss" ? std::max(it->second, v) : std::min(it->second, v);
    }
}

void fila(const char* texto, double s) {
    std::printf("  %-48s %8.2f s\n", texto, s);
}

void imprimir(const UnidadCamino& u, double entradaMB, Medidas& a, Medidas& b, Medidas& c) {
    const double docMB = static_cast<double>(fs::file_size(u.documento())) / 1e6;
    std::printf("\n%s road: input %.1f MB (form %s), document %.1f MB\n", nombreCamino(u.camino()),
                entradaMB, u.formulario().c_str(), docMB);
    std::printf("  %-48s %8.2f s  %7.1f MB/s of input   peak RSS %5.0f MB\n", "(a) validator alone",
                a["a"], entradaMB / a["a"], a["rss"]);
    std::printf("  %-48s %8.2f s  %5.2f x (c)                peak RSS %5.0f MB\n",
                "(b) window: Procesar -> file in Procesados", b["b"], b["b"] / c["pared"],
                b["rss"]);
    if (u.camino() == Camino::Xml) {
        fila("      schema validation", b["esquema"]);
        fila("      packing into records", b["empaquetado"]);
    } else {
        fila("      validation and conversion", b["validacion"]);
        fila("      schema validation", b["esquema"]);
        fila("      header file", b["cabecera"]);
    }
    fila("      join", b["union"]);
    const double unidoMB = b["b64"] * 3 / 4 / 1e6;
    std::printf("  %-48s %8.2f s  %7.1f MB/s of joined file (%.1f MB)\n", "      encryption",
                b["encriptado"], unidoMB / b["encriptado"], unidoMB);
    fila("      copy into Procesados", b["copia"]);
    std::printf("  %-48s %8.2f s                            peak RSS %5.0f MB\n",
                "(c) xmllint --stream --noout --schema", c["pared"], c["rss"]);
}

void camino(Camino cual, double megabytes, int rondas, const std::string& yo) {
    UnidadCamino u(cual, megabytes, true);
    const double entradaMB = static_cast<double>(u.bytes()) / 1e6;
    const std::string nombre = std::to_string(static_cast<int>(cual));
    Medidas a, b, c;
    for (int r = 0; r < rondas; ++r) {
        mejor(a, correrHijo({yo, "--hijo", nombre, "a"}, true));
        mejor(b, correrHijo({yo, "--hijo", nombre, "b"}, true));
        mejor(c,
              correrHijo({"xmllint", "--stream", "--noout", "--schema", u.esquema(), u.documento()},
                         false));
    }
    imprimir(u, entradaMB, a, b, c);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    try {
        if (argc >= 4 && std::string(argv[1]) == "--hijo")
            return hijo(static_cast<Camino>(std::atoi(argv[2])), argv[3], argc, argv);
        const double megabytes = std::clamp(argc > 1 ? std::atof(argv[1]) : 100, 0.1, 1000.0);
        const int rondas = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
        const std::string yo = fs::read_symlink("/proc/self/exe").string();
        for (Camino cual : {Camino::Plano, Camino::Vista, Camino::Xml})
            camino(cual, megabytes, rondas, yo);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_camino: %s\n", e.what());
        return 1;
    }
}
