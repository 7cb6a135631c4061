#include "shell/ManejadorErrores.h"

#include "platform/runtime/NumberedFiles.h"
#include "platform/ui/Dialogs.h"
#include "shell/Globales.h"

#include <cstdlib>
#include <utility>

namespace {

// Like the classic run-time, the end comes at once: no window gets to run
// more code. Closing the connection first rolls back an open transaction.
void finalizarProceso() {
    try {
        rt::CloseAll();
    } catch (...) {
    }
    try {
        if (BaseDatos)
            BaseDatos->close();
        BaseDatos.reset();
    } catch (...) {
    }
    std::_Exit(EXIT_FAILURE);
}

std::function<void()>& finalizador() {
    static std::function<void()> f;
    return f;
}

} // namespace

void ManejadorErrores::ejecutar(const std::function<void()>& manejador) {
    try {
        manejador();
    } catch (const rt::RuntimeError& e) {
        errorNoControlado(e);
    }
}

std::string ManejadorErrores::mensaje(const rt::RuntimeError& error) {
    return "Se ha producido el error '" + std::to_string(error.number()) +
           "' en tiempo de ejecución:\n\n" + error.description();
}

void ManejadorErrores::errorNoControlado(const rt::RuntimeError& error) {
    ui::MsgBox(mensaje(error), ui::Icon::Critical);
    if (finalizador())
        finalizador()();
    else
        finalizarProceso();
}

void ManejadorErrores::setFinalizar(std::function<void()> finalizar) {
    finalizador() = std::move(finalizar);
}
