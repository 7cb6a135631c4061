#include "platform/ui/ScriptedDialogs.h"

namespace ui {

void ScriptedDialogs::messageBox(const std::string& text, Icon icon) {
    boxes_.push_back({text, icon});
    if (onBox)
        onBox(boxes_.back());
}

OpenFileAnswer ScriptedDialogs::showOpen(const OpenFileRequest& request) {
    requests_.push_back(request);
    if (opens_.empty())
        return {};
    OpenFileAnswer a = opens_.front();
    opens_.pop_front();
    return a;
}

void ScriptedDialogs::yield() {
    ++yields_;
    if (onYield)
        onYield(yields_);
}

} // namespace ui
