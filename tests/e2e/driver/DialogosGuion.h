#pragma once
// The dialog seam of the driver: boxes are recorded and answered with OK at
// once, open dialogs are answered from the script's queue, and every yield
// lets pending events run as the real application's does, so that a click
// posted from a script step arrives inside a run. A press armed for the n-th
// yield is posted to the exit button of the window in front at that yield.
#include "platform/ui/ScriptedDialogs.h"

#include <functional>
#include <string>

class DialogosGuion : public ui::ScriptedDialogs {
public:
    void yield() override;

    // Presses the exit button at the n-th yield from now on.
    void cancelarEnYield(int n);
    // Calls alListar at the n-th yield from now on.
    void listarEnYield(int n);
    // How deep the code is inside yields (0: not inside one).
    int profundidad() const { return profundidad_; }

    // Called with the armed number and the button's caption when the press is posted.
    std::function<void(int, const std::string&)> alCancelar;
    // Called with the armed number at the yield listarEnYield named.
    std::function<void(int)> alListar;

private:
    void pulsarSalida();

    int profundidad_ = 0;
    int armado_ = 0;
    int faltan_ = 0;
    int listado_ = 0;
    int faltanListado_ = 0;
};
