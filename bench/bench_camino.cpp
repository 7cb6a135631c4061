// The whole flat road at full size, timed side by side in one run, on a
// flat file of about 100 MB for the sample form 0801/00100 (nesting,
// attributes, every field type, regular expressions):
//
//   (a)  CValidarArchivo::Validar alone: a progress window that does
//        nothing, a yield that does nothing;
//   (a') the same validator with the real flat window's label as its
//        progress window and the application's real yield (processEvents):
//        what the window's per-line caption, repaint and yield cost;
//   (a") as (a'), with the label refreshed at most 25 times a second and the
//        yield run at most once every 2 ms: a model of the fix for (a');
//   (b)  the real FrmProcesarPlanos offscreen, from "Procesar" to the file
//        in Procesados, with its phases read from its status captions;
//   (c)  xmllint --stream --noout --schema on the generated document.
//
//   bench_camino [megabytes=100] [rounds=1]     (best round of each shown)
#include "bench/bench_camino_unidad.h"
#include "bench/bench_camino_ventana.h"
#include "platform/runtime/FileSystem.h"
#include "platform/ui/ScriptedDialogs.h"
#include "validation/CValidarArchivo.h"
#include "validation/VentanaProgresoMinima.h"

#include <QApplication>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

const std::string kTitulo = "plano.txt";
const std::string kDocumento = "F0801_00100.xml";

double segundos(RelojCamino::time_point desde, RelojCamino::time_point hasta) {
    return std::chrono::duration<double>(hasta - desde).count();
}

struct Fases {
    double validacion = 0, esquema = 0, cabecera = 0, union_ = 0, encriptado = 0, copia = 0,
           total = 0;
};

// (a) and (a'): the validator with the given progress window and yield.
double validar(VentanaProgreso& progreso, ui::Dialogs& dialogos, const UnidadCamino& u) {
    ui::setDialogs(&dialogos);
    CValidarArchivo validador;
    validador.formulario(&progreso);
    std::string ruta = u.plano();
    const auto inicio = RelojCamino::now();
    const bool valido = validador.Validar(ruta, "0801", "00100", "P");
    const double s = segundos(inicio, RelojCamino::now());
    if (!valido)
        throw std::runtime_error("the flat file does not validate: " + validador.Error());
    return s;
}

RelojCamino::time_point momento(const FrmPlanosCronometrado& v, const std::string& estado) {
    for (const auto& [texto, t] : v.estados)
        if (texto == estado)
            return t;
    throw std::runtime_error("the run never showed \"" + estado + "\"");
}

// (b): the window's own run, its phases between its status captions.
Fases procesar(FrmPlanosCronometrado& ventana, DialogosCamino& dialogos) {
    ui::setDialogs(&dialogos);
    dialogos.cajas.clear();
    const auto inicio = RelojCamino::now();
    ventana.procesar();
    const auto fin = RelojCamino::now();
    if (dialogos.cajas.size() != 1 || dialogos.cajas[0].first.rfind("Se genero", 0) != 0)
        throw std::runtime_error("the run did not end with its file: " +
                                 (dialogos.cajas.empty() ? "" : dialogos.cajas[0].first));
    const auto generando = momento(ventana, "Generando Archivo ....");
    const auto join = momento(ventana, "Haciendo Join de Archivos ....");
    const auto encriptando = momento(ventana, "Encriptando ....");
    // The caption emptied right after the library's call.
    const auto encriptado = std::find_if(ventana.estados.begin(), ventana.estados.end(),
                                         [&](const auto& e) { return e.second > encriptando; });
    Fases f;
    f.validacion = segundos(inicio, ventana.ultimoProgreso);
    f.esquema = segundos(ventana.ultimoProgreso, generando);
    f.cabecera = segundos(generando, join);
    f.union_ = segundos(join, encriptando);
    f.encriptado = segundos(encriptando, encriptado->second);
    f.copia = segundos(encriptado->second, dialogos.cajas[0].second);
    f.total = segundos(inicio, fin);
    return f;
}

// (c): xmllint in its own process, wall time.
double xmllint(const std::string& esquema, const std::string& documento) {
    const std::string orden =
        "xmllint --stream --noout --schema '" + esquema + "' '" + documento + "' >/dev/null 2>&1";
    const auto inicio = RelojCamino::now();
    const int estado = std::system(orden.c_str());
    const double s = segundos(inicio, RelojCamino::now());
    if (estado != 0)
        throw std::runtime_error("xmllint did not validate the document");
    return s;
}

void minimo(double& actual, double nuevo) {
    actual = actual == 0 ? nuevo : std::min(actual, nuevo);
}

struct Tiempos {
    double a = 0, a2 = 0, a3 = 0, c = 0, docMB = 0;
    Fases b;
};

void informar(const UnidadCamino& u, const Tiempos& t) {
    const double a = t.a, a2 = t.a2, c = t.c;
    const Fases& b = t.b;
    const double mb = static_cast<double>(u.bytes()) / 1e6;
    std::printf("flat file: %.1f MB, %ld lines (form 0801/00100); document: %.1f MB\n\n", mb,
                u.lineas(), t.docMB);
    std::printf("%-52s %8.2f s  %6.1f MB/s\n", "(a)  validator alone", a, mb / a);
    std::printf("%-52s %8.2f s  %+6.1f%% over (a)   target <= +15%%\n",
                "(a') validator + window label, repaint, real yield", a2, (a2 / a - 1) * 100);
    std::printf("%-52s %8.2f s  %+6.1f%% over (a)\n",
                "(a\") as (a'), label <= 25/s, yield <= every 2 ms", t.a3, (t.a3 / a - 1) * 100);
    std::printf("%-52s %8.2f s  %6.2f x (c)        target <= 5x\n",
                "(b)  window: Procesar -> file in Procesados", b.total, b.total / c);
    std::printf("%-52s %8.2f s  %+6.1f%% over (a)\n", "       validation", b.validacion,
                (b.validacion / a - 1) * 100);
    std::printf("%-52s %8.2f s\n", "       schema validation", b.esquema);
    std::printf("%-52s %8.2f s\n", "       header file", b.cabecera);
    std::printf("%-52s %8.2f s\n", "       join", b.union_);
    std::printf("%-52s %8.2f s\n", "       encryption", b.encriptado);
    std::printf("%-52s %8.2f s\n", "       copy into Procesados", b.copia);
    std::printf("%-52s %8.2f s\n", "(c)  xmllint --stream --noout --schema", c);
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("\npeak resident memory of this process: %.0f MB\n",
                static_cast<double>(uso.ru_maxrss) / 1024.0);
}

int correr(double megabytes, int rondas, int argc, char** argv) {
    QApplication app(argc, argv);
    UnidadCamino u(megabytes);
    DialogosCamino dialogos(u.plano());
    ui::ScriptedDialogs sinCeder;
    ui::setDialogs(&dialogos);
    FrmPlanosCronometrado ventana;
    ventana.abrir("0801/00100");
    DialogosCaminoEspaciados espaciados(u.plano());
    const std::string documento = u.tmp() + "/../documento.xml";
    Tiempos t;
    // Untimed: the flat file into the page cache, the patterns compiled.
    VentanaProgresoMinima calentamiento(kTitulo);
    validar(calentamiento, sinCeder, u);
    u.limpiar();
    for (int r = 0; r < rondas; ++r) {
        VentanaProgresoMinima minima(kTitulo);
        minimo(t.a, validar(minima, sinCeder, u));
        std::filesystem::rename(rt::tempPath(kDocumento), documento);
        t.docMB = static_cast<double>(std::filesystem::file_size(documento)) / 1e6;
        u.limpiar();
        ProgresoEnVentana enVentana(ventana, kTitulo);
        minimo(t.a2, validar(enVentana, dialogos, u));
        u.limpiar();
        ProgresoCoalescido coalescido(ventana, kTitulo);
        minimo(t.a3, validar(coalescido, espaciados, u));
        u.limpiar();
        const Fases f = procesar(ventana, dialogos);
        if (t.b.total == 0 || f.total < t.b.total)
            t.b = f;
        u.limpiar();
        minimo(t.c, xmllint(u.esquema(), documento));
    }
    ui::setDialogs(nullptr);
    informar(u, t);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 100;
    const int rondas = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    try {
        return correr(megabytes, rondas, argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_camino: %s\n", e.what());
        return 1;
    }
}
