#pragma once
// A text file opened for appending (created when absent) with a buffer of its
// own, for work files written line after line during a long run. Closed by
// Cerrar, which reports a failed write, or quietly when destroyed.
#include <string>
#include <string_view>

class ArchivoAnexo {
public:
    // 76 for a missing folder, 70 when refused, 61 for a full disk, 75 otherwise.
    explicit ArchivoAnexo(const std::string& ruta);
    ~ArchivoAnexo();
    ArchivoAnexo(const ArchivoAnexo&) = delete;
    ArchivoAnexo& operator=(const ArchivoAnexo&) = delete;

    void Escribir(std::string_view texto);
    // texto + CR LF
    void EscribirLinea(std::string_view texto);
    // Writes what is pending and closes: 61 for a full disk, 57 otherwise.
    void Cerrar();

private:
    void Vaciar();

    int fd_ = -1;
    std::string pendiente_;
};
