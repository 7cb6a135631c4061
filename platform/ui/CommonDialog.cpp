#include "platform/ui/CommonDialog.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/Dialogs.h"

namespace ui {

void CommonDialog::ShowOpen() {
    const OpenFileAnswer a = dialogs().showOpen({Filter, InitDir, FileName});
    if (a.cancelled) {
        if (CancelError)
            rt::raise(rt::err::CancelSelected);
        return;
    }
    FileName = a.fileName;
    FileTitle = rt::fileTitle(a.fileName);
}

} // namespace ui
