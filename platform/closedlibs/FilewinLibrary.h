#pragma once
// Caller's side of the encryption library: libfilewin.so is loaded by name at
// the first call (missing library: error 48, missing entry: 453) and stays
// loaded until the program ends.
#include "platform/closedlibs/LibraryEntry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace closedlibs {

class FilewinLibrary {
public:
    using Entry = std::int16_t (*)(const char*, char*, std::size_t, char*, std::size_t);

    static FilewinLibrary& instance();

    // Encrypts the file; on return vArchivoEncriptado holds the encrypted
    // file's path and vMensajeError the library's error text. 0 is success.
    std::int16_t filewin(const std::string& archivo, std::string& vArchivoEncriptado,
                         std::string& vMensajeError);

    // Tests: answer through fn instead of the library (nullptr: the library again).
    void setEntry(Entry fn) { entry_.inject(fn); }
    // Tests: forget the loaded library, so the next call loads it anew.
    void unload() { entry_.unload(); }

private:
    FilewinLibrary();

    LibraryEntry<Entry> entry_;
};

} // namespace closedlibs
