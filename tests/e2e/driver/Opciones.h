#pragma once
// The driver's command line:
//   nuro_e2e [--drive DIR] [--tmp DIR] [--datos DIR] [--expect FILE]
//            [--timeout SECONDS] SCRIPT
#include <chrono>
#include <optional>
#include <string>

struct Opciones {
    std::string guion;
    std::string unidad; // empty: a throwaway drive from the sample forms
    std::string tmp;
    std::string datos;
    std::string esperada; // golden output to compare with
    std::chrono::seconds plazo{60};

    // nullopt on a bad command line.
    static std::optional<Opciones> leer(int argc, char** argv);
    static const char* uso();
};
