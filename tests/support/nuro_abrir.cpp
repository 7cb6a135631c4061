// nuro_abrir IN OUT: opens the submission file IN with the office's test key
// and writes the opened bytes to OUT. Exit 1, with the reason, when IN does
// not open whole (OUT may then hold a part).
#include "tests/support/AbrirEntrega.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: nuro_abrir IN OUT\n");
        return 2;
    }
    std::ifstream entrada(argv[1], std::ios::binary);
    std::ofstream salida(argv[2], std::ios::binary | std::ios::trunc);
    if (!entrada || !salida) {
        std::fprintf(stderr, "nuro_abrir: cannot open %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    try {
        prueba::abrirEntrega(entrada, salida);
        salida.close();
        if (!salida)
            throw std::runtime_error("cannot write the output");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nuro_abrir: %s\n", e.what());
        return 1;
    }
    return 0;
}
