#pragma once
// A two-dimensional table of text values: a fixed range of columns from 0 and
// rows from 0, row 0 holding nothing; rows are added one at a time at the end,
// keeping the rows already there. An index outside the table is run-time
// error 9 (subscript out of range).
#include <string>
#include <vector>

class TablaTexto {
public:
    explicit TablaTexto(int columnas);

    int Columnas() const { return columnas_; }
    // Index of the last row (0 while the table holds only row 0).
    int UltimaFila() const { return static_cast<int>(celdas_.size() / columnas_) - 1; }
    void AgregarFila();

    const std::string& operator()(int columna, int fila) const;
    std::string& operator()(int columna, int fila);

private:
    std::size_t indice(int columna, int fila) const;

    int columnas_;
    std::vector<std::string> celdas_; // row-major
};
