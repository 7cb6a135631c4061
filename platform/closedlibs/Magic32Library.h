#pragma once
// Caller's side of the control-number library: libMagic32.so is loaded by
// name at the first call (missing library: error 48, missing entry: 453) and
// stays loaded until the program ends.
#include "platform/closedlibs/LibraryEntry.h"

#include <memory>
#include <string>

namespace closedlibs {

class Magic32Library {
public:
    using Entry = short (*)(const char*, const char*, const char*, const char*);

    static Magic32Library& instance();

    // Entry 2: the four texts in order, the library's 16-bit number.
    short Entrada2(const std::string& a, const std::string& b, const std::string& c,
                   const std::string& d);

    // Tests: answer through fn instead of the library (nullptr: the library again).
    void setEntry(Entry fn) { entry_.inject(fn); }
    // Tests: forget the loaded library, so the next call loads it anew.
    void unload() { entry_.unload(); }

private:
    Magic32Library();

    LibraryEntry<Entry> entry_;
};

} // namespace closedlibs
