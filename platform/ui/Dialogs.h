#pragma once
// The seam through which the system shows every message box, runs the
// open-file dialog and yields to the user interface. The Qt implementation
// shows real dialogs; the scripted one answers from a queue and records every
// box, so tests and the end-to-end driver run the real windows without a person.
#include <chrono>
#include <future>
#include <string>
#include <utility>

namespace ui {

enum class Icon { None, Information, Critical };

// What the open-file dialog reads and answers (the CommonDialog control).
struct OpenFileRequest {
    std::string filter; // "Description|*.a;*.b" pairs, classic syntax
    std::string initDir;
    std::string fileName;
};
struct OpenFileAnswer {
    bool cancelled = true;
    std::string fileName; // full path
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with an OK button, no title of its own; returns when dismissed.
    virtual void messageBox(const std::string& text, Icon icon) = 0;
    virtual OpenFileAnswer showOpen(const OpenFileRequest& request) = 0;
    // Lets pending user-interface events run.
    virtual void yield() = 0;
    // Redraws the windows on screen, at most 25 times a second, handling no
    // event: a long step that does not yield calls it so its window does not
    // freeze, while input and timers wait for the step to end.
    virtual void repaint() = 0;
};

// The process-wide seam. Until one is installed a recording implementation
// that answers every dialog with a cancel is used.
Dialogs& dialogs();
void setDialogs(Dialogs* d); // nullptr restores the default

// Convenience forms.
inline void MsgBox(const std::string& text, Icon icon = Icon::None) {
    dialogs().messageBox(text, icon);
}
inline void DoEvents() {
    dialogs().yield();
}
inline void Repintar() {
    dialogs().repaint();
}

// Runs a blocking call that cannot repaint by itself (a closed library) on a
// worker thread, while this thread only repaints and waits; nothing else runs
// before it returns. Its result or exception comes back here. It looks more
// often than the repaint's own limit, so that limit sets the pace.
template <class Paso> auto RepintarMientras(Paso&& paso) {
    auto resultado = std::async(std::launch::async, std::forward<Paso>(paso));
    while (resultado.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        Repintar();
    return resultado.get();
}

} // namespace ui
