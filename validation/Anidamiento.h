#pragma once
// The nesting matrix of a run (parent, child, minimum, maximum, occurrence
// counter, element name; row 1 the root row), read once after it is loaded.
// Record types are numbered so that each line looks its type up once; the
// answers that walk the rows are found once per type or pair of types.
// The walks count rows in 16 bits: an answer that walks beyond row 32,767 is
// error 6 whenever it is asked, as the walk itself would be.
#include "validation/TablaTexto.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class Anidamiento {
public:
    explicit Anidamiento(const TablaTexto& vPadreHijo);

    // The number of a record type; a type no row names gets one of its own.
    int Tipo(std::string_view tipo);

    bool EsHijo(int hijo, int padre) const;
    // Run-time error 9 without a root row.
    bool EsRaiz(int tipo) const;
    void ContarOcurrencia(int padre, int hijo);
    // Every row's count within its bounds; then every count back to 0.
    bool ValidarOcurrencias();
    // The element name: the root row's for the root type, else that of the
    // first row naming the type as child, else "".
    const std::string& NombreTag(int tipo) const;

private:
    struct Fila {
        int padre;
        int hijo;
        double minimo;
        double maximo;
        bool ilimitado;
        long long cuenta;
    };
    // A row found by a walk from row 1, and how many rows the walk visited.
    struct Hallazgo {
        int fila;
        int visitadas;
    };

    Hallazgo Par(int padre, int hijo) const;
    static std::uint64_t Clave(int padre, int hijo);

    std::vector<Fila> filas_; // filas_[0] is row 1
    std::vector<std::string> tipos_;
    std::vector<std::string> nombres_; // per root row and row: column 5
    std::unordered_map<std::string, int> numeros_;
    std::unordered_map<std::uint64_t, int> primeraDelPar_;
    std::unordered_map<int, int> primeraDelHijo_;
};
