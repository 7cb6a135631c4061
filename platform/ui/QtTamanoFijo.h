#pragma once
// Windows keep the size their controls need: they cannot be resized or
// maximised, so the controls never spread across the screen. No maximise
// button is asked for; a window manager that draws one all the same gives a
// button that does nothing.
class QWidget;

namespace ui {

// Room around a window's controls and between two of them.
constexpr int kSeparacion = 16;

// Call once the window's controls are in place. A dialog shows a title and
// a close button; the main window also keeps its minimise button.
void fijarTamano(QWidget& ventana);

} // namespace ui
