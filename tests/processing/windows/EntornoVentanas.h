#pragma once
// Shared set-up of the processing-window tests: a throwaway drive with the
// sample forms and a stored CUIT, scripted dialogs, the windows' controls by
// name, and an encryption stand-in that keeps the joined file readable.
#include "platform/ui/ScriptedDialogs.h"
#include "tests/support/TestDrive.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ventanas {

// A form "0901"/"00100" of type X whose schema takes any content of the
// namespace "urn:prueba" under a root element "d".
std::string formularioLibreSql();
void escribirEsquemaLibre(const testenv::TestDrive& drive);

// Encryption that copies the joined file unchanged to "<file>.b64", so the
// file that lands in Procesados is the joined file itself.
void encriptarSinCifrar();
// Encryption that fails with the given text.
void encriptarConError();
// The library again.
void encriptarConBiblioteca();

// Names of the files in a folder, sorted.
std::vector<std::string> archivos(const std::string& carpeta);

struct Controles {
    explicit Controles(QDialog& ventana);
    QComboBox* CboFormularios;
    QPushButton* CmdProcesar;
    QPushButton* CmdSalir;
    QLabel* Etiqueta;
};

class VentanaProcesoTest : public ::testing::Test {
protected:
    explicit VentanaProcesoTest(const std::string& sqlExtra = "");
    ~VentanaProcesoTest() override;

    // Shows the window and lets its opening run.
    void abrir(QDialog& ventana);
    // Selects the list entry that begins with the form code and version.
    static void elegir(QDialog& ventana, const std::string& formularioVersion);
    // Chooses the file in the dialog and presses "Procesar".
    void procesar(QDialog& ventana, const std::string& archivo);
    // Presses the exit button at the first yield at which the label shows the
    // text (any text when empty).
    void salirAlCeder(QDialog& ventana, const std::string& etiqueta = "");
    std::vector<ui::Icon> iconos() const;
    // Open, list and buttons enabled, exit button "Salir", label empty.
    static void esperarReposo(QDialog& ventana);
    // Work files left in the temporary folder.
    std::vector<std::string> temporales() const { return archivos(drive->tmp()); }
    std::vector<std::string> textos() const;

    std::unique_ptr<testenv::TestDrive> drive;
    ui::ScriptedDialogs dialogos;
    int finalizaciones = 0;
};

} // namespace ventanas
