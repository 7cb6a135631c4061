// The vista road (validation, conversion, then the flat validator) on mutated
// vista files of the sample and test forms.
#include "fuzz/BancoValidador.h"

namespace {
const fuzz::Forma kFormas[] = {
    {"0803", "00100", "V"}, {"VIS5", "00001", "V"}, {"VIS1", "00001", "v"},
    {"VIS2", "00001", "V"}, {"VIS3", "00001", "V"},
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    return fuzz::ValidarEntrada(datos, largo, kFormas);
}
