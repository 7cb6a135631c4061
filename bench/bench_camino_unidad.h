#pragma once
// The drive of the whole-road benchmark: the sample forms and schemas in a
// folder of its own, the CUIT stored, BaseDatos open, and a large input for
// one road outside the temporary folder: a flat file for form 0801/00100, a
// vista file for 0803/00100, or an XML document for 0804/00100 as large as
// the XML road takes (32,767 records). The parent process creates it; the
// child processes that run the roads adopt it.
#include <cstdint>
#include <string>

enum class Camino { Plano, Vista, Xml };

class UnidadCamino {
public:
    // crear: a new drive and input; otherwise the ones a parent made.
    UnidadCamino(Camino camino, double megabytes, bool crear);
    ~UnidadCamino();
    UnidadCamino(const UnidadCamino&) = delete;
    UnidadCamino& operator=(const UnidadCamino&) = delete;

    Camino camino() const { return camino_; }
    // "0801/00100" and so on: the start of the form list's entry.
    std::string formulario() const;
    const std::string& entrada() const { return entrada_; }
    std::string procesados() const { return raiz_ + "/drive/DatosNuro/Procesados"; }
    std::string esquema() const;
    std::string tmp() const { return raiz_ + "/tmp"; }
    // Where the document checked by xmllint lies.
    std::string documento() const;
    std::int64_t bytes() const;

    // Work files and outputs of a run removed.
    void limpiar() const;

private:
    void crearBase() const;
    void abrirBase() const;
    void escribirPlano(double megabytes) const;
    void escribirVista(double megabytes) const;
    void escribirXml() const;

    Camino camino_;
    bool dueno_;
    std::string raiz_;
    std::string entrada_;
};

const char* nombreCamino(Camino camino);
