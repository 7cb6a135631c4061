// nuro_abrir IN OUT: opens the submission file IN with the office's test key
// and writes the opened bytes to OUT. Exit 1, with the reason, when IN does
// not open whole; OUT is then not written.
#include "tests/support/AbrirEntrega.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: nuro_abrir IN OUT\n");
        return 2;
    }
    try {
        prueba::abrirArchivo(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nuro_abrir: %s\n", e.what());
        return 1;
    }
    return 0;
}
