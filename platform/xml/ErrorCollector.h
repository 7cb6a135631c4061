#pragma once
// Collects the first error libxml2 reports (warnings are ignored), so that
// nothing reaches stderr and the caller can show the parser's own reason.
#include <libxml/xmlerror.h>

#include <string>

namespace xml {

class ErrorCollector {
public:
    static void onError(void* collector, xmlErrorPtr error);

    bool hasError() const { return has_; }
    // An error found by the layer itself rather than by libxml2.
    void raise(std::string reason, std::string file, long line);

    const std::string& reason() const { return reason_; }
    // File the error was found in; empty when libxml2 named none.
    const std::string& file() const { return file_; }
    long line() const { return line_; }
    int linepos() const { return linepos_; }

private:
    void take(const xmlError& error);

    bool has_ = false;
    std::string reason_;
    std::string file_;
    long line_ = 0;
    int linepos_ = 0;
};

} // namespace xml
