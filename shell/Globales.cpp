#include "shell/Globales.h"

#include "shell/CFuncGral.h"

std::shared_ptr<db::Connection> BaseDatos;

namespace {

std::unique_ptr<CFuncGral>& instancia() {
    static std::unique_ptr<CFuncGral> unica;
    return unica;
}

} // namespace

CFuncGral& FuncGral() {
    auto& unica = instancia();
    if (!unica)
        unica = std::make_unique<CFuncGral>();
    return *unica;
}

bool FuncGralCreado() {
    return instancia() != nullptr;
}
