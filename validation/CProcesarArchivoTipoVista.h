#pragma once
// Validates a vista data file against the form version's field structure and
// converts it into the flat work file F<form>_<version>_TEMP.txt.
#include "platform/runtime/Numbers.h"
#include "platform/runtime/TextLines.h"
#include "validation/CampoRegla.h"
#include "validation/LectorCampos.h"
#include "validation/TablaTexto.h"
#include "validation/VentanaProgreso.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CProcesarArchivoTipoVista {
public:
    void PasoAMatriz();
    void ConformarArchivo();
    // true, false, or no value for a file without lines.
    std::optional<bool> Validar();
    const std::string& Error() const { return vError; }
    void formulario(VentanaProgreso* ventana) { ventana_ = ventana; }
    void nombreArchivo(const std::string& ruta) { archivo_ = ruta; }
    void formularioNombre(const std::string& codigo) { codigo_ = codigo; }
    void version(const std::string& version) { version_ = version; }

private:
    void ReemplazarUltimo(const std::string& registro);
    bool ExisteUltimo(const std::string& registro) const;
    void AgregarUltimo(const std::string& registro);
    std::string ArmarRegistro(const std::string& linea, const std::string& tipo,
                              const std::string& cantidad);
    bool ValidarLinea(const rt::DataLine& linea);

    void MostrarProgreso(double linea);
    void ConformarLinea(const std::string& linea);
    std::string ArchivoPlanoTemporal() const;

    std::string vError;
    VentanaProgreso* ventana_ = nullptr;
    std::string codigo_;
    std::string archivo_;
    std::string version_;
    rt::Int16 vTotalCampos;
    // The read position and the values of the line under validation.
    LectorCampos lector_;
    rt::Int16 vCantTipos;
    TablaTexto vEstructura{11};
    TablaTexto vTipos{3};
    std::vector<std::string> vUltimos;
    rt::Int16 vPosicionConformar;
    // Byte offset that goes with vPosicionConformar, so a line is cut in one
    // pass instead of counting characters from its start.
    std::size_t bytePosicionConformar_ = 0;
    // The field matrix read once: one entry per row, row 0 included.
    std::vector<CampoRegla> campos_;
    rt::DataLine linea_;
};
