#include "shell/CFuncGral.h"

#include "platform/database/Database.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "shell/ArregloSoloLectura.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"

#include <chrono>

void CFuncGral::AbriBase() {
    // A file refused with 3051 gets the read-only fix, awaited up to two
    // seconds, and a new attempt: three fixes at most, then it is unusable.
    constexpr int kArreglos = 3;
    for (int arreglo = 0; arreglo <= kArreglos; ++arreglo) {
        try {
            if (arreglo > 0) {
                ArregloSoloLectura::aplicar();
                ArregloSoloLectura::esperar(std::chrono::seconds(2));
            }
            BaseDatos = db::openDatabase(rt::resolveCase(rutas::baseDatosApertura()), false, false,
                                         nuro::kConnect);
            return;
        } catch (const rt::RuntimeError& e) {
            if (e.number() != rt::err::DatabaseLockedOrReadOnly)
                break;
        }
    }
    ui::MsgBox("Base de Datos BDNuro.mdb Corrupta");
}
