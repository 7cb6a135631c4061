// The sample forms and data files through the validator: the documents it
// writes validate against the forms' schemas.
#include "platform/runtime/NumberedFiles.h"
#include "platform/ui/ScriptedDialogs.h"
#include "platform/xml/Document.h"
#include "platform/xml/SchemaCache.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"
#include "tests/support/TestDrive.h"
#include "validation/CValidarArchivo.h"
#include "validation/VentanaProgresoMinima.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Muestra {
    const char* archivo;
    const char* formulario;
    const char* version;
    const char* tipo;
    std::string error; // "" for a valid file
};

const Muestra kMuestras[] = {
    {"F0801_00100.txt", "0801", "00100", "P", ""},
    {"F0801_00100_errores.txt", "0801", "00100", "P",
     "linea: 3 > Formato Posición Arancelaria inválido"},
    {"F0801_00200.dat", "0801", "00200", "P", ""},
    {"F0802_00100.txt", "0802", "00100", "M", ""},
    {"F0803_00100.txt", "0803", "00100", "V", ""},
    {"F0805_00100.txt", "0805", "00100", "p", ""},
};

class Muestras : public ::testing::TestWithParam<Muestra> {};

TEST_P(Muestras, ValidaYElDocumentoCumpleSuEsquema) {
    const Muestra& m = GetParam();
    testenv::TestDrive drive(testenv::sampleDataSql() + "update cuit set Cuit='20123456786';");
    drive.copySampleSchemas();
    drive.openBaseDatos();
    ui::ScriptedDialogs dialogos;
    ui::setDialogs(&dialogos);
    VentanaProgresoMinima ventana(m.archivo);
    CValidarArchivo validador;
    validador.formulario(&ventana);
    std::string ruta = drive.copySampleData(m.archivo);

    const bool ok = validador.Validar(ruta, m.formulario, m.version, m.tipo);
    ui::setDialogs(nullptr);
    rt::CloseAll();

    EXPECT_EQ(validador.Error(), m.error);
    EXPECT_EQ(ok, m.error.empty());
    if (!ok)
        return;
    const std::string espacio = rutas::espacioNombres(m.formulario, m.version);
    xml::SchemaCache esquemas;
    esquemas.add(espacio, drive.schemas() + "/F" + m.formulario + "_" + m.version + ".xsd");
    xml::Document documento;
    documento.schemas(&esquemas);
    EXPECT_TRUE(
        documento.load(drive.tmpFile(std::string("F") + m.formulario + "_" + m.version + ".xml")))
        << documento.parseError().reason << "\n"
        << documento.parseError().srcText;
    EXPECT_EQ(documento.documentElementNamespaceURI(), espacio);
    const std::string bloques = testenv::readFile(drive.tmpFile(m.archivo));
    EXPECT_EQ(validador.Lineas(), static_cast<double>(bloques.size() / 502));
}

INSTANTIATE_TEST_SUITE_P(Archivos, Muestras, ::testing::ValuesIn(kMuestras), [](const auto& info) {
    std::string nombre = info.param.archivo;
    for (char& c : nombre)
        if (c == '.')
            c = '_';
    return nombre;
});

} // namespace
