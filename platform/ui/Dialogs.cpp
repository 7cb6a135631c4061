#include "platform/ui/Dialogs.h"

#include "platform/ui/ScriptedDialogs.h"

namespace ui {

namespace {
Dialogs*& current() {
    static Dialogs* d = nullptr;
    return d;
}
ScriptedDialogs& fallback() {
    static ScriptedDialogs d;
    return d;
}
} // namespace

Dialogs& dialogs() {
    return current() ? *current() : fallback();
}

void setDialogs(Dialogs* d) {
    current() = d;
}

} // namespace ui
