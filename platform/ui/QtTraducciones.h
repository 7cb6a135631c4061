#pragma once
// Qt's own texts (standard buttons, the file dialog) in the user's language.

namespace ui {

// Makes Spanish (Argentina) the default locale, so the file dialog's dates
// and file-type names are Spanish, and installs Qt's Spanish translations on
// the running application; false when they are not installed on this
// machine, and Qt's own texts then stay English.
bool cargarTraduccionesQt();

} // namespace ui
