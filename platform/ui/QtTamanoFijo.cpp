#include "platform/ui/QtTamanoFijo.h"

#include <QWidget>

namespace ui {

void fijarTamano(QWidget& ventana) {
    ventana.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ventana.setFixedSize(ventana.sizeHint());
}

} // namespace ui
