// The end-to-end driver: the real application, offscreen, with a scripted
// user. See tests/README.md for the script format.
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtCarpetaEjecucion.h"
#include "shell/ManejadorErrores.h"
#include "shell/frmNuro.h"
#include "tests/e2e/driver/Cierre.h"
#include "tests/e2e/driver/Conductor.h"
#include "tests/e2e/driver/DialogosGuion.h"
#include "tests/e2e/driver/Guion.h"
#include "tests/e2e/driver/Informe.h"
#include "tests/e2e/driver/Opciones.h"
#include "tests/e2e/driver/Unidad.h"
#include "tests/e2e/driver/Vigia.h"

#include <QApplication>

#include <sys/stat.h>

#include <cstdlib>
#include <iostream>

namespace {

int correr(const Opciones& o, const std::vector<Paso>& pasos, int argc, char** argv) {
    ui::prepararCarpetaDeEjecucion();
    QApplication app(argc, argv);
    Unidad unidad(o.unidad, o.tmp, o.datos);
    Informe informe;
    informe.fijarCarpetas(
        {{unidad.raiz(), "<drive>"}, {unidad.tmp(), "<tmp>"}, {unidad.datos(), "<datos>"}});
    Cierre cierre(informe, unidad, o.esperada);
    DialogosGuion dialogos;
    ui::setDialogs(&dialogos);
    frmNuro principal;
    Conductor conductor({principal, dialogos, unidad, informe, cierre}, pasos);
    ManejadorErrores::setFinalizar([&] {
        cierre.abortar("end: the application ended after an uncaught error",
                       conductor.pendientes() ? Cierre::Fallo : Cierre::Bien);
    });
    Vigia vigia(o.plazo, [&] {
        cierre.abortar("FAILED: timeout after " + std::to_string(o.plazo.count()) + " s, at line " +
                           std::to_string(conductor.lineaActual()),
                       Cierre::Vencido);
    });
    conductor.prepararse();
    conductor.empezar();
    principal.show();
    QApplication::exec();
    vigia.detener();
    ui::setDialogs(nullptr);
    ManejadorErrores::setFinalizar(nullptr);
    if (conductor.codigo())
        return *conductor.codigo();
    const int faltan = conductor.pendientes();
    return cierre.cerrar("end: the application closed" +
                             (faltan ? "; " + std::to_string(faltan) + " steps not run" : ""),
                         faltan ? Cierre::Fallo : Cierre::Bien);
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Opciones> o = Opciones::leer(argc, argv);
    if (!o) {
        std::cerr << Opciones::uso();
        return Cierre::Fallo;
    }
    std::vector<Paso> pasos;
    try {
        pasos = Guion::leer(o->guion);
    } catch (const Guion::ErrorGuion& e) {
        std::cerr << e.what() << "\n";
        return Cierre::Fallo;
    }
    // The windows run without a display unless told otherwise.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // A desktop session's usual umask, so that the modes a script shows are
    // the same wherever it runs.
    ::umask(022);
    return correr(*o, pasos, argc, argv);
}
