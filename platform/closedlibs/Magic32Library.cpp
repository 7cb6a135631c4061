#include "platform/closedlibs/Magic32Library.h"

#include "platform/closedlibs/magic32/Magic32.h"

namespace closedlibs {

Magic32Library& Magic32Library::instance() {
    static Magic32Library library;
    return library;
}

short Magic32Library::Entrada2(const std::string& a, const std::string& b, const std::string& c,
                               const std::string& d) {
    return entry()(a.c_str(), b.c_str(), c.c_str(), d.c_str());
}

void Magic32Library::unload() {
    loaded_ = nullptr;
    library_.reset();
}

Magic32Library::Entry Magic32Library::entry() {
    if (injected_)
        return injected_;
    if (!loaded_) {
        if (!library_)
            library_ = std::make_unique<SharedLibrary>("libMagic32.so");
        loaded_ = reinterpret_cast<Entry>(library_->entry(MAGIC32_ENTRADA2));
    }
    return loaded_;
}

} // namespace closedlibs
