#pragma once
// The one door through which every event handler of the windows enters the
// system's code. Qt lets no exception cross its event loop, so a run-time
// error that no handler of the system catches stops here: its number and
// description are shown in a message box and the application ends.
#include "platform/runtime/RuntimeError.h"

#include <functional>

class ManejadorErrores {
public:
    // Runs one event handler.
    static void ejecutar(const std::function<void()>& manejador);

    // Shows the error and ends the application.
    static void errorNoControlado(const rt::RuntimeError& error);

    // The text of the box that reports an uncaught error.
    static std::string mensaje(const rt::RuntimeError& error);

    // What ending the application does; tests install their own so the test
    // process survives. nullptr restores the default, which closes the open
    // files and the database and ends the process at once.
    static void setFinalizar(std::function<void()> finalizar);
};
