#include "tests/processing/windows/EntornoVentanas.h"

#include "processing/FrmProceso.h"

#include "platform/closedlibs/FilewinLibrary.h"
#include "platform/runtime/NumberedFiles.h"
#include "shell/ManejadorErrores.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace ventanas {

namespace {

void copiarTexto(const std::string& texto, char* destino, std::size_t tam) {
    const std::size_t n = std::min(texto.size(), tam - 1);
    std::memcpy(destino, texto.data(), n);
    destino[n] = '\0';
}

std::int16_t sinCifrar(const char* archivo, char* encriptado, std::size_t tamEncriptado, char*,
                       std::size_t) {
    const std::string salida = std::string(archivo) + ".b64";
    testenv::writeFile(salida, testenv::readFile(archivo));
    copiarTexto(salida, encriptado, tamEncriptado);
    return 0;
}

std::int16_t conError(const char*, char*, std::size_t, char* mensaje, std::size_t tamMensaje) {
    copiarTexto("clave pública vencida", mensaje, tamMensaje);
    return -3;
}

} // namespace

std::string formularioLibreSql() {
    return "INSERT INTO Formularios (CodFormulario, Version, Descripcion, TipoArchivoEntrada, "
           "CodigoImpuesto, CODIGOCONCEPTO, NameSpace) VALUES "
           "('0901', '00100', 'Libre', 'X', '0999', '001', 'urn:prueba');";
}

void escribirEsquemaLibre(const testenv::TestDrive& drive) {
    drive.writeSchema("0901", "00100",
                      R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" targetNamespace="urn:prueba"
           elementFormDefault="qualified">
  <xs:element name="d">
    <xs:complexType mixed="true">
      <xs:sequence>
        <xs:any processContents="lax" minOccurs="0" maxOccurs="unbounded"/>
      </xs:sequence>
    </xs:complexType>
  </xs:element>
</xs:schema>
)");
}

void encriptarSinCifrar() {
    closedlibs::FilewinLibrary::instance().setEntry(&sinCifrar);
}

void encriptarConError() {
    closedlibs::FilewinLibrary::instance().setEntry(&conError);
}

void encriptarConBiblioteca() {
    closedlibs::FilewinLibrary::instance().setEntry(nullptr);
}

std::vector<std::string> archivos(const std::string& carpeta) {
    std::vector<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(carpeta))
        nombres.push_back(e.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

Controles::Controles(QDialog& ventana)
    : CboFormularios(ventana.findChild<QComboBox*>("CboFormularios")),
      CmdProcesar(ventana.findChild<QPushButton*>("CmdProcesar")),
      CmdSalir(ventana.findChild<QPushButton*>("CmdSalir")),
      Etiqueta(ventana.findChild<QLabel*>("Etiqueta")) {}

VentanaProcesoTest::VentanaProcesoTest(const std::string& sqlExtra)
    : drive(std::make_unique<testenv::TestDrive>(testenv::sampleDataSql() + formularioLibreSql() +
                                                 "update cuit set Cuit='20123456786';" +
                                                 sqlExtra)) {
    drive->copySampleSchemas();
    escribirEsquemaLibre(*drive);
    drive->openBaseDatos();
    ui::setDialogs(&dialogos);
    ManejadorErrores::setFinalizar([this] { ++finalizaciones; });
}

VentanaProcesoTest::~VentanaProcesoTest() {
    ui::setDialogs(nullptr);
    ManejadorErrores::setFinalizar(nullptr);
    encriptarConBiblioteca();
    rt::CloseAll();
}

void VentanaProcesoTest::abrir(QDialog& ventana) {
    ventana.show();
    QCoreApplication::processEvents();
}

void VentanaProcesoTest::elegir(QDialog& ventana, const std::string& formularioVersion) {
    QComboBox* cbo = Controles(ventana).CboFormularios;
    for (int i = 0; i < cbo->count(); ++i) {
        if (cbo->itemText(i).toStdString().rfind(formularioVersion, 0) == 0) {
            cbo->setCurrentIndex(i);
            return;
        }
    }
    ADD_FAILURE() << "no entry " << formularioVersion;
}

void VentanaProcesoTest::procesar(QDialog& ventana, const std::string& archivo) {
    dialogos.queueOpen(archivo);
    Controles(ventana).CmdProcesar->click();
}

void VentanaProcesoTest::salirAlCeder(QDialog& ventana, const std::string& etiqueta) {
    dialogos.onYield = [this, &ventana, etiqueta](int) {
        Controles c(ventana);
        if (!ventana.isVisible() ||
            (!etiqueta.empty() && dynamic_cast<FrmProceso&>(ventana).EtiquetaTexto() != etiqueta))
            return;
        c.CmdSalir->click();
    };
}

void VentanaProcesoTest::esperarReposo(QDialog& ventana) {
    Controles c(ventana);
    EXPECT_TRUE(ventana.isVisible());
    EXPECT_TRUE(c.CmdProcesar->isEnabled());
    EXPECT_TRUE(c.CboFormularios->isEnabled());
    EXPECT_EQ(c.CmdSalir->text().toStdString(), "Salir");
    EXPECT_EQ(c.Etiqueta->text().toStdString(), "");
}

std::vector<ui::Icon> VentanaProcesoTest::iconos() const {
    std::vector<ui::Icon> i;
    for (const auto& b : dialogos.boxes())
        i.push_back(b.icon);
    return i;
}

std::vector<std::string> VentanaProcesoTest::textos() const {
    std::vector<std::string> t;
    for (const auto& b : dialogos.boxes())
        t.push_back(b.text);
    return t;
}

} // namespace ventanas
