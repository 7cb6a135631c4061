#include "platform/xml/ErrorCollector.h"

#include <utility>

namespace xml {

namespace {
// libxml2 messages end in a line break; the reason is shown inside a sentence.
std::string trimEnd(const char* message) {
    std::string s = message ? message : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}
} // namespace

void ErrorCollector::onError(void* collector, xmlErrorPtr error) {
    if (collector && error)
        static_cast<ErrorCollector*>(collector)->take(*error);
}

void ErrorCollector::take(const xmlError& error) {
    if (has_ || error.level < XML_ERR_ERROR)
        return;
    has_ = true;
    reason_ = trimEnd(error.message);
    file_ = error.file ? error.file : "";
    line_ = error.line;
    linepos_ = error.int2;
}

void ErrorCollector::raise(std::string reason, std::string file, long line) {
    if (has_)
        return;
    has_ = true;
    reason_ = std::move(reason);
    file_ = std::move(file);
    line_ = line;
    linepos_ = 0;
}

} // namespace xml
