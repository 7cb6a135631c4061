#pragma once
// What every vista test needs: a throwaway drive whose database holds the
// vista forms and the stored CUIT, the scripted dialogs and a progress window.
#include "platform/ui/ScriptedDialogs.h"
#include "tests/support/TestDrive.h"
#include "validation/CProcesarArchivoTipoVista.h"
#include "validation/VentanaProgresoMinima.h"

#include <memory>
#include <string>

class EntornoVista {
public:
    explicit EntornoVista(const std::string& sql = Formularios());
    ~EntornoVista();
    EntornoVista(const EntornoVista&) = delete;
    EntornoVista& operator=(const EntornoVista&) = delete;

    // The vista forms of the tests (tests/data/vista/estructuras.sql).
    static std::string Formularios();

    // Writes a data file and returns its path.
    std::string Archivo(const std::string& bytes, const std::string& nombre = "vista.txt");
    // An instance given its window, file, form and version, as the flat
    // validator sets them.
    std::unique_ptr<CProcesarArchivoTipoVista> Vista(const std::string& ruta,
                                                     const std::string& formulario);
    // The flat work file of a form, version 00001.
    std::string Temporal(const std::string& formulario) const;

    testenv::TestDrive drive;
    ui::ScriptedDialogs dialogos;
    VentanaProgresoMinima ventana{"datos.txt"};
};
