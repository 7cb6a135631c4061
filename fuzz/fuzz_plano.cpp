// The flat-file validator on mutated data files of the sample and test forms.
#include "fuzz/BancoValidador.h"

namespace {
const fuzz::Forma kFormas[] = {
    {"0801", "00100", "P"}, {"0801", "00200", "P"}, {"0802", "00100", "M"},
    {"0805", "00100", "p"}, {"0803", "00100", "P"}, {"GOLD", "00001", "P"},
    {"REGL", "00001", "P"}, {"ATRI", "00001", "P"}, {"TRES", "00001", "P"},
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    return fuzz::ValidarEntrada(datos, largo, kFormas);
}
