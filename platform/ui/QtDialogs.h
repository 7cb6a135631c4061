#pragma once
// The dialog seam on real Qt widgets: QMessageBox, QFileDialog and the
// event-loop yield.
#include "platform/ui/Dialogs.h"

#include <QStringList>
#include <string>

namespace ui {

class QtDialogs : public Dialogs {
public:
    void messageBox(const std::string& text, Icon icon) override;
    OpenFileAnswer showOpen(const OpenFileRequest& request) override;
    void yield() override;
    void repaint() override;

    // "Desc|*.a;*.b|Other|*.c" as Qt name filters: "Desc (*.a *.b)", "Other (*.c)".
    // A trailing description without patterns is dropped.
    static QStringList nameFilters(const std::string& filter);
};

} // namespace ui
