#include "tests/e2e/driver/Paso.h"

#include <array>
#include <string_view>

bool Paso::actuaEnVentana() const {
    static constexpr std::array<std::string_view, 5> kVerbos = {"form", "type", "press", "close",
                                                                "inspect"};
    for (std::string_view v : kVerbos)
        if (verbo == v)
            return true;
    return false;
}
