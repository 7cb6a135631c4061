#include "platform/closedlibs/SharedLibrary.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"

#include <dlfcn.h>

namespace closedlibs {

namespace {
std::string& folderOverride() {
    static std::string folder;
    return folder;
}
} // namespace

void setLibraryFolder(const std::string& folder) {
    folderOverride() = folder;
}

std::string libraryFolder() {
    return folderOverride().empty() ? rt::programFolder() : folderOverride();
}

SharedLibrary::SharedLibrary(std::string fileName) : fileName_(std::move(fileName)) {}

SharedLibrary::~SharedLibrary() {
    if (handle_)
        dlclose(handle_);
}

void* SharedLibrary::entry(const char* symbol) {
    if (!handle_) {
        const std::string path = libraryFolder() + "/" + fileName_;
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_)
            rt::raise(rt::err::LibraryNotLoaded);
    }
    void* fn = dlsym(handle_, symbol);
    if (!fn)
        rt::raise(rt::err::EntryPointNotFound);
    return fn;
}

} // namespace closedlibs
