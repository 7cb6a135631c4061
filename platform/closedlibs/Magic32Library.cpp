#include "platform/closedlibs/Magic32Library.h"

#include "platform/closedlibs/magic32/Magic32.h"

namespace closedlibs {

Magic32Library::Magic32Library() : entry_("libMagic32.so", MAGIC32_ENTRADA2) {}

Magic32Library& Magic32Library::instance() {
    static Magic32Library library;
    return library;
}

short Magic32Library::Entrada2(const std::string& a, const std::string& b, const std::string& c,
                               const std::string& d) {
    return entry_.get()(a.c_str(), b.c_str(), c.c_str(), d.c_str());
}

} // namespace closedlibs
