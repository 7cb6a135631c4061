#pragma once
// What every vista test needs: a throwaway temporary folder, the reference
// database with the vista forms, the scripted dialogs and a progress window.
#include "platform/ui/ScriptedDialogs.h"
#include "tests/support/TestEnv.h"
#include "tests/validation/vista/VentanaPrueba.h"
#include "validation/CProcesarArchivoTipoVista.h"

#include <memory>
#include <string>

class EntornoVista {
public:
    EntornoVista();
    ~EntornoVista();
    EntornoVista(const EntornoVista&) = delete;
    EntornoVista& operator=(const EntornoVista&) = delete;

    // Writes a vista file into the temporary folder and returns its path.
    std::string Archivo(const std::string& bytes, const std::string& nombre = "vista.txt");
    // An instance given its window, file, form and version, as the flat
    // validator sets them.
    std::unique_ptr<CProcesarArchivoTipoVista> Vista(const std::string& ruta,
                                                     const std::string& formulario);
    std::string Temporal(const std::string& formulario) const;

    testenv::TempDir carpeta;
    ui::ScriptedDialogs dialogos;
    VentanaPrueba ventana;

private:
    testenv::ScopedEnv tmp_;
};
