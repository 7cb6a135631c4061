#pragma once
// Collects the first error libxml2 reports (warnings are ignored), so that
// nothing reaches stderr and the caller can show its reason in Spanish.
#include "platform/xml/HechosError.h"

#include <libxml/xmlerror.h>

#include <string>

namespace xml {

class ErrorCollector {
public:
    static void onError(void* collector, xmlErrorPtr error);

    bool hasError() const { return has_; }

    // While held, the schema validator's first error waits aside: the root
    // element's namespace decides whether the schema applies at all.
    void holdValidity() { holding_ = true; }
    // The held error counts, ahead of any other that came after it.
    void releaseValidity();
    // The held error is forgotten.
    void dropValidity();
    // An error found by the layer itself rather than by libxml2.
    void raise(std::string reason, std::string file, long line);

    const std::string& reason() const { return first_.reason; }
    // File the error was found in; empty when libxml2 named none.
    const std::string& file() const { return first_.file; }
    long line() const { return first_.line; }
    int linepos() const { return first_.linepos; }
    // What libxml2 said of the first error; nothing for one the layer raised.
    const HechosError& hechos() const { return first_.hechos; }
    // The first error with facts libxml2 did not give (a decoder's error
    // names no line), found in file; its reason is told anew.
    void complete(const HechosError& hechos, std::string file);

private:
    struct Entry {
        std::string reason;
        std::string file;
        long line = 0;
        int linepos = 0;
        HechosError hechos;
    };

    void take(const xmlError& error);

    bool has_ = false;
    Entry first_;
    bool holding_ = false;
    bool held_ = false;
    bool heldFirst_ = false;
    Entry heldEntry_;
};

} // namespace xml
