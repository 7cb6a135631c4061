#pragma once
// One entry point of a closed library: the library is loaded by name at the
// first use (missing library: error 48, missing entry: 453) and stays loaded;
// tests may answer through a function of their own instead.
#include "platform/closedlibs/SharedLibrary.h"

#include <memory>
#include <string>

namespace closedlibs {

template <typename Fn> class LibraryEntry {
public:
    LibraryEntry(std::string fileName, const char* symbol)
        : fileName_(std::move(fileName)), symbol_(symbol) {}

    Fn get() {
        if (injected_)
            return injected_;
        if (!loaded_) {
            if (!library_)
                library_ = std::make_unique<SharedLibrary>(fileName_);
            loaded_ = reinterpret_cast<Fn>(library_->entry(symbol_));
        }
        return loaded_;
    }
    // nullptr: the library again.
    void inject(Fn fn) { injected_ = fn; }
    // The next use loads the library anew.
    void unload() {
        loaded_ = nullptr;
        library_.reset();
    }

private:
    std::string fileName_;
    const char* symbol_;
    std::unique_ptr<SharedLibrary> library_;
    Fn loaded_ = nullptr;
    Fn injected_ = nullptr;
};

} // namespace closedlibs
