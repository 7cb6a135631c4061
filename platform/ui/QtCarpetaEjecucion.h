#pragma once
// Without a desktop session XDG_RUNTIME_DIR is unset, and Qt says so at every
// start before it falls back to a folder of its own, which reads as a fault.

namespace ui {

// Call before the QApplication is made. When XDG_RUNTIME_DIR is unset or
// empty, names the folder Qt would fall back to (the temporary folder's
// runtime-<user>). Qt still creates it with mode 0700 and checks its owner and
// mode, so a folder it cannot use is reported as before; a value already set
// is left alone.
void prepararCarpetaDeEjecucion();

} // namespace ui
