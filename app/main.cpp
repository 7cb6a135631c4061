#include "platform/ui/Dialogs.h"
#include "platform/ui/QtDialogs.h"
#include "shell/frmNuro.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::QtDialogs dialogos;
    ui::setDialogs(&dialogos);

    frmNuro ventana;
    ventana.show();
    const int resultado = QApplication::exec();

    ui::setDialogs(nullptr);
    return resultado;
}
