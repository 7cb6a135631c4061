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

    // Walks over a table count rows in 16 bits: visiting a row beyond 32,767
    // is error 6 (overflow), a walk that ends at row 32,767 is not.
    static void FilaVisitada(int fila);

    const std::string& operator()(int columna, int fila) const;
    std::string& operator()(int columna, int fila);

private:
    std::size_t indice(int columna, int fila) const;

    int columnas_;
    std::vector<std::string> celdas_; // row-major
};
