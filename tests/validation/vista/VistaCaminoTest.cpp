#include "tests/validation/vista/EntornoVista.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "validation/CValidarArchivo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Fixture(const std::string& nombre) {
    return testenv::readFile(testenv::dataDir() + "/vista/camino/" + nombre);
}

struct Salida {
    bool resultado;
    std::string error;
    double lineas;
    std::string ruta; // as the validator left it
    std::string xml;
    std::string bloques;
};

// One run of the flat validator, as the processing window makes it; the
// XML work file and the record file are read and removed afterwards.
Salida Correr(EntornoVista& entorno, const std::string& archivo, const std::string& formulario,
              const std::string& version, const std::string& tipo) {
    CValidarArchivo validador;
    validador.formulario(&entorno.ventana);
    Salida salida;
    salida.ruta = archivo;
    salida.resultado = validador.Validar(salida.ruta, formulario, version, tipo);
    salida.error = validador.Error();
    salida.lineas = validador.Lineas();
    const std::string xml = entorno.drive.tmpFile("F" + formulario + "_" + version + ".xml");
    const std::string bloques = entorno.drive.tmpFile("datos.txt");
    if (rt::fileExists(xml))
        salida.xml = testenv::readFile(xml);
    if (rt::fileExists(bloques))
        salida.bloques = testenv::readFile(bloques);
    rt::deleteFileQuiet(xml);
    rt::deleteFileQuiet(bloques);
    return salida;
}

// The vista file and its flat equivalent give the same document and records.
void CompararConPlano(EntornoVista& entorno, const std::string& vista, const std::string& plano,
                      const std::string& formulario, const std::string& version) {
    const Salida deVista = Correr(entorno, vista, formulario, version, "v");
    ASSERT_TRUE(deVista.resultado) << deVista.error;
    EXPECT_EQ(deVista.ruta, entorno.drive.tmpFile("F" + formulario + "_" + version + "_TEMP.txt"));
    EXPECT_EQ(testenv::readFile(deVista.ruta), testenv::readFile(plano));

    const Salida dePlano = Correr(entorno, plano, formulario, version, "P");
    ASSERT_TRUE(dePlano.resultado) << dePlano.error;

    EXPECT_FALSE(deVista.xml.empty());
    EXPECT_FALSE(deVista.bloques.empty());
    EXPECT_EQ(deVista.xml, dePlano.xml);
    EXPECT_EQ(deVista.bloques, dePlano.bloques);
    EXPECT_EQ(deVista.lineas, dePlano.lineas);
    for (int archivo = 1; archivo <= 4; ++archivo)
        EXPECT_FALSE(rt::IsOpen(archivo)) << archivo;
}

TEST(VistaCamino, ArchivoDeMuestraComoSuPlanoEquivalente) {
    EntornoVista entorno(testenv::sampleDataSql() + "update cuit set Cuit='20123456786';");
    const std::string plano = entorno.Archivo(Fixture("F0803_00100.plano.txt"), "plano.txt");
    CompararConPlano(entorno, entorno.drive.copySampleData("F0803_00100.txt"), plano, "0803",
                     "00100");
}

// Windows-1252 in the vista file, UTF-8 in the flat one: the same text.
TEST(VistaCamino, AnsiYUtf8DanElMismoDocumento) {
    EntornoVista entorno;
    const std::string vista = entorno.Archivo(Fixture("declaracion.vista.txt"));
    const std::string plano = entorno.Archivo(Fixture("declaracion.plano.txt"), "plano.txt");
    CompararConPlano(entorno, vista, plano, "VIS5", "00001");
}

// A byte-order mark is read by neither pass: not validated, not converted.
TEST(VistaCamino, MarcaDeOrdenFueraDeLaPrimeraLinea) {
    EntornoVista entorno;
    const std::string vista =
        entorno.Archivo("\xEF\xBB\xBF" + Fixture("declaracion.vista.txt"), "marca.txt");
    const std::string plano = entorno.Archivo(Fixture("declaracion.plano.txt"), "plano.txt");
    CompararConPlano(entorno, vista, plano, "VIS5", "00001");
}

struct Falla {
    const char* nombre;
    std::string contenido;
    std::string error;
};

const Falla kFallas[] = {
    // The vista pass leaves the CUIT to the flat pass over the converted records.
    {"CuitDistintoEnLaPasadaPlana", "20999999999|202401|Pan|1.00|\r\n",
     "linea: 1 > El Cuit es distinto al cargado en el Sistema"},
    {"ErrorDeLaVistaSinOtroPrefijo", "20123456786|202401|Pan|1.00|\r\n20123456786|1|\r\n",
     "linea: 2 > Cantidad de Campos Incorrectos"},
    {"VistaVacia", "", "linea: 0 > "},
};

class VistaCaminoFalla : public ::testing::TestWithParam<Falla> {};

TEST_P(VistaCaminoFalla, ErrorDelValidador) {
    EntornoVista entorno;
    const Salida salida =
        Correr(entorno, entorno.Archivo(GetParam().contenido), "VIS5", "00001", "V");
    EXPECT_FALSE(salida.resultado);
    EXPECT_EQ(salida.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Casos, VistaCaminoFalla, ::testing::ValuesIn(kFallas),
                         [](const auto& info) { return std::string(info.param.nombre); });

} // namespace
