#pragma once
// The file dialog control `Dialogo` of the processing windows: properties set
// by the code, ShowOpen through the dialog seam.
#include <string>

namespace ui {

class CommonDialog {
public:
    std::string Filter;
    std::string InitDir;
    std::string FileName;  // full path of the chosen file
    std::string FileTitle; // its name without the folder
    bool CancelError = false;

    // Shows the open dialog. On cancel: FileName/FileTitle unchanged and, when
    // CancelError is set, run-time error 32755.
    void ShowOpen();
};

} // namespace ui
