#pragma once
// A shared library loaded by name from the program's folder when first
// needed: a missing library is run-time error 48, a missing entry point 453.
#include <string>

namespace closedlibs {

class SharedLibrary {
public:
    // fileName such as "libMagic32.so"; looked up next to the executable.
    explicit SharedLibrary(std::string fileName);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads the library if needed (48) and returns the entry point (453).
    void* entry(const char* symbol);

private:
    std::string fileName_;
    void* handle_ = nullptr;
};

// Folder searched for the libraries; the program's folder unless set (tests).
void setLibraryFolder(const std::string& folder);
std::string libraryFolder();

} // namespace closedlibs
