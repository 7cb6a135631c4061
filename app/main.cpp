#include "platform/ui/Dialogs.h"
#include "platform/ui/QtCarpetaEjecucion.h"
#include "platform/ui/QtDialogs.h"
#include "platform/ui/QtTraducciones.h"
#include "shell/frmNuro.h"

#include <QApplication>

int main(int argc, char** argv) {
    ui::prepararCarpetaDeEjecucion();
    QApplication app(argc, argv);
    ui::cargarTraduccionesQt();
    ui::QtDialogs dialogos;
    ui::setDialogs(&dialogos);

    frmNuro ventana;
    ventana.show();
    const int resultado = QApplication::exec();

    ui::setDialogs(nullptr);
    return resultado;
}
