#pragma once
// A work file written line after line during a long run, with a buffer of its
// own. Created afresh when opened (whatever stood at its name is removed, a
// link is never followed), then only added to. Closed by Cerrar, which
// reports a failed write, or quietly when destroyed.
#include <string>
#include <string_view>

class ArchivoAnexo {
public:
    // 76 for a missing folder, 70 when refused, 61 for a full disk, 75 otherwise
    // (a name that cannot be removed among them).
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
