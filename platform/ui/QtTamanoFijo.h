#pragma once
// Working windows keep the size their controls need: they cannot be resized
// or maximised, so the controls never spread across the screen.
class QWidget;

namespace ui {

// Call once the window's controls are in place.
void fijarTamano(QWidget& ventana);

} // namespace ui
