#pragma once
// Dialog seam for tests and the end-to-end driver: answers open dialogs from
// a queue, records every message box, and runs hooks at yields and boxes.
#include "platform/ui/Dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class ScriptedDialogs : public Dialogs {
public:
    struct Box {
        std::string text;
        Icon icon;
    };

    // Queue the answer of the next open dialog: a path, or a cancel.
    void queueOpen(const std::string& path) { opens_.push_back({false, path}); }
    void queueCancel() { opens_.push_back({true, {}}); }

    // Called at every yield with the running yield count (from 1).
    std::function<void(int)> onYield;
    // Called for every box after it is recorded.
    std::function<void(const Box&)> onBox;

    const std::vector<Box>& boxes() const { return boxes_; }
    const std::vector<OpenFileRequest>& openRequests() const { return requests_; }
    int yields() const { return yields_; }
    int repaints() const { return repaints_; }
    void clear() {
        boxes_.clear();
        requests_.clear();
        yields_ = 0;
        repaints_ = 0;
    }

    void messageBox(const std::string& text, Icon icon) override;
    OpenFileAnswer showOpen(const OpenFileRequest& request) override;
    void yield() override;
    void repaint() override { ++repaints_; }

private:
    std::deque<OpenFileAnswer> opens_;
    std::vector<Box> boxes_;
    std::vector<OpenFileRequest> requests_;
    int yields_ = 0;
    int repaints_ = 0;
};

} // namespace ui
