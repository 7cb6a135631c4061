#include "platform/ui/QtTamanoFijo.h"

#include <QWidget>

namespace ui {

void fijarTamano(QWidget& ventana) {
    Qt::WindowFlags marco = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (ventana.windowType() == Qt::Window)
        marco |= Qt::WindowMinimizeButtonHint;
    ventana.setWindowFlags(ventana.windowType() | marco);
    ventana.setFixedSize(ventana.sizeHint());
}

} // namespace ui
