#pragma once
// Qt's own texts (standard buttons, the file dialog) in the user's language.

namespace ui {

// Installs Qt's Spanish translations on the running application; false when
// they are not installed on this machine, and Qt then speaks English.
bool cargarTraduccionesQt();

} // namespace ui
