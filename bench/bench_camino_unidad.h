#pragma once
// The drive of the whole-road benchmark: the sample forms and schemas in a
// folder of its own, the CUIT stored, BaseDatos open, and a large flat file
// for form 0801/00100 outside the temporary folder.
#include <cstdint>
#include <string>

class UnidadCamino {
public:
    explicit UnidadCamino(double megabytes);
    ~UnidadCamino();
    UnidadCamino(const UnidadCamino&) = delete;
    UnidadCamino& operator=(const UnidadCamino&) = delete;

    const std::string& plano() const { return plano_; }
    std::string procesados() const { return raiz_ + "/drive/DatosNuro/Procesados"; }
    std::string esquema() const;
    std::string tmp() const { return raiz_ + "/tmp"; }
    std::int64_t bytes() const { return bytes_; }
    long lineas() const { return lineas_; }

    // Work files and outputs of a run removed.
    void limpiar() const;

private:
    void crearBase() const;
    void escribirPlano(double megabytes);

    std::string raiz_;
    std::string plano_;
    std::int64_t bytes_ = 0;
    long lineas_ = 0;
};
