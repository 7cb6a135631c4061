#pragma once
// What every flat-validator test needs: a throwaway temporary folder, the
// reference database with the test forms, the scripted dialogs, a progress
// window and a validator.
#include "platform/ui/ScriptedDialogs.h"
#include "tests/support/TestEnv.h"
#include "validation/CValidarArchivo.h"
#include "validation/VentanaProgresoMinima.h"

#include <memory>
#include <string>

class EntornoPlano {
public:
    static constexpr const char* kTitulo = "entrada.txt";

    EntornoPlano();
    ~EntornoPlano();
    EntornoPlano(const EntornoPlano&) = delete;
    EntornoPlano& operator=(const EntornoPlano&) = delete;

    // Writes a data file outside the temporary folder and returns its path.
    std::string Archivo(const std::string& bytes);
    // Validar on a new data file holding these bytes.
    bool Validar(const std::string& bytes, const std::string& formulario,
                 const std::string& tipo = "P");
    bool ValidarRuta(std::string ruta, const std::string& formulario,
                     const std::string& tipo = "P");

    // The work files of the run; "" when absent.
    std::string Xml(const std::string& formulario) const;
    std::string RutaXml(const std::string& formulario) const;
    std::string Bloques() const;

    testenv::TempDir carpeta;
    ui::ScriptedDialogs dialogos;
    VentanaProgresoMinima ventana{kTitulo};
    CValidarArchivo validador;

private:
    // Made before tmp is set: the shared drive sets tmp when it is made.
    std::shared_ptr<db::Connection> base_;
    std::string temporal_;
    testenv::ScopedEnv tmp_;
};

// The XML text of the records: "02" removed from each line, line ends removed.
std::string TextoDeBloques(const std::string& bloques);
